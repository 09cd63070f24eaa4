#pragma once

#include <QString>

class QProcess;

// The special files and conditions the tests plant to make reading or writing fail: FIFOs,
// symbolic links, a file size limit and a user whom file permissions bind. POSIX systems have
// them all; on Windows each function below fails (the limit does nothing), so a case that needs
// them ends with BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES(), after the checks that need none.
namespace brisomel::testsupport {

bool haveSpecialFiles();

// Makes a FIFO at the path; false when that fails.
bool makeFifo(const QString& path);

// Makes a symbolic link at `link` holding `target` as it is (a relative target stays relative).
bool makeSymlink(const QString& target, const QString& link);

// Whether file permissions bind this process: they do not bind root, and on Windows
// QFile::setPermissions only marks a file read-only.
bool permissionsBind();

// Makes `process`, once started, unable to write a file beyond `bytes`, as on a full disk.
void limitFileSize(QProcess& process, long long bytes);

// While it lives, this process may write no file beyond `bytes`: a write that goes further
// stops there and fails, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();

private:
    unsigned long long earlier_ = 0;
    void (*earlierHandler_)(int) = nullptr;
};

} // namespace brisomel::testsupport

#define BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES()                                                      \
    if (brisomel::testsupport::haveSpecialFiles()) {                                               \
    } else                                                                                         \
        GTEST_SKIP() << "FIFOs, links, file size limits and binding permissions are POSIX only"
