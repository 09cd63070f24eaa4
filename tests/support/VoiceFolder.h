#pragma once

#include "intake/ReadFolder.h"
#include "support/PcmWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

#include <optional>

namespace brisomel::testsupport {

// A folder of voice lines made in a temporary place; its name is the timeline's.
class VoiceFolder {
public:
    explicit VoiceFolder(const QString& name = QStringLiteral("voices"))
        : path_(QDir(parent_.path()).filePath(name)) {
        QDir().mkpath(path_);
    }

    // Writes <stem>.wav, `seconds` of mono silence, and <stem>.txt when a caption is given.
    void addLine(const QString& stem, double seconds = 0.5,
                 const std::optional<QString>& caption = std::nullopt, int sampleRate = 48000) {
        writeWav(filePath(stem + QStringLiteral(".wav")), sampleRate, 1,
                 static_cast<std::int64_t>(seconds * sampleRate));
        if (caption) {
            writeBytes(filePath(stem + QStringLiteral(".txt")), caption->toUtf8());
        }
    }

    QString path() const { return path_; }
    QString filePath(const QString& fileName) const { return QDir(path_).filePath(fileName); }
    QUrl url() const { return QUrl::fromLocalFile(path_); }

    // The folder's entries, as the window loads them.
    FileList load() const {
        Result<FileList> read = readFolder(url());
        EXPECT_TRUE(read) << read.failure().message().toStdString();
        return read ? *read : FileList{};
    }

private:
    QTemporaryDir parent_;
    QString path_;
};

} // namespace brisomel::testsupport
