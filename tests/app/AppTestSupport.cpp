#include "AppTestSupport.h"

#include "support/PcmWriter.h"

#include <QDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace brisomel::apptest {

VoiceFolder::VoiceFolder(const QString& name) : name_(name) {
    QDir(parent_.path()).mkpath(name);
}

QString VoiceFolder::path() const {
    return QDir(parent_.path()).filePath(name_);
}

QString VoiceFolder::filePath(const QString& fileName) const {
    return QDir(path()).filePath(fileName);
}

void VoiceFolder::addVoice(const QString& base, const std::optional<QString>& caption,
                           double seconds) {
    constexpr int sampleRate = 48000;
    const auto frames = static_cast<std::int64_t>(seconds * sampleRate);
    testsupport::writeWav(filePath(base + QStringLiteral(".wav")), sampleRate, 1, frames);
    if (caption) {
        addFile(base + QStringLiteral(".txt"), caption->toUtf8());
    }
}

void VoiceFolder::addFile(const QString& fileName, const QByteArray& bytes) {
    testsupport::writeBytes(filePath(fileName), bytes);
}

QSettings* TempStore::reopen() {
    settings_.reset(); // written to the file when it goes
    settings_ = std::make_unique<QSettings>(dir_.filePath(QStringLiteral("prefs.ini")),
                                            QSettings::IniFormat);
    return settings_.get();
}

StdoutCapture::StdoutCapture() {
    file_.open();
    std::fflush(stdout);
    savedStdout_ = dup(STDOUT_FILENO);
    dup2(file_.handle(), STDOUT_FILENO);
}

void StdoutCapture::restore() {
    if (savedStdout_ < 0) {
        return;
    }
    std::fflush(stdout);
    dup2(savedStdout_, STDOUT_FILENO);
    close(savedStdout_);
    savedStdout_ = -1;
}

QString StdoutCapture::text() {
    restore();
    file_.seek(0);
    return QString::fromUtf8(file_.readAll());
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

bool waitForSignals(QSignalSpy& spy, int count) {
    return QTest::qWaitFor([&] { return spy.count() >= count; }, 10000);
}

} // namespace brisomel::apptest
