#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Writers of PCM audio files, silent ones of an exact length or of given samples, for tests and
// benchmarks that need audio fixtures without shipping binary files.
namespace brisomel::testsupport {

// How each sample is stored: a signed integer (offset binary when asked) or an IEEE float of
// `bytes` bytes, in either byte order.
struct SampleForm {
    int bytes = 2;
    bool floating = false;
    bool bigEndian = false;
    bool offsetBinary = false;
};

// A complete RIFF/WAVE file: "fmt " and "data" chunks, `frames` samples per channel.
QByteArray wavBytes(int sampleRate, int channels, std::int64_t frames);
// A complete AIFF file, at a rate that may hold a fraction; with `aifcCompression` ("sowt"...), an
// AIFC file of that type with the same 16-bit samples.
QByteArray aiffBytes(double sampleRate, int channels, std::int64_t frames,
                     const char* aifcCompression = nullptr);
// The same files holding the given interleaved samples, full scale at ±1 (8-bit WAV samples are
// stored unsigned, as that format has them). For AIFC, `form` must match the compression type.
QByteArray wavBytes(int sampleRate, int channels, const std::vector<double>& interleaved,
                    SampleForm form = {});
QByteArray aiffBytes(double sampleRate, int channels, const std::vector<double>& interleaved,
                     SampleForm form = {.bigEndian = true}, const char* aifcCompression = nullptr);

// Writes `bytes` to `path`, replacing any file there; false when that fails.
bool writeBytes(const QString& path, const QByteArray& bytes);
// The whole file, or nothing when it cannot be read.
QByteArray readBytes(const QString& path);
bool writeWav(const QString& path, int sampleRate, int channels, std::int64_t frames);

} // namespace brisomel::testsupport
