// Arbitrary text broken into lines at any width and split over any clip: every character but the
// blanks comes back once, in order, the parts take exactly the clip's frames, and they are no more
// than the line limit needs.

#include "builder/CaptionParts.h"
#include "wrap/CaptionWrapper.h"

#include "FuzzInput.h"

#include <cstdint>
#include <cstdlib>

namespace {

QString withoutBlanks(QString text) {
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brisomel::fuzz::FuzzInput input(data, size);
    const int width = 1 + static_cast<int>(input.below(60));
    const int maxLines = 1 + static_cast<int>(input.below(4));
    const std::int64_t frames = input.below(200);
    const std::int64_t shortFrames = input.below(30);
    const QString caption = input.text(400);

    auto wrapper = brisomel::CaptionWrapper::create(width);
    if (!wrapper) {
        std::abort();
    }
    const QStringList lines = wrapper->wrap(caption);
    if (withoutBlanks(lines.join(QString())) != withoutBlanks(caption)) {
        std::abort();
    }
    if (lines.isEmpty()) {
        return 0;
    }
    std::int64_t sum = 0;
    QStringList kept;
    const auto parts = brisomel::captionParts(lines, maxLines, frames, shortFrames);
    for (const brisomel::CaptionPart& part : parts) {
        if (part.firstFrame != sum || (frames > 0 && part.frameCount < 1)) {
            std::abort();
        }
        sum += part.frameCount;
        kept << part.lines;
    }
    // As few parts as the line limit allows.
    const auto fewest = static_cast<std::size_t>((lines.size() + maxLines - 1) / maxLines);
    if (sum != frames || kept != lines || parts.size() > fewest) {
        std::abort();
    }
    return 0;
}
