#pragma once

#include <QString>

#include <memory>

struct AVFormatContext;

namespace brisomel {

struct FormatContextCloser {
    void operator()(AVFormatContext* context) const;
};
using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextCloser>;

// An opened demuxer, or FFmpeg's reason why the file could not be opened.
struct OpenedInput {
    FormatContextPtr context;
    QString error;
};

// Opens a local file with the named demuxer and reads its header only; no content probing and no
// decoding. The path goes to FFmpeg's file protocol, whatever characters it holds, so a name
// such as "a:b.wav" can never select another protocol. Safe to call from several threads.
OpenedInput openInput(const QString& absolutePath, const char* demuxerName);

// The index of the file's first audio stream, or -1. (av_find_best_stream passes over an MP3's
// stream until packets have been read, because its header does not state the rate.)
int firstAudioStream(const AVFormatContext& input);

// FFmpeg's text for one of its error codes.
QString ffmpegErrorText(int errorCode);

} // namespace brisomel
