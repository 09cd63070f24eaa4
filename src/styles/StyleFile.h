#pragma once

#include "core/Failure.h"
#include "timeline/CaptionStyle.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace brisomel {

// The style file is one JSON object from speaker name ("*" for every speaker not named) to
// that speaker's style, which gives only what differs from the default:
//   { "Name": { "font": "…", "face": "W6", "size": 80, "color": "#FFD700",
//               "stroke": "#000000", "strokeWidth": 4, "shadow": "#00000080",
//               "shadowDistance": 5, "shadowAngle": 315, "shadowBlur": 3 } }
// Any outline key switches the outline on and any shadow key the shadow, the others taking
// their defaults. The earlier "shadowOffset": [x, y] is still read as distance and angle.
// The portrait keys ("portrait", "portraitOpen", "portraitPosition": [x, y], "portraitScale",
// "portraitShown": "speaking" | "always", "portraitThreshold", "portraitHold") give the speaker
// a portrait; image paths are relative to the style file's folder.

// How a number outside its key's range is met: refused in a file the user hands over, brought
// into range in a style kept from an earlier version that allowed it.
enum class OutOfRange { refuse, clamp };

// The styles of a style file's text; failures name the file, the speaker and the key.
Result<SpeakerStyles> parseStyleFile(const QByteArray& json, const QString& path);
Result<SpeakerStyles> readStyleFile(const QString& path);

// The text of a style file, keys in code-unit order, so equal styles give equal files.
QByteArray styleFileText(const SpeakerStyles& styles);
Status writeStyleFile(const QString& path, const SpeakerStyles& styles);

// One speaker's entry of the file, relative image paths starting from `baseFolder` (the
// current folder when empty). A failure names the speaker and the key in its reason.
Result<CaptionStyle> parseStyleEntry(const QJsonObject& entry, const QString& speaker,
                                     OutOfRange outOfRange = OutOfRange::refuse,
                                     const QString& baseFolder = {});
QJsonObject styleEntry(const CaptionStyle& style);

// "#RRGGBB" for an opaque colour, else "#RRGGBBAA"; upper-case digits.
QString styleColorText(StyleColor color);
std::optional<StyleColor> parseStyleColor(const QString& text);

} // namespace brisomel
