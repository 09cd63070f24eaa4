#include "platform/FileHead.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace brisomel {

namespace {

FileHead problem(FileHead::Problem kind, QString error = {},
                 FileHead::OpenFailure failure = FileHead::OpenFailure::other) {
    FileHead head;
    head.problem = kind;
    head.openFailure = failure;
    head.error = std::move(error);
    return head;
}

} // namespace

FileHead readFileHeadPortable(const QString& path, qint64 maxBytes) {
    // The kind first: opening a FIFO would wait for a writer.
    const QFileInfo info(path);
    if (!info.exists()) {
        return problem(FileHead::Problem::cannotOpen, qt_error_string(ENOENT),
                       FileHead::OpenFailure::missing);
    }
    if (info.isDir()) {
        return problem(FileHead::Problem::isFolder);
    }
    if (!info.isFile()) {
        return problem(FileHead::Problem::notRegular);
    }
    FileHead head;
    head.size = info.size();
    if (maxBytes <= 0) {
        return head;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return problem(FileHead::Problem::cannotOpen, file.errorString(),
                       info.isReadable() ? FileHead::OpenFailure::other
                                         : FileHead::OpenFailure::denied);
    }
    head.size = file.size();
    // read() refuses a length above what a QByteArray holds; readAll() reads past a size that
    // grew since.
    head.bytes = maxBytes > head.size ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        return problem(FileHead::Problem::cannotRead, file.errorString());
    }
    if (head.bytes.size() > maxBytes) {
        head.bytes.truncate(static_cast<qsizetype>(maxBytes));
    }
    return head;
}

} // namespace brisomel
