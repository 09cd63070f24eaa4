#include "intake/CaptionSaving.h"

#include "intake/CaptionDecoding.h"
#include "platform/FileHead.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>

#include <optional>

namespace brisomel {

namespace {

// How a caption file is written, as its bytes show it.
struct CaptionForm {
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    bool shiftJis = false;
    QByteArray mark; // the byte-order mark, or none
    QString lineEnd = QStringLiteral("\n");
};

struct Mark {
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
};

// Longest first: the UTF-32 LE mark begins with the UTF-16 LE one.
const Mark kMarks[] = {
    {QByteArrayView("\xFF\xFE\x00\x00", 4), QStringConverter::Utf32LE},
    {QByteArrayView("\x00\x00\xFE\xFF", 4), QStringConverter::Utf32BE},
    {QByteArrayView("\xEF\xBB\xBF", 3), QStringConverter::Utf8},
    {QByteArrayView("\xFF\xFE", 2), QStringConverter::Utf16LE},
    {QByteArrayView("\xFE\xFF", 2), QStringConverter::Utf16BE},
};

constexpr const char* kShiftJisName = "windows-31j";

CaptionForm formOf(const QByteArray& bytes, const QString& text) {
    CaptionForm form;
    bool unicode = decodeUnicode(bytes).has_value();
    for (const Mark& mark : kMarks) {
        if (unicode && bytes.startsWith(mark.bytes)) {
            form.encoding = mark.encoding;
            form.mark = mark.bytes.toByteArray();
            break;
        }
    }
    form.shiftJis = !unicode;
    if (text.contains(QStringLiteral("\r\n"))) {
        form.lineEnd = QStringLiteral("\r\n");
    } else if (!text.contains(u'\n') && form.shiftJis) {
        form.lineEnd = QStringLiteral("\r\n"); // Windows tools write Shift-JIS with CR LF
    }
    return form;
}

// The first character of the text Shift-JIS cannot hold, or none.
std::optional<QString> firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.sliced(i, length);
        QStringEncoder encoder(kShiftJisName, QStringConverter::Flag::Stateless);
        const QByteArray encoded = encoder.encode(character);
        if (encoder.hasError() || decodeShiftJis(encoded) != character) {
            return character;
        }
        i += length;
    }
    return std::nullopt;
}

Failure saveFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("字幕ファイル %1 に保存できません"), path, reason};
}

} // namespace

Result<CaptionFileBytes> encodedCaptionFile(const FileListData& entry) {
    const QString caption = entry.captionPrefix() + entry.textRow();
    if (!entry.hasTextFile()) {
        const QFileInfo audio(entry.soundFilePath());
        const QString path = audio.dir().filePath(entry.fileName() + QStringLiteral(".txt"));
        if (QFileInfo::exists(path)) {
            return saveFailure(path,
                               QStringLiteral("読み込んだ後に作られています。再読み込みしてから"
                                              "直してください"));
        }
        return CaptionFileBytes{path, caption.toUtf8()};
    }
    const QString path = entry.textFileUrl()->toLocalFile();
    const FileHead file = readFileHead(path);
    const Result<QString> read = readCaptionFile(path);
    if (file.problem != FileHead::Problem::none || !read) {
        return saveFailure(path, read ? file.error : read.failure().reason);
    }
    QString readText = *read;
    if (readText.remove(u'\r') != entry.captionPrefix() + entry.fileTextRow()) {
        return saveFailure(path, QStringLiteral("読み込んだ後に変わっています。再読み込みしてから"
                                                "直してください"));
    }
    const CaptionForm form = formOf(file.bytes, *read);
    QString text = caption;
    text.replace(u'\n', form.lineEnd);
    if (form.shiftJis) {
        if (const auto bad = firstUnencodable(text)) {
            return saveFailure(
                path,
                QStringLiteral("「%1」(U+%2) は Shift-JIS で保存できません。別の文字にしてください")
                    .arg(*bad, QString::number(bad->toUcs4().value(0), 16).toUpper()));
        }
        return CaptionFileBytes{path, QStringEncoder(kShiftJisName).encode(text)};
    }
    return CaptionFileBytes{path, form.mark + QStringEncoder(form.encoding).encode(text)};
}

} // namespace brisomel
