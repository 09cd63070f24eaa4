#pragma once

#include <cstddef>

namespace brisomel {

// The K-weighting that loudness is measured through: a high shelf of about +4 dB above 1.5 kHz,
// then a high pass at about 38 Hz. Both are designed for any sample rate from the analogue
// prototypes the broadcast standard gives, so that at 48 kHz they are the standard's own.
//
// Written in direct form I with the high pass's numerator (1, -2, 1) as differences: each sample
// then waits on one multiplication and one subtraction of the sample before, which sets the
// pace. Measured on 144 M samples (1,000 lines of 3 s at 48 kHz): 0.30 s, against 0.47 s for
// the same sections in transposed direct form II.
class KWeighting {
public:
    explicit KWeighting(double sampleRate);

    // Filters `frames` samples spaced `stride` floats apart and returns the sum of the squares
    // of the filtered samples.
    double sumOfSquares(const float* samples, std::size_t frames, std::size_t stride);

private:
    struct Shelf {
        double b0, b1, b2, a1, a2;
    };
    struct HighPass {
        double a1, a2;
    };
    // What is carried from one sample to the next.
    struct State {
        double in1 = 0, in2 = 0;           // the last two samples in
        double shelved1 = 0, shelved2 = 0; // the last two out of the shelf
        double out1 = 0, out2 = 0;         // the last two out of the high pass
    };
    static Shelf shelfFor(double sampleRate);
    static HighPass highPassFor(double sampleRate);
    static void flushTiny(State& state);

    Shelf shelf_;
    HighPass highPass_;
    State state_;
};

} // namespace brisomel
