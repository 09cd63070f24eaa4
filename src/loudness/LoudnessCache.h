#pragma once

#include "loudness/LineLoudness.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

#include <optional>

namespace brisomel {

// What has been measured in this session, by file: a file whose size and modification time are
// unchanged is not measured again. Safe to use from several threads.
class LoudnessCache {
public:
    // The file's size and modification time now.
    struct Stamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

    // The measurement kept for the file, when the file still has the stamp it had then.
    std::optional<LineLoudness> find(const QString& path) const;
    // Keeps a measurement of the file as it was at `stamp` (taken before measuring).
    void store(const QString& path, const Stamp& stamp, LineLoudness loudness);

private:
    struct Kept {
        Stamp stamp;
        LineLoudness loudness;
    };
    mutable QMutex mutex_;
    QHash<QString, Kept> kept_;
};

} // namespace brisomel
