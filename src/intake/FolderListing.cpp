#include "intake/FolderListing.h"

#include "platform/FolderEntries.h"

#include <algorithm>
#include <array>

namespace brisomel {

namespace {

const std::array<QString, 5> kAudioExtensions = {QStringLiteral("MP3"), QStringLiteral("WAV"),
                                                 QStringLiteral("M4A"), QStringLiteral("AIFF"),
                                                 QStringLiteral("AIF")};

// Whether ASCII text, upper-cased, equals an upper-case ASCII word.
bool equalsAsciiUpper(QStringView text, QStringView upper) {
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(), [](QChar c, QChar u) {
               const char16_t unit = c.unicode();
               return (unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit) == u.unicode();
           });
}

} // namespace

bool isAudioName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) {
        return false;
    }
    const QStringView extension = QStringView(name).sliced(dot + 1);
    const bool ascii =
        std::all_of(extension.begin(), extension.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) { // the usual case, and a quick one
        return std::any_of(
            kAudioExtensions.begin(), kAudioExtensions.end(),
            [&](const QString& audio) { return equalsAsciiUpper(extension, audio); });
    }
    // toUpper is full Unicode upper-casing, independent of the locale: "aıf" and "aiﬀ" are
    // audio names too.
    return std::find(kAudioExtensions.begin(), kAudioExtensions.end(),
                     extension.toString().toUpper()) != kAudioExtensions.end();
}

FolderListing listFolder(const QString& folderPath) {
    FolderEntries entries = listFolderEntries(folderPath);
    FolderListing listing{std::move(entries.names), std::move(entries.regularFiles), std::nullopt};
    const auto undecodableAudio = std::find_if(entries.undecodableNames.cbegin(),
                                               entries.undecodableNames.cend(), isAudioName);
    if (undecodableAudio != entries.undecodableNames.cend()) {
        listing.undecodableAudioName = *undecodableAudio;
    }
    return listing;
}

} // namespace brisomel
