#pragma once

#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

#include <memory>
#include <optional>

namespace brisomel::apptest {

// A folder of voice lines, made in a temporary place.
class VoiceFolder {
public:
    explicit VoiceFolder(const QString& name = QStringLiteral("Scene1"));

    // Writes <base>.wav, a silent 48 kHz recording, and <base>.txt when a caption is given.
    void addVoice(const QString& base, const std::optional<QString>& caption = std::nullopt,
                  double seconds = 0.5);
    void addFile(const QString& fileName, const QByteArray& bytes);

    QString path() const;
    QString filePath(const QString& fileName) const;
    QUrl url() const { return QUrl::fromLocalFile(path()); }

private:
    QTemporaryDir parent_;
    QString name_;
};

// A preferences store in a temporary file; reopening it stands for a restart of the program.
class TempStore {
public:
    TempStore() { reopen(); }
    QSettings* settings() { return settings_.get(); }
    QSettings* reopen();

private:
    QTemporaryDir dir_;
    std::unique_ptr<QSettings> settings_;
};

// Collects what is written to standard output from construction until text() is called.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture() { restore(); }
    QString text();

private:
    void restore();

    QTemporaryFile file_;
    int savedStdout_ = -1;
};

// Replaces the field's text the way a user does, key by key.
void typeInto(QLineEdit* field, const QString& text);

// Waits until the spy has seen `count` signals in all.
bool waitForSignals(QSignalSpy& spy, int count = 1);

} // namespace brisomel::apptest
