#include "support/WriteTraps.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace brisomel::testsupport {

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

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

FileSizeLimit::FileSizeLimit(long long bytes)
    // A write past the limit would otherwise end the process with SIGXFSZ.
    : earlier_(swapFileSizeLimit(static_cast<rlim_t>(bytes))),
      earlierHandler_(std::signal(SIGXFSZ, SIG_IGN)) {}

FileSizeLimit::~FileSizeLimit() {
    swapFileSizeLimit(static_cast<rlim_t>(earlier_));
    std::signal(SIGXFSZ, earlierHandler_);
}

} // namespace brisomel::testsupport
