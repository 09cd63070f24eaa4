#pragma once

#include "core/Failure.h"
#include "timeline/CaptionStyle.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace brisomel {

// An image file with its size in pixels.
struct PortraitImage {
    QString path;
    int width = 0;
    int height = 0;
};

// A speaker's portrait ready to place: its images read, its placement from the style.
struct SpeakerPortrait {
    PortraitImage closed;
    std::optional<PortraitImage> open;
    PortraitStyle style;
};

// The open-mouth image of a speaker in a portrait folder is SPEAKER + this + the extension.
inline const QString kOpenMouthSuffix = QStringLiteral("_口開");

// A folder of portraits by speaker name: SPEAKER.png (or .jpg, .jpeg) is the image,
// SPEAKER_口開.png the open mouth. Names are matched in their NFC form and extensions in either
// case, so a folder written on any system is found.
class PortraitFolder {
public:
    explicit PortraitFolder(const QString& folder);

    // The speaker's images, empty where the folder has none.
    QString image(const QString& speaker) const;
    QString openImage(const QString& speaker) const;

private:
    QHash<QString, QString> byStem_; // NFC file name without extension -> path
};

// The speakers' portraits, keyed by the NFC form of their names. A style's own image wins over
// the folder's; a speaker whose style gives no image takes the folder's with the style's
// placement. A missing or unreadable image is a failure naming the file and the speaker.
Result<QHash<QString, SpeakerPortrait>> speakerPortraits(const QStringList& speakers,
                                                         const SpeakerStyles& styles,
                                                         const QString& portraitFolder);

} // namespace brisomel
