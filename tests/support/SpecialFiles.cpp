#include "support/SpecialFiles.h"

#include <QFile>
#include <QProcess>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brisomel::testsupport {

#ifndef Q_OS_WIN

namespace {

// Sets the soft limit of the file size and returns the one before.
rlim_t swapFileSizeLimit(rlim_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t earlier = limit.rlim_cur;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return earlier;
}

} // namespace

bool haveSpecialFiles() {
    return true;
}

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeSymlink(const QString& target, const QString& link) {
    const QByteArray linkPath = QFile::encodeName(link);
    return ::symlink(QFile::encodeName(target).constData(), linkPath.constData()) == 0;
}

bool permissionsBind() {
    return ::geteuid() != 0;
}

void limitFileSize(QProcess& process, long long bytes) {
    process.setChildProcessModifier([bytes] {
        // A write past the limit would otherwise end the process with SIGXFSZ.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
}

FileSizeLimit::FileSizeLimit(long long bytes)
    : earlier_(swapFileSizeLimit(static_cast<rlim_t>(bytes))),
      earlierHandler_(std::signal(SIGXFSZ, SIG_IGN)) {}

FileSizeLimit::~FileSizeLimit() {
    swapFileSizeLimit(static_cast<rlim_t>(earlier_));
    std::signal(SIGXFSZ, earlierHandler_);
}

#else

bool haveSpecialFiles() {
    return false;
}
bool makeFifo(const QString&) {
    return false;
}
bool makeSymlink(const QString&, const QString&) {
    return false;
}
bool permissionsBind() {
    return false;
}
void limitFileSize(QProcess&, long long) {}
FileSizeLimit::FileSizeLimit(long long) {}
FileSizeLimit::~FileSizeLimit() = default;

#endif

} // namespace brisomel::testsupport
