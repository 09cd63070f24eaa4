#pragma once

#include <QFrame>
#include <QString>

namespace brisomel {

// One line of text that is shortened with an ellipsis instead of widening the fixed-size window;
// the whole text is in the tool tip.
class ElidedLabel : public QFrame {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace brisomel
