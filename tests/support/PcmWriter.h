#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Writers of silent 16-bit PCM audio files of an exact length, for tests and benchmarks that need
// audio fixtures without shipping binary files.
namespace brisomel::testsupport {

// A complete RIFF/WAVE file: "fmt " and "data" chunks, `frames` samples per channel.
QByteArray wavBytes(int sampleRate, int channels, std::int64_t frames);
// A complete AIFF file, at a rate that may hold a fraction; with `aifcCompression` ("sowt"...), an
// AIFC file of that type with the same 16-bit samples.
QByteArray aiffBytes(double sampleRate, int channels, std::int64_t frames,
                     const char* aifcCompression = nullptr);

// Writes `bytes` to `path`, replacing any file there; false when that fails.
bool writeBytes(const QString& path, const QByteArray& bytes);
// The whole file, or nothing when it cannot be read.
QByteArray readBytes(const QString& path);
bool writeWav(const QString& path, int sampleRate, int channels, std::int64_t frames);
bool writeAiff(const QString& path, double sampleRate, int channels, std::int64_t frames);

} // namespace brisomel::testsupport
