#include "subtitles/SrtText.h"

#include "timeline/TextCleaning.h"

#include <algorithm>

namespace brisomel {

namespace {

QString padded(std::int64_t value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// The speaker's name on one line, or nothing for a track without a name.
QString speakerPrefix(const Track& track) {
    QString name = subtitleSafeText(track.speakerName);
    name.replace(u'\r', u' ').replace(u'\n', u' ');
    name = name.trimmed();
    return name.isEmpty() ? QString() : name + QStringLiteral(": ");
}

} // namespace

QString srtTimestamp(std::int64_t milliseconds) {
    const std::int64_t ms = std::max<std::int64_t>(milliseconds, 0);
    return padded(ms / 3600000, 2) + u':' + padded(ms / 60000 % 60, 2) + u':' +
           padded(ms / 1000 % 60, 2) + u',' + padded(ms % 1000, 3);
}

QString srtText(const std::vector<SubtitleCue>& cues, const SubtitleOptions& options) {
    const QString lineEnd = options.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    std::int64_t number = 0;
    for (const SubtitleCue& cue : cues) {
        text += QString::number(++number) + lineEnd;
        text +=
            srtTimestamp(cue.startMs) + QStringLiteral(" --> ") + srtTimestamp(cue.endMs) + lineEnd;
        if (options.speakerPrefix && cue.track) {
            text += speakerPrefix(*cue.track);
        }
        text += cue.lines.join(lineEnd) + lineEnd;
        text += lineEnd;
    }
    return text;
}

} // namespace brisomel
