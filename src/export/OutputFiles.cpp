#include "export/OutputFiles.h"

#include "export/DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace brisomel {

namespace {

QString listed(const QStringList& outputs) {
    return outputs.isEmpty() ? QStringLiteral("なし") : outputs.join(QStringLiteral("、"));
}

// The first file whose path an earlier one already names, or nothing.
const OutputFile* repeatedFile(const std::vector<OutputFile>& files) {
    QSet<QString> seen;
    for (const OutputFile& file : files) {
        const QString absolute = QDir::cleanPath(QFileInfo(file.path).absoluteFilePath());
        if (seen.contains(absolute)) {
            return &file;
        }
        seen.insert(absolute);
    }
    return nullptr;
}

} // namespace

QStringList quotedPaths(std::span<const OutputFile> files) {
    QStringList paths;
    for (const OutputFile& file : files) {
        paths << quotedPath(QDir::toNativeSeparators(file.path));
    }
    return paths;
}

QString withWrittenNote(const QString& reason, const QStringList& written,
                        const QStringList& notWritten) {
    return reason + QStringLiteral("（書き込んだもの: %1。書き込んでいないもの: %2）")
                        .arg(listed(written), listed(notWritten));
}

Status writeOutputFiles(const std::vector<OutputFile>& files, const QStringList& alreadyWritten) {
    const bool severalOutputs = files.size() + alreadyWritten.size() > 1;
    if (const OutputFile* repeated = repeatedFile(files)) {
        const QString reason = QStringLiteral("ほかの出力と同じファイルです");
        return Failure{QStringLiteral("ファイル書き込みエラー: %1"),
                       QDir::toNativeSeparators(repeated->path),
                       withWrittenNote(reason, alreadyWritten, quotedPaths(files))};
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Status written = writeDocumentFile(files[i].path, files[i].text);
        if (!written) {
            if (!severalOutputs) {
                return written;
            }
            const std::span<const OutputFile> all(files);
            Failure failure = written.failure();
            failure.reason =
                withWrittenNote(failure.reason, alreadyWritten + quotedPaths(all.first(i)),
                                quotedPaths(all.subspan(i)));
            return failure;
        }
    }
    return Done{};
}

} // namespace brisomel
