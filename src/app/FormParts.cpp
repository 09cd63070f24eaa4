#include "app/FormParts.h"

#include <QBoxLayout>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace brisomel {

QLabel* makeHeading(const QString& text, QWidget* parent) {
    auto* heading = new QLabel(text, parent);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    heading->setForegroundRole(QPalette::PlaceholderText);
    return heading;
}

QLabel* makeRowLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFixedWidth(kRowLabelWidth);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void addDivider(QBoxLayout* content, QWidget* parent) {
    constexpr int margin = 4;
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    // Every gap grows alike with the height the sections leave over.
    const auto addGap = [content] {
        content->addItem(new QSpacerItem(0, margin, QSizePolicy::Minimum, QSizePolicy::Expanding));
    };
    addGap();
    content->addWidget(line);
    addGap();
}

QHBoxLayout* addIndentedRow(QBoxLayout* section) {
    auto* row = new QHBoxLayout;
    row->addSpacing(kIndentWidth);
    section->addLayout(row);
    return row;
}

void showText(QLineEdit* field, const QString& text) {
    if (field->text() != text) {
        field->setText(text);
    }
}

int shownPosition(std::int64_t stored, int count) {
    return stored >= 0 && stored < count ? static_cast<int>(stored) : -1;
}

QFont footnoteFont(const QFont& base) {
    constexpr double scale = 0.85;
    QFont font = base;
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() * scale);
    } else {
        font.setPixelSize(qRound(base.pixelSize() * scale));
    }
    return font;
}

} // namespace brisomel
