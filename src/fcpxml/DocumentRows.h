#pragma once

#include "fcpxml/FcpxmlFormat.h"
#include "timeline/Timeline.h"

#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

namespace brisomel {

// One piece of a document line: text as it stands, user text made XML-safe with its entities
// replaced, or a number or clip time. Nothing is copied into a string of its own: numbers and
// times are formatted in place, user text goes straight into the document.
class LinePart {
public:
    LinePart(QStringView text) : text_(text) {}
    LinePart(const QString& text) : text_(text) {}
    template <std::size_t N> LinePart(const char16_t (&text)[N]) : text_(text, N - 1) {}
    LinePart(std::int64_t number);
    LinePart(int number) : LinePart(std::int64_t{number}) {}
    LinePart(WrittenTime time);

    // User text in an attribute value: as xmlEscape(xmlSafeText(text)) gives it.
    static LinePart attribute(const QString& text);
    // User text as an element's content: xmlSafeText(text) with & > < as entities.
    static LinePart caption(const QString& text);

    // The most units the part can take in the document.
    qsizetype longestLength() const;
    // Writes the part to `out`, which has room for its longest length; returns the end.
    QChar* writeTo(QChar* out) const;

private:
    enum class Kind { text, attribute, caption, formatted };

    LinePart(Kind kind, QStringView text) : kind_(kind), text_(text) {}
    void appendDecimal(std::int64_t number);

    Kind kind_ = Kind::text;
    QStringView text_;
    std::array<char16_t, 48> formatted_;
    qsizetype formattedLength_ = 0;
};

// The document under construction, line by line: each line is indented by its depth, four spaces
// a level, and ends with a single LF. Opening and closing lines move the depth, so the writers
// state where an element begins and ends, never how far it is indented.
// Kept instead of QXmlStreamWriter for speed: 1.0 ms against 43.6 ms for a 10,010-line document
// (bench/FacilitiesBench.cpp, medians of 11 runs on 2 cores under load).
class DocumentText {
public:
    explicit DocumentText(qsizetype expectedLength);

    // A line at the current depth.
    void line(std::initializer_list<LinePart> parts);
    // A line that opens an element: the lines after it stand one level deeper.
    void open(std::initializer_list<LinePart> parts);
    // A line that closes an element, one level shallower than the lines before it.
    void close(std::initializer_list<LinePart> parts);

    int depth() const { return depth_; }
    void setDepth(int depth) { depth_ = depth; }

    QString take() { return std::move(text_); }

private:
    QString text_;
    int depth_ = 0;
};

// The audio clips of the walks in writing order; the n-th one is asset r(4+n).
std::vector<const SoundClip*> soundClips(const std::vector<TrackWalk>& walks);

// Roughly the length of the finished document, to reserve it at once.
qsizetype expectedDocumentLength(const std::vector<TrackWalk>& walks);

// User text for an attribute value.
QString attributeText(const QString& text);

// Declaration, doctype, and the resources up to the video format and the title effect; leaves the
// document inside the resources.
void writeHead(DocumentText& doc, FrameType frameType, FpsType fps);

// One asset per audio clip, numbered from r4 in the given order.
void writeAudioAssets(DocumentText& doc, const std::vector<const SoundClip*>& sounds, FpsType fps);

// One still asset per image of the still clips (a rate-undefined format of its size, then the
// asset), numbered after the `soundCount` audio assets.
void writeStillAssets(DocumentText& doc, const std::vector<TrackWalk>& walks,
                      std::size_t soundCount);

// Closes the resources and opens the library, event, project and the project's gap; leaves the
// document inside the gap.
void writeProjectOpening(DocumentText& doc, const QString& name, const QString& eventName,
                         const QString& totalText);

// Closes the project's gap, spine, sequence and the project.
void writeProjectClosing(DocumentText& doc);

// Closes the event, the library and the document.
void writeLibraryClosing(DocumentText& doc);

// Where the lanes stand, in levels from the document's depth: each lane's spine, and the audio
// clips.
struct LaneLevels {
    int lane;
    int audioClip;
};

// Every track's stills as a lane of their own, then every track's titles as a lane of their own
// above them (lanes numbered from 1, text styles from ts1), and its audio clips below the gap
// (assets numbered from r4, the stills' after the audio's). The depth is as before afterwards.
void writeLanes(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps,
                FrameType frame, LaneLevels levels);

} // namespace brisomel
