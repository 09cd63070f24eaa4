#include "loudness/KWeighting.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace brisomel {

KWeighting::Shelf KWeighting::shelfFor(double sampleRate) {
    constexpr double kCentre = 1681.974450955533; // Hz
    constexpr double kGain = 3.999843853973347;   // dB
    constexpr double kQ = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * kCentre / sampleRate);
    const double vh = std::pow(10.0, kGain / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / kQ + k * k;
    return {.b0 = (vh + vb * k / kQ + k * k) / a0,
            .b1 = 2.0 * (k * k - vh) / a0,
            .b2 = (vh - vb * k / kQ + k * k) / a0,
            .a1 = 2.0 * (k * k - 1.0) / a0,
            .a2 = (1.0 - k / kQ + k * k) / a0};
}

KWeighting::HighPass KWeighting::highPassFor(double sampleRate) {
    constexpr double kCorner = 38.13547087602444; // Hz
    constexpr double kQ = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * kCorner / sampleRate);
    const double a0 = 1.0 + k / kQ + k * k;
    return {.a1 = 2.0 * (k * k - 1.0) / a0, .a2 = (1.0 - k / kQ + k * k) / a0};
}

KWeighting::KWeighting(double sampleRate)
    : shelf_(shelfFor(sampleRate)), highPass_(highPassFor(sampleRate)) {}

double KWeighting::sumOfSquares(const float* samples, std::size_t frames, std::size_t stride) {
    const Shelf s = shelf_;
    const HighPass h = highPass_;
    State t = state_; // a local copy, which the compiler keeps in registers
    double sum = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double in = samples[i * stride];
        const double shelved =
            ((s.b0 * in + s.b1 * t.in1 + s.b2 * t.in2) - s.a2 * t.shelved2) - s.a1 * t.shelved1;
        const double out =
            (((shelved + t.shelved2) - 2.0 * t.shelved1) - h.a2 * t.out2) - h.a1 * t.out1;
        t = {in, t.in1, shelved, t.shelved1, out, t.out1};
        sum += out * out;
    }
    flushTiny(t);
    state_ = t;
    return sum;
}

// A state that has decayed far below anything audible is set to zero, so that a long silence
// never leaves the filters working on denormal numbers (many times slower on most processors).
void KWeighting::flushTiny(State& state) {
    constexpr double kTiny = 1e-20;
    for (double* value :
         {&state.in1, &state.in2, &state.shelved1, &state.shelved2, &state.out1, &state.out2}) {
        if (std::abs(*value) < kTiny) {
            *value = 0;
        }
    }
}

} // namespace brisomel
