#include "export/OutputFiles.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QSet>

namespace brisomel {

namespace {

const QString kWriteFailure = QStringLiteral("ファイル書き込みエラー: %1");

QString listed(const QStringList& outputs) {
    return outputs.isEmpty() ? QStringLiteral("なし") : outputs.join(QStringLiteral("、"));
}

QStringList outputNames(std::span<const OutputFile> files) {
    QStringList names;
    for (const OutputFile& file : files) {
        names << outputName(file.path);
    }
    return names;
}

// The first file whose path an earlier one already names, or nothing.
const OutputFile* repeatedFile(const std::vector<OutputFile>& files) {
    QSet<QString> seen;
    for (const OutputFile& file : files) {
        if (file.path == kStandardOutputPath) {
            continue;
        }
        const QString absolute = QDir::cleanPath(QFileInfo(file.path).absoluteFilePath());
        if (seen.contains(absolute)) {
            return &file;
        }
        seen.insert(absolute);
    }
    return nullptr;
}

// Standard output holds back what does not fill its buffers; only the flush tells whether the
// text reached its destination (a full disk, for one).
Status writeToStream(QIODevice* out, const QString& text) {
    if (out == nullptr) {
        return Failure{QStringLiteral("ファイル書き込みエラー"),
                       {},
                       QStringLiteral("標準出力に書き出せません")};
    }
    auto* file = qobject_cast<QFileDevice*>(out);
    if (!writeUtf8(*out, text) || (file && !file->flush())) {
        return Failure{QStringLiteral("ファイル書き込みエラー"), {}, out->errorString()};
    }
    return Done{};
}

Status writeOne(const OutputFile& file, QIODevice* standardOutput) {
    return file.path == kStandardOutputPath ? writeToStream(standardOutput, file.text)
                                            : writeDocumentFile(file.path, file.text);
}

} // namespace

Status writeDocumentFile(const QString& path, const QString& document) {
    return writeFileAtomically(path, document, kWriteFailure);
}

QString outputName(const QString& path) {
    return path == kStandardOutputPath ? QStringLiteral("標準出力")
                                       : quotedPath(QDir::toNativeSeparators(path));
}

QString withWrittenNote(const QString& reason, const QStringList& written,
                        const QStringList& notWritten) {
    return reason + QStringLiteral("（書き込んだもの: %1。書き込んでいないもの: %2）")
                        .arg(listed(written), listed(notWritten));
}

Status writeOutputFiles(const std::vector<OutputFile>& files, QIODevice* standardOutput) {
    if (const OutputFile* repeated = repeatedFile(files)) {
        const QString reason = QStringLiteral("ほかの出力と同じファイルです");
        return Failure{kWriteFailure, QDir::toNativeSeparators(repeated->path),
                       withWrittenNote(reason, {}, outputNames(files))};
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Status written = writeOne(files[i], standardOutput);
        if (!written) {
            if (files.size() == 1) {
                return written;
            }
            const std::span<const OutputFile> all(files);
            Failure failure = written.failure();
            failure.reason = withWrittenNote(failure.reason, outputNames(all.first(i)),
                                             outputNames(all.subspan(i)));
            return failure;
        }
    }
    return Done{};
}

} // namespace brisomel
