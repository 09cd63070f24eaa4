#include "support/SrtReader.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstring>
#include <memory>

namespace brisomel::testsupport {

std::optional<std::vector<ReadCue>> readSrt(const QString& path) {
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    const std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> context(
        opened, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (std::strcmp(context->iformat->name, "srt") != 0) {
        return std::nullopt;
    }
    const std::unique_ptr<AVPacket, void (*)(AVPacket*)> packet(
        av_packet_alloc(), [](AVPacket* p) { av_packet_free(&p); });
    // The demuxer counts its stream's time in milliseconds.
    std::vector<ReadCue> cues;
    while (av_read_frame(context.get(), packet.get()) >= 0) {
        cues.push_back(
            {packet->pts, packet->pts + packet->duration,
             QString::fromUtf8(reinterpret_cast<const char*>(packet->data), packet->size),
             packet->pos});
        av_packet_unref(packet.get());
    }
    return cues;
}

} // namespace brisomel::testsupport
