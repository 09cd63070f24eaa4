#pragma once

#include "intake/NamingRule.h"

#include <QString>

#include <optional>
#include <span>

namespace brisomel {

// A line as the naming rules read it: its base name and its caption.
struct NamingSample {
    QString fileName;
    QString caption;
};

// The speakers a rule finds among the lines, each once, leaving out names made only of digits
// (a time or a take number read as a speaker).
qsizetype speakersFound(const NamingRule& rule, std::span<const NamingSample> lines);

// The built-in rule that finds the most speakers among the lines, and how many; the earlier rule
// on a tie. Nothing when no rule finds one.
struct NamingSuggestion {
    NamingRuleInfo rule;
    qsizetype speakerCount = 0;
};
std::optional<NamingSuggestion> suggestNamingRule(std::span<const NamingSample> lines);

} // namespace brisomel
