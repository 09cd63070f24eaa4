// A random timeline through both writers: the document must be well-formed XML, valid against
// the FCPXML 1.9 DTD when one is at hand, and hold one title per caption clip and one audio clip
// per voice clip.

#include "fcpxml/ProjectWriter.h"

#include "FuzzInput.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/valid.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace brisomel;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

xmlDtdPtr loadDtd() {
    const QByteArray path = qgetenv("BRISOMEL_FCPXML_DTD");
    return path.isEmpty()
               ? nullptr
               : xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(path.constData()));
}

float anyFiniteFloat(fuzz::FuzzInput& input) {
    const float value = input.take<float>();
    return std::isfinite(value) ? value : 0.0f;
}

// Clips of one track that follow each other without overlapping, as the builder places them.
void fillTrack(fuzz::FuzzInput& input, Track& track, std::int32_t timescale, int& clips) {
    std::int64_t start = input.below(5) * 100;
    const int count = static_cast<int>(input.below(6));
    for (int i = 0; i < count; ++i) {
        const std::int64_t duration = input.below(4) == 0 ? 0 : input.below(100000);
        const CMTime at = CMTimeMake(start, timescale);
        const CMTime length = CMTimeMake(duration, timescale);
        if (track.trackType == TrackType::video) {
            track.addClip(std::make_shared<TextClip>(
                input.text(12), at, length, anyFiniteFloat(input), anyFiniteFloat(input),
                input.text(30), static_cast<AlignType>(input.below(3))));
        } else {
            track.addClip(std::make_shared<SoundClip>(input.text(12), at, length,
                                                      input.below(200000) +
                                                          input.take<std::uint8_t>() / 256.0,
                                                      QStringLiteral("/voices/") + input.text(12)));
        }
        ++clips;
        // Zero-length clips keep a start of their own, so every clip is reachable in order.
        start += duration + (duration == 0 ? 1 : 0) + input.below(3) * 50;
    }
}

int countElements(xmlNodePtr node, const char* name) {
    int count = 0;
    for (; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST name) == 0) {
            ++count;
        }
        count += countElements(node->children, name);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const xmlDtdPtr dtd = loadDtd();
    fuzz::FuzzInput input(data, size);
    const auto fps = static_cast<FpsType>(input.below(8));
    const auto frame = static_cast<FrameType>(input.below(4));
    const bool split = input.below(2) == 0;

    TrackMap tracks;
    int textClips = 0;
    int soundClips = 0;
    const int speakers = static_cast<int>(input.below(4));
    for (int i = 0; i < speakers; ++i) {
        const QString name = input.text(8);
        auto caption =
            std::make_shared<Track>(name + QStringLiteral("01テキストトラック"), TrackType::video);
        auto voice =
            std::make_shared<Track>(name + QStringLiteral("02サウンドトラック"), TrackType::sound);
        fillTrack(input, *caption, timescale(fps), textClips);
        fillTrack(input, *voice, timescale(fps), soundClips);
        tracks.insert(caption);
        tracks.insert(voice);
    }
    const QString timelineName = input.text(16);
    const QString document = split ? makeFCPXMLWithSplitClips(timelineName, tracks, frame, fps,
                                                              QStringLiteral("Kestrune"))
                                   : makeFCPXMLWithoutSplitClips(timelineName, tracks, frame, fps,
                                                                 QStringLiteral("Kestrune"));

    const QByteArray bytes = document.toUtf8();
    xmlDocPtr parsed =
        xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), "fuzz.fcpxml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    check(parsed != nullptr);
    xmlNodePtr root = xmlDocGetRootElement(parsed);
    check(countElements(root, "title") == textClips);
    check(countElements(root, "asset-clip") == soundClips);
    if (dtd) {
        xmlValidCtxtPtr context = xmlNewValidCtxt();
        context->error = nullptr;
        context->warning = nullptr;
        check(xmlValidateDtd(context, parsed, dtd) == 1);
        xmlFreeValidCtxt(context);
    }
    xmlFreeDoc(parsed);
    return 0;
}
