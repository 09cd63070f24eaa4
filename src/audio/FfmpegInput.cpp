#include "audio/FfmpegInput.h"

#include <QFile>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <mutex>

namespace brisomel {

namespace {

// FFmpeg logs every damaged file to stderr by default; the caller reports failures itself.
void silenceFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

} // namespace

void FormatContextCloser::operator()(AVFormatContext* context) const {
    avformat_close_input(&context);
}

QString ffmpegErrorText(int errorCode) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(errorCode, text, sizeof text);
    return QString::fromUtf8(text);
}

int firstAudioStream(const AVFormatContext& input) {
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        if (input.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

OpenedInput openInput(const QString& absolutePath, const char* demuxerName) {
    silenceFfmpegLog();
    const AVInputFormat* demuxer = av_find_input_format(demuxerName);
    if (demuxer == nullptr) {
        return {
            nullptr,
            QStringLiteral("no %1 reader in this FFmpeg build").arg(QLatin1String(demuxerName))};
    }
    const QByteArray url = "file:" + QFile::encodeName(absolutePath);
    AVDictionary* options = nullptr;
    // Containers may refer to URLs (e.g. MP4 data references); only local files may be read.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* context = nullptr;
    const int status = avformat_open_input(&context, url.constData(), demuxer, &options);
    av_dict_free(&options);
    if (status < 0) {
        return {nullptr, ffmpegErrorText(status)};
    }
    return {FormatContextPtr(context), {}};
}

} // namespace brisomel
