#pragma once

#include "timeline/Timeline.h"

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <memory>
#include <vector>

namespace brisomel {

// The document under construction, line by line: each line is indented with spaces and ends
// with a single LF.
class DocumentText {
public:
    explicit DocumentText(qsizetype expectedLength);

    void line(int indent, std::initializer_list<QStringView> parts);
    QString take() { return std::move(text_); }

private:
    QString text_;
};

// A track with its clips in writing order.
struct TrackWalk {
    std::shared_ptr<Track> track;
    std::vector<std::shared_ptr<Clip>> clips;
};

// Every track in writing order, each walked once so that every pass over the walks sees the
// same clips in the same order.
std::vector<TrackWalk> walkTracks(const TrackMap& tracks);

// The audio clips of the walks in writing order; the n-th one is asset r(4+n).
std::vector<const SoundClip*> soundClips(const std::vector<TrackWalk>& walks);

// Roughly the length of the finished document, to reserve it at once.
qsizetype expectedDocumentLength(const std::vector<TrackWalk>& walks);

// User text for an attribute value.
QString attributeText(const QString& text);

// Declaration, doctype, and the resources up to the video format and the title effect.
void writeHead(DocumentText& doc, FrameType frameType, FpsType fps);

// One asset per audio clip, numbered from r4 in the given order.
void writeAudioAssets(DocumentText& doc, const std::vector<const SoundClip*>& sounds, FpsType fps);

// Closes the resources and opens the library, event, project and the project's gap.
void writeProjectOpening(DocumentText& doc, const QString& name, const QString& eventName,
                         const QString& totalText);

// Closes the project's gap, spine, sequence and the project.
void writeProjectClosing(DocumentText& doc);

// Closes the event, the library and the document.
void writeLibraryClosing(DocumentText& doc);

// Where the lanes stand: the lane's spine and the audio clips sit at these indents.
struct LaneIndents {
    int lane;
    int audioClip;
};

// Every track's titles as a lane of their own (lanes numbered from 1, text styles from ts1), and
// its audio clips below the gap (assets numbered from r4).
void writeLanes(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps,
                LaneIndents indents);

} // namespace brisomel
