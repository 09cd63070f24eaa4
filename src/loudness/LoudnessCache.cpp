#include "loudness/LoudnessCache.h"

#include <QFileInfo>

namespace brisomel {

LoudnessCache::Stamp LoudnessCache::stampOf(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? Stamp{info.size(), info.lastModified()} : Stamp{};
}

std::optional<LineLoudness> LoudnessCache::find(const QString& path) const {
    const Stamp now = stampOf(path);
    const QMutexLocker lock(&mutex_);
    const auto found = kept_.find(path);
    if (found == kept_.end() || found->second.stamp != now || now.size < 0) {
        return std::nullopt;
    }
    return found->second.loudness;
}

void LoudnessCache::store(const QString& path, const Stamp& stamp, LineLoudness loudness) {
    const QMutexLocker lock(&mutex_);
    kept_.insert_or_assign(path, Kept{stamp, std::move(loudness)});
}

} // namespace brisomel
