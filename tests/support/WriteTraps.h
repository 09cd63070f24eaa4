#pragma once

#include <QString>

// Targets and conditions that make a file write fail, for the tests of the writers; they bind
// under root too.
namespace brisomel::testsupport {

// Makes a FIFO at the path; false when that fails.
bool makeFifo(const QString& path);

// While it lives, this process may write no file beyond `bytes`: a write that goes further
// stops there and fails, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();

private:
    unsigned long long earlier_;
    void (*earlierHandler_)(int);
};

} // namespace brisomel::testsupport
