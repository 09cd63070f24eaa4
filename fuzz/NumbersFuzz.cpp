// Arbitrary option texts through the number rule, and every float through the caption position
// format and back: the written text must read back to the same 32-bit value. The same texts as
// the converter's line numbers: every range taken runs forwards from 1.

#include "cli/LineNumbers.h"
#include "fcpxml/FcpxmlFormat.h"
#include "settings/NumberText.h"

#include "FuzzInput.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace brisomel;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkRoundTrip(float value) {
    if (!std::isfinite(value)) {
        return;
    }
    const QString written = formatPosition(value);
    check(written.contains(u'.') || written.contains(u'e'));
    const auto back = parseFloatText(written);
    check(back.has_value());
    check(std::memcmp(&*back, &value, sizeof value) == 0 || (value == 0 && *back == 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    checkRoundTrip(input.take<float>());
    const QString text = QString::fromUtf8(input.rest());
    const auto single = parseFloatText(text);
    const auto wide = parseDoubleText(text);
    // Both parsers follow one rule: they accept the same texts.
    check(single.has_value() == wide.has_value());
    if (single) {
        check(!text.isEmpty() && !text.front().isSpace());
        checkRoundTrip(*single);
    }
    if (const auto ranges = parseLineNumbers(QStringLiteral("skip"), text)) {
        for (const LineRange& range : *ranges) {
            check(range.first >= 1 && range.first <= range.last);
        }
    }
    return 0;
}
