#pragma once

#include "timeline/Timeline.h"

#include <QString>
#include <QStringView>
#include <QUrl>

#include <memory>
#include <vector>

namespace brisomel {

// A clip time as the document writes it, in units of the rate's timescale: whole nominal frames,
// each at its written length (so the 1001-based rates run 1.001 times longer).
std::int64_t writtenTimeValue(FpsType fps, CMTime time);
// "<n>/<TS>" for a clip time counted in the rate's timescale (without the unit letter).
QString fcpxmlTime(FpsType fps, CMTime time);
// A clip time as the document writes it: "<value>/<timescale>" (without the unit letter).
struct WrittenTime {
    std::int64_t value;
    std::int64_t timescale;
};
WrittenTime writtenTime(FpsType fps, CMTime time);
// Attribute-safe text: & ' " > < replaced by their five entities, in that order.
QString xmlEscape(const QString& text);
// Caption content: & > < replaced by their entities, in that order.
QString captionEscape(const QString& text);
// Leaves out the characters XML 1.0 cannot carry (C0 controls but TAB, LF, CR; U+FFFE, U+FFFF;
// unpaired surrogates), so a stray control character never makes the document unreadable.
QString xmlSafeText(const QString& text);

// Which characters user text replaces by entities: an attribute value's five or a caption's three.
enum class XmlEntities { attribute, caption };
// Writes the text as xmlEscape(xmlSafeText(text)) or captionEscape(xmlSafeText(text)) gives it,
// in one pass, to `out`, which has room for kLongestXmlUnit units per unit of text; returns the end
// of what it wrote.
QChar* writeXmlText(QChar* out, QStringView text, XmlEntities entities);
// The most units one unit of text takes in XML (as "&quot;").
constexpr qsizetype kLongestXmlUnit = 6;

// The URL as a valid RFC 3986 reference: the encoded form, with every byte that a URI may not
// hold as it stands (such as "[" and "]" outside an IPv6 host) percent-encoded too.
QString mediaUrlText(const QUrl& url);
// mediaUrlText(QUrl::fromLocalFile(path)), written straight from the path's UTF-8 bytes when the
// path is a plain absolute one (the common case) and through QUrl otherwise.
QString localMediaUrlText(const QString& path);

// Shortest text that reads back to the same float, always with a fractional part.
QString formatPosition(float value);
// The sample rate truncated toward zero.
QString formatAudioRate(double sampleRate);

QString formatName(FrameType frame, FpsType fps);

// Tracks sorted stably by title (code-point order of NFC forms); equal titles keep map order.
std::vector<std::shared_ptr<Track>> sortedTracks(const TrackMap& tracks);
// The clips of a track in writing order: from the first clip, each next one the nearest that
// starts at or after the end of the one before; never the same clip twice.
std::vector<std::shared_ptr<Clip>> clipWalk(const Track& track);

} // namespace brisomel
