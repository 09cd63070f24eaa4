#pragma once

#include "timeline/CaptionStyle.h"
#include "timeline/OptionTypes.h"

#include <QString>

namespace brisomel {

// Subtitle files written from the same timeline as the document.
struct SubtitleOptions {
    bool enabled = false;
    bool crlf = false;           // CR LF line ends instead of LF
    bool speakerPrefix = false;  // "name: " before each cue's text
    bool splitBySpeaker = false; // one file per speaker instead of one for all
};

// Captions broken into lines of a width, each split into several titles when it needs more lines.
struct CaptionWrap {
    int width = 0;    // half-width units a line may take (wide characters count 2); 0: no breaking
    int maxLines = 2; // lines per title while breaking
};

// What a conversion is asked to make, whoever asks: the window fills it from the stored
// settings, the converter from its arguments; the builder and the writers read it.
struct ConversionOptions {
    QString timelineName;
    FrameType frameType = FrameType::frame1080p;
    FpsType fpsType = FpsType::fps30;
    AlignType align = AlignType::canter;
    float posX = 0;
    float posY = 0;
    bool splitClips = false; // the project is cut from one compound clip
    double pauseLength = 0;  // seconds after a caption that ends with a blank; 0 for none
    SubtitleOptions subtitles;
    // Caption styles by speaker name; without any, every caption has the default style.
    SpeakerStyles captionStyles;
    CaptionWrap wrap;
};

} // namespace brisomel
