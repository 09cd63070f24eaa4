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
    double in1 = in1_, in2 = in2_, shelved1 = shelved1_, shelved2 = shelved2_;
    double out1 = out1_, out2 = out2_;
    double sum = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double in = samples[i * stride];
        const double shelved =
            ((s.b0 * in + s.b1 * in1 + s.b2 * in2) - s.a2 * shelved2) - s.a1 * shelved1;
        const double out = (((shelved + shelved2) - 2.0 * shelved1) - h.a2 * out2) - h.a1 * out1;
        in2 = in1;
        in1 = in;
        shelved2 = shelved1;
        shelved1 = shelved;
        out2 = out1;
        out1 = out;
        sum += out * out;
    }
    in1_ = in1;
    in2_ = in2;
    shelved1_ = shelved1;
    shelved2_ = shelved2;
    out1_ = out1;
    out2_ = out2;
    flushTinyState();
    return sum;
}

// A state that has decayed far below anything audible is set to zero, so that a long silence
// never leaves the filters working on denormal numbers (many times slower on most processors).
void KWeighting::flushTinyState() {
    constexpr double kTiny = 1e-20;
    for (double* state : {&in1_, &in2_, &shelved1_, &shelved2_, &out1_, &out2_}) {
        if (std::abs(*state) < kTiny) {
            *state = 0;
        }
    }
}

} // namespace brisomel
