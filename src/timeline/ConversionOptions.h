#pragma once

#include "settings/OptionTable.h"
#include "timeline/CaptionStyle.h"
#include "timeline/OptionTypes.h"

#include <QString>

#include <optional>

namespace brisomel {

// Subtitle files written from the same timeline as the document.
struct SubtitleOptions {
    bool enabled = false;
    bool crlf = false;           // CR LF line ends instead of LF
    bool speakerPrefix = false;  // "name: " before each cue's text
    bool splitBySpeaker = false; // one file per speaker instead of one for all
};

// The registered default of a list option: the value at its stored position in the kind's table.
template <typename Info> auto registeredChoice(std::span<const Info> table, OptionKey key) {
    return table[static_cast<std::size_t>(registeredDefault(key).toLongLong())].type;
}

// Captions broken into lines of a width, each split into several titles when it needs more lines.
struct CaptionWrap {
    // Half-width units a line may take (wide characters count 2), 0 for no breaking; lines per
    // title while breaking.
    int width = registeredDefault(OptionKey::wrapWidth).toInt();
    int maxLines = registeredDefault(OptionKey::maxLines).toInt();
};

// What a conversion is asked to make, whoever asks: the window fills it from the stored
// settings, the converter from its arguments; the builder and the writers read it.
struct ConversionOptions {
    QString timelineName;
    FrameType frameType = registeredChoice(frameTypes(), OptionKey::frameIndex);
    FpsType fpsType = registeredChoice(fpsTypes(), OptionKey::fpsIndex);
    AlignType align = registeredChoice(alignTypes(), OptionKey::alignIndex);
    float posX = 0;
    float posY = 0;
    bool splitClips = false; // the project is cut from one compound clip
    double pauseLength = 0;  // seconds after a caption that ends with a blank; 0 for none
    SubtitleOptions subtitles;
    // Caption styles by speaker name; without any, every caption has the default style.
    SpeakerStyles captionStyles;
    CaptionWrap wrap;
    // A folder of portraits by speaker name (SPEAKER.png, SPEAKER_口開.png); empty for none.
    QString portraitFolder;
    // Voices brought to this integrated loudness (LUFS), one gain per speaker; none leaves them.
    std::optional<double> loudnessTarget;
};

} // namespace brisomel
