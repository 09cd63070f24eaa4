#include "settings/StoredCaptionRules.h"

namespace brisomel {

CaptionRules storedCaptionRules(const UserSettings& settings) {
    CaptionRules rules;
    rules.cleanMarkup = settings.cleanMarkup();
    if (Result<ReplacementRules> stored =
            parseReplacementText(settings.replacementRules(), QString())) {
        rules.replacements = std::move(*stored);
    }
    return rules;
}

} // namespace brisomel
