// Arbitrary bytes as a caption file: decoded text or a clean refusal, and a strict decoder gives
// back exactly the bytes it was handed.

#include "intake/CaptionDecoding.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bool hasMark = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                         bytes.startsWith("\xFE\xFF") ||
                         bytes.startsWith(QByteArray("\0\0\xFE\xFF", 4));
    if (const auto text = brisomel::decodeUnicode(bytes); text && !hasMark) {
        // Strict UTF-8 is lossless: re-encoding gives the original bytes.
        if (text->toUtf8() != bytes) {
            std::abort();
        }
    }
    if (const auto text = brisomel::decodeShiftJis(bytes)) {
        // Every byte becomes at least part of a character; nothing is dropped silently.
        if (text->size() > bytes.size() || (!bytes.isEmpty() && text->isEmpty())) {
            std::abort();
        }
    }
    return 0;
}
