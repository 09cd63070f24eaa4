#pragma once

#include "settings/UserSettings.h"
#include "timeline/CaptionStyle.h"

namespace brisomel {

// The caption styles kept in the user's settings. An entry the store cannot read as a style
// (edited by hand) counts as absent, so the speaker gets the default style; numbers an earlier
// version allowed beyond today's ranges are brought to the nearest end of the range.
SpeakerStyles storedStyles(const UserSettings& settings);

// Keeps the speaker's style, or forgets it when the style is the default.
void storeStyle(UserSettings& settings, const QString& speaker, const CaptionStyle& style);

} // namespace brisomel
