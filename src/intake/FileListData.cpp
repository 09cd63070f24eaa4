#include "intake/FileListData.h"

#include "intake/CaptionDecoding.h"
#include "intake/SpeakerName.h"

namespace brisomel {

namespace {

std::optional<FileListData::LocalFile> localFile(const std::optional<QUrl>& url) {
    if (!url) {
        return std::nullopt;
    }
    return FileListData::LocalFile{url->toLocalFile(), *url};
}

} // namespace

std::optional<QUrl> FileListData::urlOf(const std::optional<LocalFile>& file) {
    if (!file) {
        return std::nullopt;
    }
    return file->url ? *file->url : QUrl::fromLocalFile(file->path);
}

Result<std::shared_ptr<FileListData>>
FileListData::create(const QString& fileName, const std::optional<QUrl>& textFileUrl,
                     const std::optional<QUrl>& soundFileUrl) {
    return create(fileName, localFile(textFileUrl), localFile(soundFileUrl));
}

Result<std::shared_ptr<FileListData>> FileListData::create(const QString& fileName,
                                                           std::optional<LocalFile> textFile,
                                                           std::optional<LocalFile> soundFile) {
    // The constructor is private, so std::make_shared cannot reach it.
    std::shared_ptr<FileListData> entry(new FileListData());
    entry->fileName_ = fileName;
    entry->fileNameOrderKey_ = fileName.normalized(QString::NormalizationForm_C);
    entry->soundFile_ = std::move(soundFile);
    entry->charactorName_ = speakerNameOf(fileName);

    if (!textFile) {
        return entry; // text and textRow stay empty
    }
    Result<QString> decoded = readCaptionFile(textFile->path);
    if (!decoded) {
        return decoded.failure();
    }
    QString textRow = std::move(*decoded);
    textRow.remove(u'\r');
    QString text = textRow;
    text.replace(u'\n', u' ');
    entry->textRow_ = std::move(textRow);
    entry->text_ = std::move(text);
    entry->textFile_ = std::move(textFile);
    return entry;
}

} // namespace brisomel
