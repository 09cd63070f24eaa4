#pragma once

#include <QIcon>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QToolButton;

namespace brisomel {

// A row of joined toggle buttons of which exactly one is chosen, each standing for its position.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedControl(QWidget* parent = nullptr);

    void addSegment(const QString& text);
    void addSegment(const QIcon& icon, const QString& toolTip);

    int count() const;
    QToolButton* segment(int index) const;

    // The chosen position; -1 when none is chosen.
    int currentIndex() const;
    // Chooses the segment at the position, or none when the position lies outside the row.
    void setCurrentIndex(int index);

signals:
    // The user chose the segment at this position.
    void activated(int index);

private:
    QToolButton* addButton();

    QHBoxLayout* layout_;
    QButtonGroup* group_;
};

} // namespace brisomel
