#include "fcpxml/ProjectWriter.h"

#include "fcpxml/DocumentRows.h"
#include "fcpxml/FcpxmlFormat.h"

#include <algorithm>

namespace brisomel {

namespace {

// Every written title and audio clip, ordered by start; clips sharing a start keep their writing
// order.
std::vector<SplitClip> splitRecords(const std::vector<TrackWalk>& walks) {
    std::vector<SplitClip> records;
    for (const auto& walk : walks) {
        for (const auto& clip : walk.clips) {
            if (dynamic_cast<const TextClip*>(clip.get()) ||
                dynamic_cast<const SoundClip*>(clip.get())) {
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
        const QString start = fcpxmlTime(fps, record.start);
        doc.line(32, {uR"(<ref-clip ref="r3" offset=")", start, uR"(s" start=")", start,
                      uR"(s" name=")", attributeText(record.title), uR"(" duration=")",
                      fcpxmlTime(fps, record.duration), uR"(s" useAudioSubroles="1"/>)"});
    }
}

} // namespace

QString makeFCPXMLWithSplitClips(const QString& name, const TrackMap& tracks, FrameType frameType,
                                 FpsType fpsType, const QString& eventName) {
    const QString total = fcpxmlTime(fpsType, timelineEnd(tracks));
    const std::vector<TrackWalk> walks = walkTracks(tracks);
    DocumentText doc(expectedDocumentLength(walks));

    writeHead(doc, frameType, fpsType);
    doc.line(8, {uR"(<media id="r3" name=")", attributeText(name), uR"(_素材クリップ">)"});
    doc.line(
        12, {uR"(<sequence format="r1" duration=")", total, uR"(s" tcStart="0s" tcFormat="NDF">)"});
    doc.line(16, {u"<spine>"});
    doc.line(20, {uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")", total, uR"(s">)"});
    writeLanes(doc, walks, fpsType, {.lane = 20, .audioClip = 24});
    doc.line(20, {u"</gap>"});
    doc.line(16, {u"</spine>"});
    doc.line(12, {u"</sequence>"});
    doc.line(8, {u"</media>"});
    writeAudioAssets(doc, soundClips(walks), fpsType);

    writeProjectOpening(doc, name, eventName, total);
    doc.line(28, {uR"(<spine lane="1" offset="0s">)"});
    writeReferenceClips(doc, walks, fpsType);
    doc.line(28, {u"</spine>"});
    writeProjectClosing(doc);
    doc.line(12,
             {uR"(<ref-clip ref="r3" name="" duration=")", total, uR"(s" useAudioSubroles="1">)"});
    doc.line(12, {u"</ref-clip>"});
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
    writeAudioAssets(doc, soundClips(walks), fpsType);
    writeProjectOpening(doc, name, eventName, total);
    writeLanes(doc, walks, fpsType, {.lane = 28, .audioClip = 28});
    writeProjectClosing(doc);
    writeLibraryClosing(doc);
    return doc.take();
}

} // namespace brisomel
