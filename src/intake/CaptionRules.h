#pragma once

#include "intake/CaptionMarkup.h"
#include "intake/ReplacementRules.h"

#include <QString>

#include <optional>

namespace brisomel {

// What is done to every caption between its file and the document, after the speaker's prefix
// has been taken off: the markup rules, then the replacement rules.
struct CaptionRules {
    bool cleanMarkup = false;
    ReplacementRules replacements;

    // The caption as the rules leave it, and whether the markup rules left a bracket.
    CleanedMarkup applied(const QString& caption) const {
        CleanedMarkup result =
            cleanMarkup ? brisomel::cleanMarkup(caption) : CleanedMarkup{caption, false};
        if (!replacements.isEmpty()) {
            result.text = replacements.apply(std::move(result.text));
        }
        return result;
    }

    friend bool operator==(const CaptionRules&, const CaptionRules&) = default;
};

// The user's correction of one line, which takes the place of the ruled caption or the found
// speaker. It holds while the caption file holds what it held when the edit was made.
struct LineEdit {
    QString fileCaption; // the caption file's whole text then, the speaker's prefix included
    std::optional<QString> caption;
    std::optional<QString> speaker;
};

} // namespace brisomel
