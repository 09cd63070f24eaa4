#pragma once

#include "audio/AudioProbe.h"
#include "audio/PcmLayout.h"

#include <QByteArrayView>

#include <optional>

namespace brisomel {

// How many leading bytes of an AIFF file aiffInfo needs to see to find its "COMM" and "SSND"
// chunks.
inline constexpr qsizetype kAiffHeadBytes = 8192;

// The playing length and exact rate of an AIFF or AIFC file whose samples are stored one frame
// per frame count (integer or floating-point PCM of either byte order, u-law, A-law), from the
// "COMM" chunk found in its first bytes: the stated sample frames over the 80-bit rate, which
// may hold a fraction. Nothing for any other file (compressed frames, "COMM" or "SSND" beyond
// `head`, no frames, a rate outside 1 Hz to 2^31 Hz, a damaged header); FFmpeg reads those.
std::optional<AudioInfo> aiffInfo(QByteArrayView head);

// Where the samples of such a file lie and how they are stored, for decoding it ourselves: the
// frames the header states, as far as the file holds them. Nothing also for u-law and A-law.
std::optional<PcmLayout> aiffLayout(QByteArrayView head, qint64 fileSize);

} // namespace brisomel
