#include "fcpxml/ProjectWriter.h"

#include "fcpxml/DocumentRows.h"
#include "fcpxml/FcpxmlFormat.h"

#include <algorithm>

namespace brisomel {

namespace {

// One clip as listed for split output.
struct SplitClip {
    QString title;
    CMTime start;
    CMTime duration;
};

// Every written title and audio clip, ordered by start; clips sharing a start keep their writing
// order.
std::vector<SplitClip> splitRecords(const std::vector<TrackWalk>& walks) {
    std::vector<SplitClip> records;
    for (const auto& walk : walks) {
        for (const auto& clip : walk.clips) {
            if (clipAs<TextClip>(*clip) || clipAs<SoundClip>(*clip)) {
                records.push_back({clip->title, clip->start, clip->duration});
            }
        }
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const SplitClip& a, const SplitClip& b) { return a.start < b.start; });
    return records;
}

// One piece of the compound clip per distinct start, placed where it begins.
void writeReferenceClips(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps) {
    const std::vector<SplitClip> records = splitRecords(walks);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const SplitClip& record = records[i];
        if (i > 0 && record.start == records[i - 1].start) {
            continue;
        }
        const WrittenTime start = writtenTime(fps, record.start);
        doc.line({uR"(<ref-clip ref="r3" offset=")", start, uR"(s" start=")", start,
                  uR"(s" name=")", LinePart::attribute(record.title), uR"(" duration=")",
                  writtenTime(fps, record.duration), uR"(s" useAudioSubroles="1"/>)"});
    }
}

} // namespace

QString makeFCPXMLWithSplitClips(const QString& name, const TrackMap& tracks, FrameType frameType,
                                 FpsType fpsType, const QString& eventName) {
    const QString total = fcpxmlTime(fpsType, timelineEnd(tracks));
    const std::vector<TrackWalk> walks = walkTracks(tracks);
    DocumentText doc(expectedDocumentLength(walks));

    writeHead(doc, frameType, fpsType);
    doc.open({uR"(<media id="r3" name=")", LinePart::attribute(name), uR"(_素材クリップ">)"});
    doc.open(
        {uR"(<sequence format="r1" duration=")", total, uR"(s" tcStart="0s" tcFormat="NDF">)"});
    doc.open({u"<spine>"});
    doc.open({uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")", total, uR"(s">)"});
    // The compound clip's lanes stand beside its gap, the audio clips inside it.
    writeLanes(doc, walks, fpsType, frameType, {.lane = -1, .audioClip = 0});
    doc.close({u"</gap>"});
    doc.close({u"</spine>"});
    doc.close({u"</sequence>"});
    doc.close({u"</media>"});
    const std::vector<const SoundClip*> sounds = soundClips(walks);
    writeAudioAssets(doc, sounds, fpsType);
    writeStillAssets(doc, walks, sounds.size());

    writeProjectOpening(doc, name, eventName, total);
    doc.open({uR"(<spine lane="1" offset="0s">)"});
    writeReferenceClips(doc, walks, fpsType);
    doc.close({u"</spine>"});
    writeProjectClosing(doc);
    doc.open({uR"(<ref-clip ref="r3" name="" duration=")", total, uR"(s" useAudioSubroles="1">)"});
    doc.close({u"</ref-clip>"});
    writeLibraryClosing(doc);
    return doc.take();
}

QString makeFCPXMLWithoutSplitClips(const QString& name, const TrackMap& tracks,
                                    FrameType frameType, FpsType fpsType,
                                    const QString& eventName) {
    const QString total = fcpxmlTime(fpsType, timelineEnd(tracks));
    const std::vector<TrackWalk> walks = walkTracks(tracks);
    DocumentText doc(expectedDocumentLength(walks));

    writeHead(doc, frameType, fpsType);
    const std::vector<const SoundClip*> sounds = soundClips(walks);
    writeAudioAssets(doc, sounds, fpsType);
    writeStillAssets(doc, walks, sounds.size());
    writeProjectOpening(doc, name, eventName, total);
    // The project's lanes and audio clips stand inside its gap.
    writeLanes(doc, walks, fpsType, frameType, {.lane = 0, .audioClip = 0});
    writeProjectClosing(doc);
    writeLibraryClosing(doc);
    return doc.take();
}

} // namespace brisomel
