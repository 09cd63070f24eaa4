#include "app/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace brisomel {

namespace {

// The widget that Tab leaves to reach `widget`'s place in the focus chain, if there is one.
QWidget* previousTabStop(QWidget* widget) {
    for (QWidget* w = widget->previousInFocusChain(); w != widget; w = w->previousInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !widget->isAncestorOf(w)) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

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
    // Tab reaches the segments where the control stands, however much later they are added
    // than the widgets that follow it.
    QWidget* before = count() > 0 ? segment(count() - 1) : previousTabStop(this);
    auto* button = new QToolButton(this);
    if (before) {
        setTabOrder(before, button);
    }
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    group_->addButton(button, count());
    layout_->addWidget(button);
    return button;
}

} // namespace brisomel
