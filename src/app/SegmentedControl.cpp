#include "app/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace brisomel {

SegmentedControl::SegmentedControl(QWidget* parent)
    : QWidget(parent), layout_(new QHBoxLayout(this)), group_(new QButtonGroup(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &SegmentedControl::activated);
}

void SegmentedControl::addSegment(const QString& text) {
    QToolButton* button = addButton();
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SegmentedControl::addSegment(const QIcon& icon, const QString& toolTip) {
    QToolButton* button = addButton();
    button->setIcon(icon);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

int SegmentedControl::count() const {
    return static_cast<int>(group_->buttons().size());
}

QToolButton* SegmentedControl::segment(int index) const {
    return qobject_cast<QToolButton*>(group_->button(index));
}

int SegmentedControl::currentIndex() const {
    return group_->checkedId();
}

void SegmentedControl::setCurrentIndex(int index) {
    if (QAbstractButton* button = group_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it to show no choice.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

QToolButton* SegmentedControl::addButton() {
    auto* button = new QToolButton(this);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    group_->addButton(button, count());
    layout_->addWidget(button);
    return button;
}

} // namespace brisomel
