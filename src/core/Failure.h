#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace brisomel {

// Which failure it is, for the callers that act on the kind: why a folder could not be read, or
// the stage at which a conversion stopped; `none` for every other failure.
enum class FailureCode {
    none,
    folderNotLocal,   // the URL names no local path
    folderNotFolder,  // nothing, or something other than a folder, is there
    folderEmpty,      // the folder holds no audio file
    folderUnreadable, // the listing or a caption could not be read
    conversionBuild,  // the timeline could not be built: nothing was written
    conversionWrite,  // an output could not be written
    optionValue,      // an option's value is not a number in its range; the message names it
    cancelled,        // the user stopped it: nothing was written and nothing needs saying
};

// Why something could not be done, kept whole until the user sees it: what could not be done,
// the file or folder concerned and the reason. `what` holds %1 where the quoted path belongs.
struct Failure {
    QString what;
    QString file; // a local path as the user knows it; empty when no file is concerned
    QString reason;
    FailureCode code = FailureCode::none;

    // One line: what, with the path quoted, then ": " and the reason when there is one.
    QString message() const;
};

// A path in double quotes for a one-line message: control characters and line or paragraph
// separators are shown as \u{XXXX}, so that a strange file name cannot break the line.
QString quotedPath(const QString& path);

// A value, or the failure that prevented it.
template <typename T> class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& operator*() { return std::get<T>(state_); }
    const T& operator*() const { return std::get<T>(state_); }
    T* operator->() { return &std::get<T>(state_); }
    const T* operator->() const { return &std::get<T>(state_); }
    const Failure& failure() const { return std::get<Failure>(state_); }

private:
    std::variant<T, Failure> state_;
};

// Success with nothing to hand back.
struct Done {};
using Status = Result<Done>;

} // namespace brisomel
