#include "intake/FileListData.h"

#include "intake/CaptionDecoding.h"
#include "intake/ConsoleLine.h"
#include "intake/SpeakerName.h"

namespace brisomel {

FileListData::Created FileListData::create(const QString& fileName,
                                           const std::optional<QUrl>& textFileUrl,
                                           const std::optional<QUrl>& soundFileUrl) {
    // The constructor is private, so std::make_shared cannot reach it.
    std::shared_ptr<FileListData> entry(new FileListData());
    entry->fileName_ = fileName;
    entry->textFileUrl_ = textFileUrl;
    entry->soundFileUrl_ = soundFileUrl;
    entry->charactorName_ = speakerNameOf(fileName);

    if (!textFileUrl) {
        return entry; // text and textRow stay empty
    }
    const QString path = textFileUrl->toLocalFile();
    auto decoded = readCaptionFile(path);
    if (const auto* failure = std::get_if<CaptionFailure>(&decoded)) {
        return CaptionError{QStringLiteral("Error 字幕ファイル %1 を読み込めません: %2")
                                .arg(quotedPath(path), failure->reason)};
    }
    QString textRow = std::get<QString>(std::move(decoded));
    textRow.remove(u'\r');
    QString text = textRow;
    text.replace(u'\n', u' ');
    entry->textRow_ = std::move(textRow);
    entry->text_ = std::move(text);
    return entry;
}

void FileListData::setTargetFlg(bool value) {
    willChange.notify();
    targetFlg_ = value;
}

void FileListData::setText(const QString& value) {
    willChange.notify();
    text_ = value;
}

void FileListData::setTextRow(const QString& value) {
    willChange.notify();
    textRow_ = value;
}

void FileListData::setFileName(const QString& value) {
    willChange.notify();
    fileName_ = value;
}

void FileListData::setCharactorName(const QString& value) {
    willChange.notify();
    charactorName_ = value;
}

} // namespace brisomel
