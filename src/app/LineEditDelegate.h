#pragma once

#include <QStyledItemDelegate>

namespace brisomel {

// Edits a line in the line list: the caption in a text box of several lines (Enter starts a new
// line; leaving the box keeps the text, Esc drops it), the speaker in an editable choice of the
// folder's speakers.
class LineEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

} // namespace brisomel
