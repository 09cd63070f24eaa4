#include "fcpxml/DocumentRows.h"

#include "fcpxml/FcpxmlFormat.h"
#include "fcpxml/TextStyleRow.h"

namespace brisomel {

namespace {

constexpr QStringView kSpaces = u"                                                ";

// Text and audio clips come to several hundred characters each in the document.
constexpr qsizetype kLengthPerClip = 800;
constexpr qsizetype kLengthOfFrame = 4096;

constexpr int kFirstAssetNumber = 4;

QString number(std::int64_t value) {
    return QString::number(value);
}

// A title with its caption: the rows from the title element to its end.
void writeTitle(DocumentText& doc, const TextClip& clip, FpsType fps, int textStyle, int indent) {
    const QString style = number(textStyle);
    doc.line(indent, {uR"(<title ref="r2" offset=")", fcpxmlTime(fps, clip.start), uR"(s" name=")",
                      attributeText(clip.title), uR"(" start="0s" duration=")",
                      fcpxmlTime(fps, clip.duration), uR"(s">)"});
    doc.line(indent + 4,
             {uR"(<param name="配置" key="9999/10199/10201/2/354/1002961760/401" value=")",
              number(rawValue(clip.align)), uR"("/>)"});
    doc.line(indent + 4, {uR"(<param name="位置" key="9999/10199/10201/1/100/101" value=")",
                          formatPosition(clip.posX), u" ", formatPosition(clip.posY), uR"("/>)"});
    doc.line(indent + 4, {u"<text>"});
    doc.line(indent + 8, {uR"(<text-style ref="ts)", style, uR"(">)",
                          captionEscape(xmlSafeText(clip.text)), u"</text-style>"});
    doc.line(indent + 4, {u"</text>"});
    doc.line(indent + 4, {uR"(<text-style-def id="ts)", style, uR"(">)"});
    doc.line(indent + 8, {textStyleElement(clip.style)});
    doc.line(indent + 4, {u"</text-style-def>"});
    doc.line(indent, {u"</title>"});
}

void writeAudioClip(DocumentText& doc, const SoundClip& clip, FpsType fps, int asset, int indent) {
    doc.line(indent,
             {uR"(<asset-clip ref="r)", number(asset), uR"(" lane="-1" offset=")",
              fcpxmlTime(fps, clip.start), uR"(s" name=")", attributeText(clip.title),
              uR"(" duration=")", fcpxmlTime(fps, clip.duration), uR"(s" audioRole="dialogue"/>)"});
}

struct LaneCounters {
    int lane = 1;
    int textStyle = 1;
    int asset = kFirstAssetNumber;
};

// Opens a track's lane at its first title, with a gap up to that title when it starts late.
void openLane(DocumentText& doc, const TextClip& firstTitle, FpsType fps, int lane, int indent) {
    doc.line(indent, {uR"(<spine lane=")", number(lane), uR"(" offset="0s">)"});
    if (firstTitle.start != kCMTimeZero) {
        doc.line(indent + 4, {uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")",
                              fcpxmlTime(fps, firstTitle.start), uR"(s"/>)"});
    }
}

// A track's titles in a lane of their own, its audio clips below the gap.
void writeTrack(DocumentText& doc, const TrackWalk& walk, FpsType fps, LaneIndents indents,
                LaneCounters& counters) {
    bool laneOpen = false;
    for (const auto& clip : walk.clips) {
        if (const auto* text = dynamic_cast<const TextClip*>(clip.get())) {
            if (!laneOpen) {
                openLane(doc, *text, fps, counters.lane, indents.lane);
                laneOpen = true;
            }
            writeTitle(doc, *text, fps, counters.textStyle++, indents.lane + 4);
        } else if (const auto* sound = dynamic_cast<const SoundClip*>(clip.get())) {
            writeAudioClip(doc, *sound, fps, counters.asset++, indents.audioClip);
        }
    }
    if (laneOpen) {
        doc.line(indents.lane, {u"</spine>"});
        ++counters.lane;
    }
}

} // namespace

DocumentText::DocumentText(qsizetype expectedLength) {
    text_.reserve(expectedLength);
}

void DocumentText::line(int indent, std::initializer_list<QStringView> parts) {
    text_ += kSpaces.first(indent);
    for (QStringView part : parts) {
        text_ += part;
    }
    text_ += u'\n';
}

std::vector<TrackWalk> walkTracks(const TrackMap& tracks) {
    std::vector<TrackWalk> walks;
    for (auto& track : sortedTracks(tracks)) {
        auto clips = clipWalk(*track);
        walks.push_back({std::move(track), std::move(clips)});
    }
    return walks;
}

std::vector<const SoundClip*> soundClips(const std::vector<TrackWalk>& walks) {
    std::vector<const SoundClip*> sounds;
    for (const auto& walk : walks) {
        for (const auto& clip : walk.clips) {
            if (const auto* sound = dynamic_cast<const SoundClip*>(clip.get())) {
                sounds.push_back(sound);
            }
        }
    }
    return sounds;
}

qsizetype expectedDocumentLength(const std::vector<TrackWalk>& walks) {
    qsizetype clipCount = 0;
    for (const auto& walk : walks) {
        clipCount += static_cast<qsizetype>(walk.clips.size());
    }
    return kLengthOfFrame + clipCount * kLengthPerClip;
}

QString attributeText(const QString& text) {
    return xmlEscape(xmlSafeText(text));
}

void writeHead(DocumentText& doc, FrameType frameType, FpsType fps) {
    doc.line(0, {uR"(<?xml version="1.0" encoding="UTF-8"?>)"});
    doc.line(0, {u"<!DOCTYPE fcpxml>"});
    doc.line(0, {});
    doc.line(0, {uR"(<fcpxml version="1.9">)"});
    doc.line(4, {u"<resources>"});
    doc.line(8, {uR"(<format id="r1" name=")", formatName(frameType, fps), uR"(" frameDuration=")",
                 number(writtenFrameLength(fps)), u"/", number(timescale(fps)), uR"(s" width=")",
                 number(frameWidth(frameType)), uR"(" height=")", number(frameHeight(frameType)),
                 uR"row(" colorSpace="1-1-1 (Rec. 709)"/>)row"});
    doc.line(8, {uR"(<effect id="r2" name="カスタム" uid=".../Titles.localized/)"
                 uR"(Build In:Out.localized/Custom.localized/Custom.moti"/>)"});
}

void writeAudioAssets(DocumentText& doc, const std::vector<const SoundClip*>& sounds, FpsType fps) {
    int asset = kFirstAssetNumber;
    for (const SoundClip* sound : sounds) {
        doc.line(8,
                 {uR"(<asset id="r)", number(asset++), uR"(" name=")", attributeText(sound->title),
                  uR"(" start="0s" duration=")", fcpxmlTime(fps, sound->duration),
                  uR"(s" hasAudio="1" audioSources="1" audioChannels="1" audioRate=")",
                  formatAudioRate(sound->sampleRate), uR"(">)"});
        doc.line(12, {uR"(<media-rep kind="original-media" src=")",
                      attributeText(mediaUrlText(sound->soundUrl)), uR"(">)"});
        doc.line(12, {u"</media-rep>"});
        doc.line(8, {u"</asset>"});
    }
}

void writeProjectOpening(DocumentText& doc, const QString& name, const QString& eventName,
                         const QString& totalText) {
    doc.line(4, {u"</resources>"});
    doc.line(4, {uR"(<library location="">)"});
    doc.line(8, {uR"(<event name=")", xmlSafeText(eventName), uR"(">)"});
    doc.line(12, {uR"(<project name=")", attributeText(name), uR"(">)"});
    doc.line(16, {uR"(<sequence format="r1" duration=")", totalText,
                  uR"(s" tcStart="0s" tcFormat="NDF" renderFormat="FFRenderFormatProRes422" )"
                  uR"(audioLayout="stereo" audioRate="192k">)"});
    doc.line(20, {u"<spine>"});
    doc.line(24,
             {uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")", totalText, uR"(s">)"});
}

void writeProjectClosing(DocumentText& doc) {
    doc.line(24, {u"</gap>"});
    doc.line(20, {u"</spine>"});
    doc.line(16, {u"</sequence>"});
    doc.line(12, {u"</project>"});
}

void writeLibraryClosing(DocumentText& doc) {
    doc.line(8, {u"</event>"});
    doc.line(4, {u"</library>"});
    doc.line(0, {u"</fcpxml>"});
}

void writeLanes(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps,
                LaneIndents indents) {
    LaneCounters counters;
    for (const auto& walk : walks) {
        writeTrack(doc, walk, fps, indents, counters);
    }
}

} // namespace brisomel
