#pragma once

#include <cstdint>

namespace brisomel {

// Exact rational time: `value` units over `timescale` units per second.
struct CMTime {
    enum Flag : std::uint32_t {
        kValid = 1u << 0,
        kPositiveInfinity = 1u << 2,
    };

    std::int64_t value = 0;
    std::int32_t timescale = 1;
    std::uint32_t flags = kValid;

    bool isValid() const { return (flags & kValid) != 0; }
    bool isPositiveInfinity() const { return (flags & kPositiveInfinity) != 0; }
};

inline constexpr CMTime kCMTimeZero{0, 1, CMTime::kValid};
inline constexpr CMTime kCMTimePositiveInfinity{0, 0, CMTime::kValid | CMTime::kPositiveInfinity};

// A time holding exactly the given numbers.
CMTime CMTimeMake(std::int64_t value, std::int32_t timescale);
// Seconds times the timescale, rounded to the nearest whole unit (halves away from zero).
CMTime CMTimeMakeWithSeconds(double seconds, std::int32_t preferredTimescale);
// Sum over the same timescale, or over the least common multiple of two different ones.
CMTime CMTimeAdd(CMTime a, CMTime b);
// -1, 0 or 1 by exact rational value; positive infinity is greater than every finite time.
int CMTimeCompare(CMTime a, CMTime b);

inline bool operator==(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) == 0;
}
inline bool operator<(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) < 0;
}
inline bool operator<=(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) <= 0;
}
inline bool operator>(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) > 0;
}
inline bool operator>=(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) >= 0;
}
inline CMTime operator+(CMTime a, CMTime b) {
    return CMTimeAdd(a, b);
}

// True when both hold the same numbers, not merely the same rational value.
inline bool sameRepresentation(CMTime a, CMTime b) {
    return a.value == b.value && a.timescale == b.timescale && a.flags == b.flags;
}

} // namespace brisomel
