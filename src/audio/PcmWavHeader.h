#pragma once

#include "audio/AudioProbe.h"
#include "audio/PcmLayout.h"

#include <QByteArrayView>

#include <optional>

namespace brisomel {

// How many leading bytes of a WAV file pcmWavInfo needs to see to find the usual chunks.
inline constexpr qsizetype kPcmWavHeadBytes = 8192;

// The playing length and rate of an integer or floating-point PCM WAV file, from the "fmt " and
// "data" chunks found in its first bytes and the file's size: whole sample frames present,
// which is the stated data size unless the file ends sooner or leaves the size open (0 or all
// ones, as streaming recorders write). Nothing for any other WAV (compressed audio, RF64,
// chunks beyond `head`, a damaged header); FFmpeg reads those.
std::optional<AudioInfo> pcmWavInfo(QByteArrayView head, qint64 fileSize);

// Where the samples of such a file lie and how they are stored, for decoding it ourselves;
// nothing also when a frame is not whole samples of 1 to 4 bytes (integer) or 4 or 8 (float).
std::optional<PcmLayout> pcmWavLayout(QByteArrayView head, qint64 fileSize);

} // namespace brisomel
