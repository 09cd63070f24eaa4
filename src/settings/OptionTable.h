#pragma once

#include "core/Failure.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>
#include <span>
#include <vector>

namespace brisomel {

// The conversion options the window keeps and the converter takes. Each is declared once, in
// the table of OptionTable.cpp; everything else reads its key, default, range and names there.
enum class OptionKey {
    frameIndex,
    fpsIndex,
    alignIndex,
    posX,
    posY,
    splitClipIndex,
    isSilence,
    silenceDulation,
    isSrt,
    wrapWidth,
    maxLines,
    namingRule,
    namingTemplate,
    cleanMarkup,
    replacementRules,
    portraitFolder,
    isLoudness,
    loudnessTarget,
};

// How a value is kept: a position in one of the window's lists, a typed number (text read by
// the option number rule), a whole count, a switch or a text.
enum class OptionKind { position, numberText, count, flag, text };

// The layer whose work an option changes.
enum class OptionReader { intake, builder, writer, subtitles };

// The numbers an option accepts, both ends included: what keeps a timeline within what an
// editor holds.
struct OptionRange {
    double minimum;
    double maximum;
    QStringView maximumNote; // said after the maximum in its message, or empty
};

struct OptionDescriptor {
    OptionKey key;
    QStringView storedKey; // the settings store's key: users' stored settings use it, never rename
    OptionKind kind;
    QVariant registeredDefault; // in the stored form
    QStringView cliName;        // the converter's option without its dashes; empty when none
    OptionReader reader;
    QStringView label;                // how messages name the option
    std::optional<OptionRange> range; // for numbers and counts
};

// Every option.
std::span<const OptionDescriptor> optionTable();
const OptionDescriptor& option(OptionKey key);

// The options whose changes the layer's work depends on.
std::vector<OptionKey> optionsReadBy(OptionReader reader);

inline QVariant registeredDefault(OptionKey key) {
    return option(key).registeredDefault;
}

// The number when it is finite and within the option's range; otherwise the failure (code
// optionValue) whose message names the option and what to enter, in the window's words.
Result<double> checkedNumber(OptionKey key, double value);

// The range as the converter's help states it ("0 から 3600").
QString rangeText(OptionKey key);

} // namespace brisomel
