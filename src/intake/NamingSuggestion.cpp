#include "intake/NamingSuggestion.h"

#include <QSet>

#include <algorithm>

namespace brisomel {

namespace {

bool digitsOnly(const QString& name) {
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

qsizetype speakersFound(const NamingRule& rule, std::span<const NamingSample> lines) {
    QSet<QString> speakers;
    for (const NamingSample& line : lines) {
        const std::optional<QString> speaker = rule.speakerOf(line.fileName, line.caption).speaker;
        if (speaker && !speaker->isEmpty() && !digitsOnly(*speaker)) {
            speakers.insert(speaker->normalized(QString::NormalizationForm_C));
        }
    }
    return speakers.size();
}

std::optional<NamingSuggestion> suggestNamingRule(std::span<const NamingSample> lines) {
    std::optional<NamingSuggestion> best;
    for (const NamingRuleInfo& info : namingRules()) {
        const qsizetype found = speakersFound(*NamingRule::named(info.name), lines);
        if (found > 0 && (!best || found > best->speakerCount)) {
            best = NamingSuggestion{info, found};
        }
    }
    return best;
}

} // namespace brisomel
