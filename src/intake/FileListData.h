#pragma once

#include "core/Failure.h"
#include "intake/NamingRule.h"

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
    // A file by its local path (the folder scan's way), with the URL it was given by, if any.
    // Without one, the URL is made from the path when asked for: most entries never need it.
    struct LocalFile {
        QString path;
        std::optional<QUrl> url;
    };
    // Reads and decodes the caption file when there is one and finds the speaker by the naming
    // rule; fails only on the caption, with a failure that names the caption file.
    static Result<std::shared_ptr<FileListData>> create(const QString& fileName,
                                                        std::optional<LocalFile> textFile,
                                                        std::optional<LocalFile> soundFile,
                                                        const NamingRule& naming = {});

    static inline const QString defaultName = QStringLiteral("noname");

    // Whether the line takes part in the timeline (its tick).
    bool targetFlg() const { return targetFlg_; }
    // The caption as the document uses it (after the caption rules and the user's edit), on one
    // line and with its line breaks.
    const QString& text() const { return text_; }
    const QString& textRow() const { return textRow_; }
    // The caption as its file holds it, the speaker's prefix left out; and that prefix.
    const QString& fileTextRow() const { return fileTextRow_; }
    const QString& captionPrefix() const { return captionPrefix_; }
    const QString& fileName() const { return fileName_; }
    // The file name in NFC, the key of the file-name order (computed once: lists are sorted
    // several times on the way to a document).
    const QString& fileNameOrderKey() const { return fileNameOrderKey_; }
    // The speaker as the document uses it: the user's correction, else the naming rule's.
    const QString& charactorName() const { return charactorName_; }
    // Whether there is a speaker; charactorName is defaultName when there is none.
    bool hasSpeaker() const { return hasSpeaker_; }
    // The speaker the naming rule found, or defaultName.
    const QString& fileCharactorName() const { return fileCharactorName_; }
    // The caption rules left a bracket as it was (unpaired or nested).
    bool markupLeft() const { return markupLeft_; }
    // The user corrected the caption or the speaker.
    bool captionEdited() const { return captionEdited_; }
    bool speakerEdited() const { return speakerEdited_; }
    // An edit was dropped on reading the folder again because the caption file had changed.
    bool editDropped() const { return editDropped_; }
    std::optional<QUrl> textFileUrl() const { return urlOf(textFile_); }
    std::optional<QUrl> soundFileUrl() const { return urlOf(soundFile_); }
    bool hasTextFile() const { return textFile_.has_value(); }
    bool hasSoundFile() const { return soundFile_.has_value(); }
    // The local path of the audio file; empty when there is none.
    const QString& soundFilePath() const { return soundFile_ ? soundFile_->path : noPath_; }

private:
    // The list of lines owns the ticks and the captions as used: it sets them and tells who
    // shows them.
    friend class FileLists;
    FileListData() = default;
    static std::optional<QUrl> urlOf(const std::optional<LocalFile>& file);
    static inline const QString noPath_;

    bool targetFlg_ = true;
    QString text_;    // the caption on one line
    QString textRow_; // the caption with its line breaks
    QString fileTextRow_;
    QString captionPrefix_;
    QString fileName_;
    QString fileNameOrderKey_;
    QString charactorName_;
    QString fileCharactorName_;
    bool hasSpeaker_ = false;
    bool fileHasSpeaker_ = false;
    bool markupLeft_ = false;
    bool captionEdited_ = false;
    bool speakerEdited_ = false;
    bool editDropped_ = false;
    std::optional<LocalFile> textFile_;
    std::optional<LocalFile> soundFile_;
};

using FileListPtr = std::shared_ptr<FileListData>;
using FileList = std::vector<FileListPtr>;

} // namespace brisomel
