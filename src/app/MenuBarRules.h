#pragma once

class QMenuBar;

namespace brisomel {

// The top-level menu that the application does not show, counted from 0.
inline constexpr int kHiddenMenuPosition = 5;

// Hides the top-level menu at the position; a menu bar with fewer menus stays as it is.
// Answers whether a menu was hidden.
bool hideTopLevelMenu(QMenuBar& menuBar, int position = kHiddenMenuPosition);

} // namespace brisomel
