#include "loudness/SpeakerGains.h"

#include <QHash>
#include <QtConcurrent/QtConcurrentMap>

#include <cmath>
#include <unordered_set>

namespace brisomel {

namespace {

struct SpeakerLines {
    SpeakerGain gain;
    std::vector<QString> paths;
};

// The ticked lines with audio, by speaker (the NFC form of the name, as the builder keys tracks).
std::vector<SpeakerLines> tickedLinesBySpeaker(const FileList& entries) {
    std::vector<SpeakerLines> speakers;
    QHash<QString, std::size_t> index;
    for (const FileListPtr& entry : entries) {
        if (!entry->targetFlg() || !entry->hasSoundFile()) {
            continue;
        }
        const QString key = entry->charactorName().normalized(QString::NormalizationForm_C);
        auto found = index.constFind(key);
        if (found == index.cend()) {
            found = index.insert(key, speakers.size());
            SpeakerLines lines;
            lines.gain.speaker = entry->charactorName();
            lines.gain.named = entry->hasSpeaker();
            speakers.push_back(std::move(lines));
        }
        speakers[*found].paths.push_back(entry->soundFilePath());
    }
    return speakers;
}

std::vector<QString> uncachedPaths(const std::vector<SpeakerLines>& speakers,
                                   const LoudnessCache& cache) {
    std::vector<QString> paths;
    std::unordered_set<QString, PathHash> seen;
    for (const SpeakerLines& speaker : speakers) {
        for (const QString& path : speaker.paths) {
            if (!seen.contains(path) && !cache.find(path)) {
                paths.push_back(path);
            }
            seen.insert(path);
        }
    }
    return paths;
}

// Measures in chunks on several threads, so progress is told between chunks.
Status measureAll(const std::vector<QString>& paths, LoudnessCache& cache,
                  const MeasureProgress& progress, const std::atomic_bool* cancelled) {
    constexpr std::size_t kChunk = 32;
    const auto total = static_cast<qsizetype>(paths.size());
    for (std::size_t begin = 0; begin < paths.size(); begin += kChunk) {
        const std::vector<QString> chunk(
            paths.begin() + static_cast<std::ptrdiff_t>(begin),
            paths.begin() + static_cast<std::ptrdiff_t>(std::min(begin + kChunk, paths.size())));
        const QList<std::optional<Failure>> failures =
            QtConcurrent::blockingMapped<QList<std::optional<Failure>>>(
                chunk, [&](const QString& path) {
                    const LoudnessCache::Stamp stamp = LoudnessCache::stampOf(path);
                    Result<LineLoudness> measured = measureLine(path, cancelled);
                    if (!measured) {
                        return std::optional(measured.failure());
                    }
                    cache.store(path, stamp, std::move(*measured));
                    return std::optional<Failure>();
                });
        for (const auto& failure : failures) {
            if (failure) {
                return *failure;
            }
        }
        if (progress) {
            progress(static_cast<qsizetype>(begin + chunk.size()), total);
        }
    }
    return Done{};
}

double roundedToTenth(double value) {
    const double rounded = std::round(value * 10) / 10;
    return rounded == 0 ? 0.0 : rounded; // never -0
}

} // namespace

std::optional<double> gainFor(double loudness, double truePeak, double targetLufs,
                              bool* peakLimited) {
    if (!std::isfinite(loudness)) {
        return std::nullopt;
    }
    double gain = roundedToTenth(targetLufs - loudness);
    const bool limited = std::isfinite(truePeak) && truePeak + gain > kTruePeakCeiling;
    if (limited) {
        gain = std::floor((kTruePeakCeiling - truePeak) * 10) / 10;
        gain = gain == 0 ? 0.0 : gain;
    }
    if (peakLimited != nullptr) {
        *peakLimited = limited;
    }
    return gain;
}

Result<std::vector<SpeakerGain>> measureSpeakerGains(const FileList& entries, double targetLufs,
                                                     LoudnessCache& cache,
                                                     const MeasureProgress& progress,
                                                     const std::atomic_bool* cancelled) {
    std::vector<SpeakerLines> speakers = tickedLinesBySpeaker(entries);
    if (const Status measured =
            measureAll(uncachedPaths(speakers, cache), cache, progress, cancelled);
        !measured) {
        return measured.failure();
    }
    std::vector<SpeakerGain> gains;
    for (SpeakerLines& speaker : speakers) {
        std::vector<LineLoudness> lines;
        lines.reserve(speaker.paths.size());
        for (const QString& path : speaker.paths) {
            // Measured just now; a file changed since is measured again.
            std::optional<LineLoudness> line = cache.find(path);
            if (!line) {
                Result<LineLoudness> again = measureLine(path, cancelled);
                if (!again) {
                    return again.failure();
                }
                line = std::move(*again);
            }
            lines.push_back(std::move(*line));
        }
        std::vector<const LineLoudness*> measured;
        SpeakerGain& gain = speaker.gain;
        for (const LineLoudness& line : lines) {
            measured.push_back(&line);
            gain.truePeak = std::max(gain.truePeak, line.truePeak);
        }
        gain.loudness = gatedLoudness(measured);
        gain.gain = gainFor(gain.loudness, gain.truePeak, targetLufs, &gain.peakLimited);
        gains.push_back(std::move(gain));
    }
    return gains;
}

} // namespace brisomel
