#pragma once

#include "intake/CaptionRules.h"
#include "settings/UserSettings.h"

namespace brisomel {

// The caption rules the user's settings hold. Rules the store holds but cannot use (only a store
// edited by hand can) are left out rather than half applied.
CaptionRules storedCaptionRules(const UserSettings& settings);

} // namespace brisomel
