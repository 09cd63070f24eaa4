#include "fcpxml/DocumentRows.h"

#include "fcpxml/TextStyleRow.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <charconv>

namespace brisomel {

namespace {

constexpr int kIndentWidth = 4;

// Text and audio clips come to several hundred characters each in the document.
constexpr qsizetype kLengthPerClip = 800;
constexpr qsizetype kLengthOfFrame = 4096;

constexpr int kFirstAssetNumber = 4;

// A title with its caption: the rows from the title element to its end.
void writeTitle(DocumentText& doc, const TextClip& clip, FpsType fps, int textStyle) {
    doc.open({uR"(<title ref="r2" offset=")", writtenTime(fps, clip.start), uR"(s" name=")",
              LinePart::attribute(clip.title), uR"(" start="0s" duration=")",
              writtenTime(fps, clip.duration), uR"(s">)"});
    doc.line({uR"(<param name="配置" key="9999/10199/10201/2/354/1002961760/401" value=")",
              rawValue(clip.align), uR"("/>)"});
    doc.line({uR"(<param name="位置" key="9999/10199/10201/1/100/101" value=")",
              formatPosition(clip.posX), u" ", formatPosition(clip.posY), uR"("/>)"});
    doc.open({u"<text>"});
    doc.line({uR"(<text-style ref="ts)", textStyle, uR"(">)", LinePart::caption(clip.text),
              u"</text-style>"});
    doc.close({u"</text>"});
    doc.open({uR"(<text-style-def id="ts)", textStyle, uR"(">)"});
    doc.line({textStyleElement(clip.style)});
    doc.close({u"</text-style-def>"});
    doc.close({u"</title>"});
}

// A voice clip; with a gain, the clip holds it in decibels as the editor writes it ("-3.2dB").
void writeAudioClip(DocumentText& doc, const SoundClip& clip, FpsType fps, int asset) {
    const bool hasGain = clip.volumeDb.has_value();
    const auto write = hasGain ? &DocumentText::open : &DocumentText::line;
    (doc.*write)({uR"(<asset-clip ref="r)", asset, uR"(" lane="-1" offset=")",
                  writtenTime(fps, clip.start), uR"(s" name=")", LinePart::attribute(clip.title),
                  uR"(" duration=")", writtenTime(fps, clip.duration),
                  hasGain ? QStringView(uR"(s" audioRole="dialogue">)")
                          : QStringView(uR"(s" audioRole="dialogue"/>)")});
    if (hasGain) {
        doc.line({uR"(<adjust-volume amount=")",
                  LinePart::attribute(QString::number(*clip.volumeDb, 'f', 1)), uR"(dB"/>)"});
        doc.close({u"</asset-clip>"});
    }
}

struct LaneCounters {
    int lane = 1;
    int textStyle = 1;
    int asset = kFirstAssetNumber;
};

// Opens a track's lane at its first title, with a gap up to that title when it starts late.
void openLane(DocumentText& doc, const TextClip& firstTitle, FpsType fps, int lane) {
    doc.open({uR"(<spine lane=")", lane, uR"(" offset="0s">)"});
    if (firstTitle.start != kCMTimeZero) {
        doc.line({uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")",
                  writtenTime(fps, firstTitle.start), uR"(s"/>)"});
    }
}

// A track's titles in a lane of their own, its audio clips below the gap; the titles stand inside
// the lane, which is opened at the first of them.
void writeTrack(DocumentText& doc, const TrackWalk& walk, FpsType fps, LaneLevels levels,
                LaneCounters& counters) {
    const int depth = doc.depth();
    const int laneDepth = depth + levels.lane;
    bool laneOpen = false;
    for (const auto& clip : walk.clips) {
        if (const auto* text = clipAs<TextClip>(*clip)) {
            if (laneOpen) {
                doc.setDepth(laneDepth + 1);
            } else {
                doc.setDepth(laneDepth);
                openLane(doc, *text, fps, counters.lane);
                laneOpen = true;
            }
            writeTitle(doc, *text, fps, counters.textStyle++);
        } else if (const auto* sound = clipAs<SoundClip>(*clip)) {
            doc.setDepth(depth + levels.audioClip);
            writeAudioClip(doc, *sound, fps, counters.asset++);
        }
    }
    if (laneOpen) {
        doc.setDepth(laneDepth + 1);
        doc.close({u"</spine>"});
        ++counters.lane;
    }
    doc.setDepth(depth);
}

// The images of the still clips, each once, in writing order; the n-th has format r(first + 2n)
// and asset r(first + 2n + 1).
struct StillAssets {
    std::vector<const StillClip*> images;
    QHash<QString, int> assetByPath;
};

StillAssets stillAssets(const std::vector<TrackWalk>& walks, int firstNumber) {
    StillAssets assets;
    for (const auto& walk : walks) {
        for (const auto& clip : walk.clips) {
            const auto* still = clipAs<StillClip>(*clip);
            if (still && !assets.assetByPath.contains(still->path)) {
                const int format = firstNumber + 2 * static_cast<int>(assets.images.size());
                assets.assetByPath.insert(still->path, format + 1);
                assets.images.push_back(still);
            }
        }
    }
    return assets;
}

// A number of the transform: as short as it reads back, to 6 significant digits.
QString transformNumber(double value) {
    return QString::number(value, 'g', 6);
}

// A still over its part of the timeline, at its own pixel size: the editor would otherwise fit
// it to the frame ("fit" is its default conform) and scale from there. The editor reads the
// transform in its own units: the position in percent of the frame's height from its centre, y
// upwards, the scale as a factor.
void writeStill(DocumentText& doc, const StillClip& clip, FpsType fps, FrameType frame, int asset) {
    doc.open({uR"(<video ref="r)", asset, uR"(" offset=")", writtenTime(fps, clip.start),
              uR"(s" name=")", LinePart::attribute(clip.title), uR"(" start="0s" duration=")",
              writtenTime(fps, clip.duration), uR"(s">)"});
    doc.line({uR"(<adjust-conform type="none"/>)"});
    if (clip.x != 0 || clip.y != 0 || clip.scale != 100) {
        const double height = frameHeight(frame);
        const QString x = transformNumber(clip.x * 100.0 / height);
        const QString y = transformNumber(clip.y * 100.0 / height);
        const QString scale = transformNumber(clip.scale / 100.0);
        doc.line({uR"(<adjust-transform position=")", x, u" ", y, uR"(" scale=")", scale, u" ",
                  scale, uR"("/>)"});
    }
    doc.close({u"</video>"});
}

// Every track's stills in a lane of their own, numbered from 1 below the title lanes; returns
// the next lane's number.
int writeStillLanes(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps,
                    FrameType frame, const StillAssets& assets, int laneLevel) {
    const int depth = doc.depth();
    int lane = 1;
    for (const auto& walk : walks) {
        bool laneOpen = false;
        for (const auto& clip : walk.clips) {
            const auto* still = clipAs<StillClip>(*clip);
            if (!still) {
                continue;
            }
            if (!laneOpen) {
                doc.setDepth(depth + laneLevel);
                doc.open({uR"(<spine lane=")", lane, uR"(" offset="0s">)"});
                if (still->start != kCMTimeZero) {
                    doc.line({uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")",
                              writtenTime(fps, still->start), uR"(s"/>)"});
                }
                laneOpen = true;
            }
            writeStill(doc, *still, fps, frame, assets.assetByPath.value(still->path));
        }
        if (laneOpen) {
            doc.close({u"</spine>"});
            ++lane;
        }
    }
    doc.setDepth(depth);
    return lane;
}

} // namespace

LinePart::LinePart(std::int64_t number) : kind_(Kind::formatted) {
    appendDecimal(number);
}

LinePart::LinePart(WrittenTime time) : kind_(Kind::formatted) {
    appendDecimal(time.value);
    formatted_[formattedLength_++] = u'/';
    appendDecimal(time.timescale);
}

LinePart LinePart::attribute(const QString& text) {
    return {Kind::attribute, text};
}

LinePart LinePart::caption(const QString& text) {
    return {Kind::caption, text};
}

void LinePart::appendDecimal(std::int64_t number) {
    char digits[24];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    for (const char* digit = digits; digit != end; ++digit) {
        formatted_[formattedLength_++] = static_cast<char16_t>(*digit);
    }
}

qsizetype LinePart::longestLength() const {
    switch (kind_) {
    case Kind::text:
        return text_.size();
    case Kind::attribute:
    case Kind::caption:
        return text_.size() * kLongestXmlUnit;
    case Kind::formatted:
        return formattedLength_;
    }
    return 0;
}

QChar* LinePart::writeTo(QChar* out) const {
    switch (kind_) {
    case Kind::text:
        return std::copy(text_.begin(), text_.end(), out);
    case Kind::attribute:
        return writeXmlText(out, text_, XmlEntities::attribute);
    case Kind::caption:
        return writeXmlText(out, text_, XmlEntities::caption);
    case Kind::formatted:
        return std::copy_n(formatted_.data(), formattedLength_, out);
    }
    return out;
}

DocumentText::DocumentText(qsizetype expectedLength) {
    text_.reserve(expectedLength);
}

void DocumentText::line(std::initializer_list<LinePart> parts) {
    // Written in place: the string is lengthened by as much as the line can take, then cut back
    // to what it took.
    const qsizetype indent = depth_ * kIndentWidth;
    qsizetype longest = indent + 1;
    for (const LinePart& part : parts) {
        longest += part.longestLength();
    }
    const qsizetype start = text_.size();
    if (start + longest > text_.capacity()) {
        text_.reserve(std::max(2 * text_.capacity(), start + longest));
    }
    text_.resize(start + longest);
    QChar* out = std::fill_n(text_.data() + start, indent, u' ');
    for (const LinePart& part : parts) {
        out = part.writeTo(out);
    }
    *out++ = u'\n';
    text_.truncate(out - text_.constData());
}

void DocumentText::open(std::initializer_list<LinePart> parts) {
    line(parts);
    ++depth_;
}

void DocumentText::close(std::initializer_list<LinePart> parts) {
    --depth_;
    line(parts);
}

std::vector<const SoundClip*> soundClips(const std::vector<TrackWalk>& walks) {
    std::vector<const SoundClip*> sounds;
    for (const auto& walk : walks) {
        for (const auto& clip : walk.clips) {
            if (const auto* sound = clipAs<SoundClip>(*clip)) {
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
    doc.line({uR"(<?xml version="1.0" encoding="UTF-8"?>)"});
    doc.line({u"<!DOCTYPE fcpxml>"});
    doc.line({});
    doc.open({uR"(<fcpxml version="1.9">)"});
    doc.open({u"<resources>"});
    doc.line({uR"(<format id="r1" name=")", formatName(frameType, fps), uR"(" frameDuration=")",
              writtenFrameLength(fps), u"/", timescale(fps), uR"(s" width=")",
              frameWidth(frameType), uR"(" height=")", frameHeight(frameType),
              uR"row(" colorSpace="1-1-1 (Rec. 709)"/>)row"});
    doc.line({uR"(<effect id="r2" name="カスタム" uid=".../Titles.localized/)"
              uR"(Build In:Out.localized/Custom.localized/Custom.moti"/>)"});
}

namespace {

QString soundUrlText(const SoundClip& sound) {
    return localMediaUrlText(sound.path);
}

} // namespace

void writeAudioAssets(DocumentText& doc, const std::vector<const SoundClip*>& sounds, FpsType fps) {
    int asset = kFirstAssetNumber;
    for (const SoundClip* sound : sounds) {
        doc.open({uR"(<asset id="r)", asset++, uR"(" name=")", LinePart::attribute(sound->title),
                  uR"(" start="0s" duration=")", writtenTime(fps, sound->duration),
                  uR"(s" hasAudio="1" audioSources="1" audioChannels="1" audioRate=")",
                  formatAudioRate(sound->sampleRate), uR"(">)"});
        doc.open({uR"(<media-rep kind="original-media" src=")",
                  LinePart::attribute(soundUrlText(*sound)), uR"(">)"});
        doc.close({u"</media-rep>"});
        doc.close({u"</asset>"});
    }
}

void writeProjectOpening(DocumentText& doc, const QString& name, const QString& eventName,
                         const QString& totalText) {
    doc.close({u"</resources>"});
    doc.open({uR"(<library location="">)"});
    doc.open({uR"(<event name=")", xmlSafeText(eventName), uR"(">)"});
    doc.open({uR"(<project name=")", LinePart::attribute(name), uR"(">)"});
    doc.open({uR"(<sequence format="r1" duration=")", totalText,
              uR"(s" tcStart="0s" tcFormat="NDF" renderFormat="FFRenderFormatProRes422" )"
              uR"(audioLayout="stereo" audioRate="192k">)"});
    doc.open({u"<spine>"});
    doc.open({uR"(<gap name="ギャップ" offset="0s" start="0s" duration=")", totalText, uR"(s">)"});
}

void writeProjectClosing(DocumentText& doc) {
    doc.close({u"</gap>"});
    doc.close({u"</spine>"});
    doc.close({u"</sequence>"});
    doc.close({u"</project>"});
}

void writeLibraryClosing(DocumentText& doc) {
    doc.close({u"</event>"});
    doc.close({u"</library>"});
    doc.close({u"</fcpxml>"});
}

void writeStillAssets(DocumentText& doc, const std::vector<TrackWalk>& walks,
                      std::size_t soundCount) {
    const StillAssets assets = stillAssets(walks, kFirstAssetNumber + static_cast<int>(soundCount));
    for (const StillClip* still : assets.images) {
        const int asset = assets.assetByPath.value(still->path);
        // Stills have no rate: the editor's own documents give them a rate-undefined format of
        // the image's size in the sRGB colour space.
        doc.line({uR"(<format id="r)", asset - 1, uR"(" name="FFVideoFormatRateUndefined" width=")",
                  still->pixelWidth, uR"(" height=")", still->pixelHeight,
                  uR"(" colorSpace="1-13-1"/>)"});
        doc.open({uR"(<asset id="r)", asset, uR"(" name=")",
                  LinePart::attribute(QFileInfo(still->path).completeBaseName()),
                  uR"(" start="0s" duration="0s" hasVideo="1" format="r)", asset - 1,
                  uR"(" videoSources="1">)"});
        doc.open({uR"(<media-rep kind="original-media" src=")",
                  LinePart::attribute(localMediaUrlText(still->path)), uR"(">)"});
        doc.close({u"</media-rep>"});
        doc.close({u"</asset>"});
    }
}

void writeLanes(DocumentText& doc, const std::vector<TrackWalk>& walks, FpsType fps,
                FrameType frame, LaneLevels levels) {
    LaneCounters counters;
    const StillAssets assets =
        stillAssets(walks, kFirstAssetNumber + static_cast<int>(soundClips(walks).size()));
    if (!assets.images.empty()) {
        // Stills lie under the titles: their lanes come first.
        counters.lane = writeStillLanes(doc, walks, fps, frame, assets, levels.lane);
    }
    for (const auto& walk : walks) {
        writeTrack(doc, walk, fps, levels, counters);
    }
}

} // namespace brisomel
