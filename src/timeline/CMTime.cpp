#include "timeline/CMTime.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace brisomel {

namespace {

// 128-bit integers keep products of a 64-bit value and a 32-bit timescale exact.
__extension__ typedef __int128 Wide;

CMTime invalidTime() {
    return CMTime{0, 0, 0};
}

// Rescales a finite time to `timescale` units; exact because `timescale` is a multiple of the
// time's own. Falls back to an invalid time when the result leaves the 64-bit range.
bool rescaleExact(CMTime t, Wide timescale, Wide& out) {
    out = static_cast<Wide>(t.value) * (timescale / t.timescale);
    return out >= std::numeric_limits<std::int64_t>::min() &&
           out <= std::numeric_limits<std::int64_t>::max();
}

CMTime combine(CMTime a, CMTime b, int sign) {
    if (!a.isValid() || !b.isValid()) {
        return invalidTime();
    }
    if (a.isPositiveInfinity() || b.isPositiveInfinity()) {
        return kCMTimePositiveInfinity;
    }
    if (a.timescale == b.timescale) {
        Wide sum = static_cast<Wide>(a.value) + sign * static_cast<Wide>(b.value);
        if (sum < std::numeric_limits<std::int64_t>::min() ||
            sum > std::numeric_limits<std::int64_t>::max()) {
            return invalidTime();
        }
        return CMTimeMake(static_cast<std::int64_t>(sum), a.timescale);
    }
    const Wide lcm =
        std::lcm(static_cast<std::int64_t>(a.timescale), static_cast<std::int64_t>(b.timescale));
    if (lcm > std::numeric_limits<std::int32_t>::max()) {
        return invalidTime();
    }
    Wide av = 0;
    Wide bv = 0;
    if (!rescaleExact(a, lcm, av) || !rescaleExact(b, lcm, bv)) {
        return invalidTime();
    }
    const Wide sum = av + sign * bv;
    if (sum < std::numeric_limits<std::int64_t>::min() ||
        sum > std::numeric_limits<std::int64_t>::max()) {
        return invalidTime();
    }
    return CMTimeMake(static_cast<std::int64_t>(sum), static_cast<std::int32_t>(lcm));
}

} // namespace

CMTime CMTimeMake(std::int64_t value, std::int32_t timescale) {
    return CMTime{value, timescale, CMTime::kValid};
}

CMTime CMTimeMakeWithSeconds(double seconds, std::int32_t preferredTimescale) {
    if (preferredTimescale <= 0 || std::isnan(seconds)) {
        return invalidTime();
    }
    const double units = seconds * preferredTimescale;
    if (units >= 9.2233720368547758e18) {
        return kCMTimePositiveInfinity;
    }
    if (units < -9.2233720368547758e18) {
        return invalidTime();
    }
    return CMTimeMake(static_cast<std::int64_t>(std::round(units)), preferredTimescale);
}

CMTime CMTimeAdd(CMTime a, CMTime b) {
    return combine(a, b, 1);
}

int CMTimeCompare(CMTime a, CMTime b) {
    const bool aInf = a.isPositiveInfinity();
    const bool bInf = b.isPositiveInfinity();
    if (aInf || bInf) {
        return aInf == bInf ? 0 : (aInf ? 1 : -1);
    }
    if (a.timescale <= 0 || b.timescale <= 0) {
        // Invalid times carry no value; order them by their raw numbers so sorting stays total.
        if (a.timescale != b.timescale) {
            return a.timescale < b.timescale ? -1 : 1;
        }
        return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
    }
    // Cross-multiplying in 128 bits is exact: |value| < 2^63 and timescale < 2^31.
    const Wide lhs = static_cast<Wide>(a.value) * b.timescale;
    const Wide rhs = static_cast<Wide>(b.value) * a.timescale;
    return lhs < rhs ? -1 : (lhs > rhs ? 1 : 0);
}

} // namespace brisomel
