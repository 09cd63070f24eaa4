#include "intake/FileListData.h"

#include "intake/CaptionDecoding.h"
#include "intake/SpeakerName.h"

namespace brisomel {

Result<std::shared_ptr<FileListData>>
FileListData::create(const QString& fileName, const std::optional<QUrl>& textFileUrl,
                     const std::optional<QUrl>& soundFileUrl) {
    // The constructor is private, so std::make_shared cannot reach it.
    std::shared_ptr<FileListData> entry(new FileListData());
    entry->fileName_ = fileName;
    entry->fileNameOrderKey_ = fileName.normalized(QString::NormalizationForm_C);
    entry->textFileUrl_ = textFileUrl;
    entry->soundFileUrl_ = soundFileUrl;
    entry->charactorName_ = speakerNameOf(fileName);

    if (!textFileUrl) {
        return entry; // text and textRow stay empty
    }
    const QString path = textFileUrl->toLocalFile();
    Result<QString> decoded = readCaptionFile(path);
    if (!decoded) {
        return decoded.failure();
    }
    QString textRow = std::move(*decoded);
    textRow.remove(u'\r');
    QString text = textRow;
    text.replace(u'\n', u' ');
    entry->textRow_ = std::move(textRow);
    entry->text_ = std::move(text);
    return entry;
}

} // namespace brisomel
