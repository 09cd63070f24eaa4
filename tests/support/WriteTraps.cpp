#include "support/WriteTraps.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace brisomel::testsupport {

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

namespace {

void setSoftLimit(rlim_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

FileSizeLimit::FileSizeLimit(long long bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    earlier_ = limit.rlim_cur;
    // A write past the limit would otherwise end the process with SIGXFSZ.
    earlierHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    setSoftLimit(static_cast<rlim_t>(bytes));
}

FileSizeLimit::~FileSizeLimit() {
    setSoftLimit(static_cast<rlim_t>(earlier_));
    std::signal(SIGXFSZ, earlierHandler_);
}

} // namespace brisomel::testsupport
