#pragma once

#include <QAbstractButton>
#include <QList>
#include <QUrl>

namespace brisomel {

// The square that takes a dropped folder: a dashed outline with a folder symbol, and a thick
// outline in the highlight colour while a drag carrying files is over it. A click asks for a
// folder instead.
class DropZone : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int side = 100;

    explicit DropZone(QWidget* parent = nullptr);

    bool isDropTargeted() const { return dropTargeted_; }

    QSize sizeHint() const override;

signals:
    // Something carrying file URLs was dropped; the first URL is the one that counts.
    void urlsDropped(const QList<QUrl>& urls);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setDropTargeted(bool targeted);

    bool dropTargeted_ = false;
};

} // namespace brisomel
