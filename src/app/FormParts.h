#pragma once

#include <QString>

#include <cstdint>

class QBoxLayout;
class QFont;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace brisomel {

// Sizes shared by the window's rows.
inline constexpr int kIndentWidth = 16;
inline constexpr int kRowLabelWidth = 90;

// A section heading: bold, in the palette's secondary text colour.
QLabel* makeHeading(const QString& text, QWidget* parent);

// A row label, right-aligned in the common label width.
QLabel* makeRowLabel(const QString& text, QWidget* parent);

// The thin horizontal line between sections, with room above and below it that grows with the
// height the sections leave over.
void addDivider(QBoxLayout* content, QWidget* parent);

// An option row: a horizontal layout that starts with the indent.
QHBoxLayout* addIndentedRow(QBoxLayout* section);

// Shows the text in the field unless it holds it already (setting it again would move the
// cursor while the user types).
void showText(QLineEdit* field, const QString& text);

// A stored list position as a control shows it: -1 (nothing chosen) when it lies outside the
// control's count entries, which only a store edited by hand can hold.
int shownPosition(std::int64_t stored, int count);

// The small font of the folder summary.
QFont footnoteFont(const QFont& base);

} // namespace brisomel
