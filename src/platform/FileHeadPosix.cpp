#include "platform/FileHead.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace brisomel {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

FileHead problem(FileHead::Problem kind, int error = 0) {
    FileHead head;
    head.problem = kind;
    if (error != 0) {
        head.error = qt_error_string(error);
    }
    if (error == ENOENT) {
        head.openFailure = FileHead::OpenFailure::missing;
    } else if (error == EACCES) {
        head.openFailure = FileHead::OpenFailure::denied;
    }
    return head;
}

// The problem the file's kind makes, if any.
std::optional<FileHead> kindProblem(const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return problem(FileHead::Problem::isFolder);
    }
    if (!S_ISREG(status.st_mode)) {
        return problem(FileHead::Problem::notRegular);
    }
    return std::nullopt;
}

// Only the kind and size, from one status query.
FileHead statusOnly(const QByteArray& path) {
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) {
        return problem(FileHead::Problem::cannotOpen, errno);
    }
    if (auto kind = kindProblem(status)) {
        return *std::move(kind);
    }
    FileHead head;
    head.size = status.st_size;
    return head;
}

// File names are UTF-8 here, so for a path without surrogates toUtf8 equals QFile::encodeName,
// without its converter's set-up (which costs more than the encoding, twice per line of a folder).
QByteArray nativePathOf(const QString& path) {
    const bool noSurrogates =
        std::none_of(path.cbegin(), path.cend(), [](QChar unit) { return unit.isSurrogate(); });
    return noSurrogates ? path.toUtf8() : QFile::encodeName(path);
}

} // namespace

FileHead readFileHeadPosix(const QString& path, qint64 maxBytes) {
    const QByteArray nativePath = nativePathOf(path);
    if (maxBytes <= 0) {
        return statusOnly(nativePath);
    }
    // Non-blocking, so that opening a FIFO returns at once; a regular file reads as usual.
    const Descriptor fd(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return problem(FileHead::Problem::cannotOpen, errno);
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        return problem(FileHead::Problem::cannotRead, errno);
    }
    if (auto kind = kindProblem(status)) {
        return *std::move(kind);
    }
    FileHead head;
    head.size = status.st_size;
    // One byte more than the stated size shows at once whether the file has grown since; a read
    // of a regular file that returns less than asked has reached the end of the file.
    head.bytes.resize(static_cast<qsizetype>(std::min(maxBytes, head.size + 1)));
    qsizetype got = 0;
    while (got < maxBytes) {
        if (got == head.bytes.size()) {
            head.bytes.resize(static_cast<qsizetype>(std::min<qint64>(maxBytes, 2 * got)));
        }
        const ssize_t read =
            ::read(fd.get(), head.bytes.data() + got, static_cast<size_t>(head.bytes.size() - got));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return problem(FileHead::Problem::cannotRead, errno);
        }
        got += read;
        if (got < head.bytes.size()) {
            break;
        }
    }
    head.bytes.truncate(got);
    return head;
}

} // namespace brisomel
