#include "cli/LineListing.h"

#include "audio/AudioProbe.h"
#include "builder/FilelistToTimeline.h"
#include "intake/FileLists.h"

#include <QStringList>

namespace brisomel {

namespace {

// A caption on one line of its field, so each entry stays one record.
QString oneLine(QString caption) {
    caption.replace(u'\\', QStringLiteral("\\\\"));
    caption.replace(u'\n', QStringLiteral("\\n"));
    caption.replace(u'\t', QStringLiteral("\\t"));
    return caption;
}

// The file name and speaker fields cannot hold a line break; a tab is shown like the caption's.
QString field(QString text) {
    return text.replace(u'\t', QStringLiteral("\\t"));
}

QString listedLine(int number, const FileListData& entry, FpsType fps) {
    QString seconds, frames, status;
    if (entry.hasSoundFile()) {
        const Result<AudioInfo> audio = probeAudioFile(entry.soundFilePath());
        if (audio) {
            seconds = QString::number(audio->durationSeconds, 'f', 2);
            frames = QString::number(frameAlignedDuration(audio->durationSeconds, fps).value /
                                     frameUnit(fps));
        } else {
            status = audio.failure().reason;
        }
    }
    if (status.isEmpty() && !entry.hasTextFile()) {
        status = QStringLiteral("字幕ファイルなし");
    }
    return QStringList{QString::number(number),
                       field(entry.fileName()),
                       field(entry.hasSpeaker() ? entry.charactorName() : QString()),
                       oneLine(entry.textRow()),
                       seconds,
                       frames,
                       status}
        .join(u'\t');
}

} // namespace

QString lineListing(const FileList& entries, FpsType fps) {
    FileList ordered = entries;
    sortByFileName(ordered);
    QString listing = kLineListingHeader + u'\n';
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        listing += listedLine(static_cast<int>(i + 1), *ordered[i], fps) + u'\n';
    }
    return listing;
}

} // namespace brisomel
