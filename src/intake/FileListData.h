#pragma once

#include "intake/WillChange.h"

#include <QString>
#include <QUrl>
#include <QUuid>

#include <memory>
#include <optional>
#include <variant>

namespace brisomel {

// One audio file with its optional caption file, the decoded caption and the speaker's name.
// Entries are shared: the holder's list and the builder refer to the same objects.
class FileListData {
public:
    // What went wrong when the caption file could not be read or decoded: the report line
    // ("Error " followed by a description naming the file).
    struct CaptionError {
        QString report;
    };
    using Created = std::variant<std::shared_ptr<FileListData>, CaptionError>;

    // Reads and decodes the caption file when there is one; fails only on the caption.
    static Created create(const QString& fileName, const std::optional<QUrl>& textFileUrl,
                          const std::optional<QUrl>& soundFileUrl);

    static inline const QString defaultName = QStringLiteral("noname");

    // Told before every assignment through the setters below.
    WillChange willChange;

    const QUuid& id() const { return id_; }
    bool targetFlg() const { return targetFlg_; }
    const QString& text() const { return text_; }
    const QString& textRow() const { return textRow_; }
    const QString& fileName() const { return fileName_; }
    const QString& charactorName() const { return charactorName_; }
    const std::optional<QUrl>& textFileUrl() const { return textFileUrl_; }
    const std::optional<QUrl>& soundFileUrl() const { return soundFileUrl_; }

    void setTargetFlg(bool value);
    void setText(const QString& value);
    void setTextRow(const QString& value);
    void setFileName(const QString& value);
    void setCharactorName(const QString& value);
    void setTextFileUrl(const std::optional<QUrl>& value) { textFileUrl_ = value; }
    void setSoundFileUrl(const std::optional<QUrl>& value) { soundFileUrl_ = value; }

private:
    FileListData() = default;

    QUuid id_ = QUuid::createUuid();
    bool targetFlg_ = true;
    QString text_;
    QString textRow_;
    QString fileName_;
    QString charactorName_;
    std::optional<QUrl> textFileUrl_;
    std::optional<QUrl> soundFileUrl_;
};

using FileListPtr = std::shared_ptr<FileListData>;
using FileList = std::vector<FileListPtr>;

} // namespace brisomel
