#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace brisomel {

// What the window shows about the loaded folder, and the timeline name the user edits. The
// folder load writes it, the window's controls show it and edit the timeline name.
class WindowState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static inline const QString noValue = QStringLiteral("-");

    const QString& timelineName() const { return timelineName_; }
    const std::optional<QUrl>& folderUrl() const { return folderUrl_; }
    const QString& folderName() const { return folderName_; }
    const QString& textCount() const { return textCount_; }
    const QString& soundCount() const { return soundCount_; }
    // How many speakers the naming rule found.
    const QString& speakerCount() const { return speakerCount_; }
    // Why the last load failed; empty after a successful one.
    const QString& loadFailure() const { return loadFailure_; }

    void setTimelineName(const QString& value);
    void setFolderUrl(const QUrl& value);
    void setFolderName(const QString& value);
    void setTextCount(const QString& value);
    void setSoundCount(const QString& value);
    void setSpeakerCount(const QString& value);
    void setLoadFailure(const QString& value);

signals:
    void timelineNameChanged(const QString& value);
    void folderUrlChanged(const QUrl& value);
    void folderNameChanged(const QString& value);
    void textCountChanged(const QString& value);
    void soundCountChanged(const QString& value);
    void speakerCountChanged(const QString& value);
    void loadFailureChanged(const QString& value);

private:
    QString timelineName_;
    std::optional<QUrl> folderUrl_;
    QString folderName_ = noValue;
    QString textCount_ = noValue;
    QString soundCount_ = noValue;
    QString speakerCount_ = noValue;
    QString loadFailure_;
};

} // namespace brisomel
