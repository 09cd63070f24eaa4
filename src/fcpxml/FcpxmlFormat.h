#pragma once

#include "timeline/TextCleaning.h"
#include "timeline/Timeline.h"
#include "timeline/WritingOrder.h"

#include <QString>
#include <QStringView>
#include <QUrl>

#include <memory>
#include <vector>

namespace brisomel {

// "<n>/<TS>" for a clip time counted in the rate's timescale (without the unit letter).
QString fcpxmlTime(FpsType fps, CMTime time);
// Attribute-safe text: & ' " > < replaced by their five entities, in that order.
QString xmlEscape(const QString& text);

// Which characters user text replaces by entities: an attribute value's five or a caption's three.
enum class XmlEntities { attribute, caption };
// Writes xmlSafeText(text) with an attribute value's five entities (as xmlEscape) or a caption's
// three (& > <), in one pass, to `out`, which has room for kLongestXmlUnit units per unit of text;
// returns the end of what it wrote.
QChar* writeXmlText(QChar* out, QStringView text, XmlEntities entities);
// The most units one unit of text takes in XML (as "&quot;").
constexpr qsizetype kLongestXmlUnit = 6;

// The URL as a valid RFC 3986 reference: the encoded form, with every byte that a URI may not
// hold as it stands (such as "[" and "]" outside an IPv6 host) percent-encoded too.
QString mediaUrlText(const QUrl& url);
// How a system writes its paths: "/" alone, or "\\" as well, with drive letters and UNC hosts.
enum class PathStyle { posix, windows };
#ifdef Q_OS_WIN
constexpr PathStyle kNativePathStyle = PathStyle::windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::posix;
#endif
// mediaUrlText(QUrl::fromLocalFile(path)), written straight from the path's UTF-8 bytes when the
// path is a plain absolute one (the common case) and through QUrl otherwise. The bytes of a name
// stay as they are, decomposed (NFD) ones too. A Windows path may use either separator:
// C:\声\001.wav is file:///C:/%E5%A3%B0/001.wav, \\nas\share\a.wav is file://nas/share/a.wav.
QString localMediaUrlText(const QString& path, PathStyle style = kNativePathStyle);

// Shortest text that reads back to the same float, always with a fractional part.
QString formatPosition(float value);
// The sample rate truncated toward zero.
QString formatAudioRate(double sampleRate);

QString formatName(FrameType frame, FpsType fps);

} // namespace brisomel
