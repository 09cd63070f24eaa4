#include "builder/SpeakerPortraits.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>

namespace brisomel {

namespace {

QString nfc(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

Result<PortraitImage> readImage(const QString& path, const QString& speaker) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty()) {
        const QString reason =
            QFileInfo::exists(path) ? reader.errorString() : QStringLiteral("ファイルがありません");
        return Failure{
            QStringLiteral("立ち絵 %1 を読み込めません"), path,
            QStringLiteral("「%1」の立ち絵です（%2）。PNG か JPEG の画像を指定してください")
                .arg(speaker, reason)};
    }
    return PortraitImage{path, size.width(), size.height()};
}

} // namespace

PortraitFolder::PortraitFolder(const QString& folder) {
    if (folder.isEmpty()) {
        return;
    }
    QDirIterator files(folder, QDir::Files);
    while (files.hasNext()) {
        const QFileInfo file = files.nextFileInfo();
        const QString suffix = file.suffix().toLower();
        if (suffix == u"png" || suffix == u"jpg" || suffix == u"jpeg") {
            // Of two spellings of one image, the first in code-unit order, whatever the listing.
            const QString stem = nfc(file.completeBaseName());
            const QString path = file.filePath();
            if (!byStem_.contains(stem) || path < byStem_.value(stem)) {
                byStem_.insert(stem, path);
            }
        }
    }
}

QString PortraitFolder::image(const QString& speaker) const {
    return byStem_.value(nfc(speaker));
}

QString PortraitFolder::openImage(const QString& speaker) const {
    return byStem_.value(nfc(speaker + kOpenMouthSuffix));
}

Result<QHash<QString, SpeakerPortrait>> speakerPortraits(const QStringList& speakers,
                                                         const SpeakerStyles& styles,
                                                         const QString& portraitFolder) {
    if (!portraitFolder.isEmpty() && !QFileInfo(portraitFolder).isDir()) {
        return Failure{QStringLiteral("立ち絵のフォルダ %1 がありません"), portraitFolder,
                       QStringLiteral("フォルダを選び直すか、立ち絵フォルダを外してください")};
    }
    const PortraitFolder folder(portraitFolder);
    QHash<QString, SpeakerPortrait> portraits;
    for (const QString& speaker : speakers) {
        const QString key = nfc(speaker);
        if (portraits.contains(key)) {
            continue;
        }
        const PortraitStyle style = styles.styleFor(key).portrait.value_or(PortraitStyle{});
        const bool ownImage = !style.image.isEmpty();
        const QString closedPath = ownImage ? style.image : folder.image(speaker);
        const QString openPath = ownImage ? style.openImage : folder.openImage(speaker);
        if (closedPath.isEmpty()) {
            continue;
        }
        SpeakerPortrait portrait{{}, std::nullopt, style};
        Result<PortraitImage> closed = readImage(closedPath, speaker);
        if (!closed) {
            return closed.failure();
        }
        portrait.closed = *closed;
        if (!openPath.isEmpty()) {
            Result<PortraitImage> open = readImage(openPath, speaker);
            if (!open) {
                return open.failure();
            }
            portrait.open = *open;
        }
        portraits.insert(key, portrait);
    }
    return portraits;
}

} // namespace brisomel
