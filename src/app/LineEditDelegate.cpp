#include "app/LineEditDelegate.h"

#include "app/LineListModel.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace brisomel {

namespace {

constexpr int kCaptionEditorLines = 4;

bool isCaption(const QModelIndex& index) {
    return index.column() == LineListModel::captionColumn;
}

// The speakers the naming rule found in the folder, each once.
QStringList folderSpeakers(const QModelIndex& index) {
    const auto* proxy = index.model();
    QStringList names;
    for (int row = 0; row < proxy->rowCount(); ++row) {
        const QString name =
            proxy->index(row, LineListModel::speakerColumn).data(Qt::EditRole).toString();
        if (!name.isEmpty() && !names.contains(name)) {
            names << name;
        }
    }
    return names;
}

} // namespace

QWidget* LineEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    if (isCaption(index)) {
        auto* editor = new QPlainTextEdit(parent);
        editor->setObjectName(QStringLiteral("captionEditor"));
        editor->setTabChangesFocus(true);
        return editor;
    }
    auto* editor = new QComboBox(parent);
    editor->setObjectName(QStringLiteral("speakerEditor"));
    editor->setEditable(true);
    editor->setInsertPolicy(QComboBox::NoInsert);
    editor->addItems(folderSpeakers(index));
    return editor;
}

void LineEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(editor)) {
        box->setPlainText(text);
        box->selectAll();
    } else if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        choice->setCurrentText(text);
    }
}

void LineEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* box = qobject_cast<QPlainTextEdit*>(editor)) {
        model->setData(index, box->toPlainText(), Qt::EditRole);
    } else if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, choice->currentText().trimmed(), Qt::EditRole);
    }
}

// A caption gets room for several lines below its row.
void LineEditDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QRect area = option.rect;
    if (isCaption(index)) {
        area.setWidth(std::max(area.width(), 320));
        area.setHeight(editor->fontMetrics().lineSpacing() * kCaptionEditorLines + 12);
    }
    editor->setGeometry(area);
}

} // namespace brisomel
