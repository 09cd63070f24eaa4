#pragma once

#include "core/Failure.h"

#include <QString>
#include <QUrl>

#include <memory>
#include <optional>
#include <vector>

namespace brisomel {

// One audio file with its optional caption file, the decoded caption and the speaker's name.
// Entries are shared: the holder's list and the builder refer to the same objects.
class FileListData {
public:
    // Reads and decodes the caption file when there is one; fails only on the caption, with a
    // failure that names the caption file.
    static Result<std::shared_ptr<FileListData>> create(const QString& fileName,
                                                        const std::optional<QUrl>& textFileUrl,
                                                        const std::optional<QUrl>& soundFileUrl);

    // A file by its local path together with the URL of that path, for callers that have both
    // at hand (the folder scan), so that the path need not be taken out of the URL again.
    struct LocalFile {
        QString path;
        QUrl url;
    };
    static Result<std::shared_ptr<FileListData>> create(const QString& fileName,
                                                        std::optional<LocalFile> textFile,
                                                        std::optional<LocalFile> soundFile);

    static inline const QString defaultName = QStringLiteral("noname");

    bool targetFlg() const { return targetFlg_; }
    const QString& text() const { return text_; }
    const QString& textRow() const { return textRow_; }
    const QString& fileName() const { return fileName_; }
    // The file name in NFC, the key of the file-name order (computed once: lists are sorted
    // several times on the way to a document).
    const QString& fileNameOrderKey() const { return fileNameOrderKey_; }
    const QString& charactorName() const { return charactorName_; }
    const std::optional<QUrl>& textFileUrl() const { return textFileUrl_; }
    const std::optional<QUrl>& soundFileUrl() const { return soundFileUrl_; }
    // The local path of the audio file; empty when there is none.
    const QString& soundFilePath() const { return soundFilePath_; }

    // Whether the entry takes part in the timeline.
    void setTargetFlg(bool value) { targetFlg_ = value; }

private:
    FileListData() = default;

    bool targetFlg_ = true;
    QString text_;    // the caption on one line
    QString textRow_; // the caption with its line breaks
    QString fileName_;
    QString fileNameOrderKey_;
    QString charactorName_;
    std::optional<QUrl> textFileUrl_;
    std::optional<QUrl> soundFileUrl_;
    QString soundFilePath_;
};

using FileListPtr = std::shared_ptr<FileListData>;
using FileList = std::vector<FileListPtr>;

} // namespace brisomel
