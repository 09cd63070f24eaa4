#pragma once

#include "timeline/CMTime.h"
#include "timeline/CaptionStyle.h"
#include "timeline/OptionTypes.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace brisomel {

enum class TrackType { video = 0, sound = 1 };

// Base of the two clip kinds; clips are shared between their track and the writers.
class Clip {
public:
    virtual ~Clip() = default;

    QString title;
    CMTime start;
    CMTime duration;

protected:
    Clip(QString title, CMTime start, CMTime duration);
};

// A caption above its voice clip.
class TextClip final : public Clip {
public:
    TextClip(QString title, CMTime start, CMTime duration, float posX, float posY, QString text,
             AlignType align);

    QString text;
    AlignType align = AlignType::canter;
    float posX = 0;
    float posY = 0;
    CaptionStyle style; // the speaker's
};

// A voice recording, referred to where it lies.
class SoundClip final : public Clip {
public:
    SoundClip(QString title, CMTime start, CMTime duration, double sampleRate, QString path);

    double sampleRate = 0;
    QString path; // the audio file's local path
    // The gain the editor applies to the clip, in dB with one decimal; none leaves it as recorded.
    std::optional<double> volumeDb;
};

// A still image over part of the timeline: a speaker's portrait, one mouth position of it.
class StillClip final : public Clip {
public:
    StillClip(QString title, CMTime start, CMTime duration, QString path);

    QString path;       // the image file's local path
    int pixelWidth = 0; // the image's size in pixels
    int pixelHeight = 0;
    double x = 0; // pixels from the frame's centre, y upwards
    double y = 0;
    double scale = 100; // percent
};

// Shared values in the order they were added, so the same input always yields the same timeline
// and document.
template <typename T> class InsertionOrderedMap {
public:
    void insert(std::shared_ptr<T> item) { items_.push_back(std::move(item)); }
    qsizetype size() const { return static_cast<qsizetype>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::shared_ptr<T>> items_;
};

using ClipMap = InsertionOrderedMap<Clip>;

class Track {
public:
    Track(QString title, TrackType trackType);

    QString title;
    TrackType trackType;
    QString speakerName; // whose voice lines the track holds; empty when nobody's in particular

    const ClipMap& clips() const { return clips_; }
    void addClip(std::shared_ptr<Clip> clip);

    // The clip with the smallest start; among equal starts the one added last.
    std::shared_ptr<Clip> firstClip() const;
    // The clip with the greatest start; among equal starts the one added last. Kept up to date
    // as clips are added, so the end of the timeline is found without visiting every clip.
    std::shared_ptr<Clip> latestClip() const { return latest_; }

private:
    ClipMap clips_;
    std::shared_ptr<Clip> latest_;
};

// Tracks, visited in the order they were added.
using TrackMap = InsertionOrderedMap<Track>;

// The end of the timeline: the greatest end of each track's latest-starting clip, or zero.
CMTime timelineEnd(const TrackMap& tracks);

} // namespace brisomel
