#include "intake/FileListData.h"

#include "intake/CaptionDecoding.h"

namespace brisomel {

std::optional<QUrl> FileListData::urlOf(const std::optional<LocalFile>& file) {
    if (!file) {
        return std::nullopt;
    }
    return file->url ? *file->url : QUrl::fromLocalFile(file->path);
}

Result<std::shared_ptr<FileListData>> FileListData::create(const QString& fileName,
                                                           std::optional<LocalFile> textFile,
                                                           std::optional<LocalFile> soundFile,
                                                           const NamingRule& naming) {
    // The constructor is private, so std::make_shared cannot reach it.
    std::shared_ptr<FileListData> entry(new FileListData());
    entry->fileName_ = fileName;
    entry->fileNameOrderKey_ = fileName.normalized(QString::NormalizationForm_C);
    entry->soundFile_ = std::move(soundFile);

    if (textFile) { // without one, both caption texts stay empty
        Result<QString> decoded = readCaptionFile(textFile->path);
        if (!decoded) {
            return decoded.failure();
        }
        entry->textRow_ = std::move(*decoded);
        entry->textRow_.remove(u'\r');
        entry->textFile_ = std::move(textFile);
    }
    const LineSpeaker line = naming.speakerOf(fileName, entry->textRow_);
    entry->fileHasSpeaker_ = entry->hasSpeaker_ = line.speaker.has_value();
    entry->fileCharactorName_ = entry->charactorName_ = line.speaker.value_or(defaultName);
    // The speaker's prefix is no part of the caption.
    entry->captionPrefix_ = entry->textRow_.first(line.captionStart);
    entry->textRow_.remove(0, line.captionStart);
    entry->fileTextRow_ = entry->textRow_;
    entry->text_ = entry->textRow_;
    entry->text_.replace(u'\n', u' ');
    return entry;
}

} // namespace brisomel
