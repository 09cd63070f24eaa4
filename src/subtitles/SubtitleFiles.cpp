#include "subtitles/SubtitleFiles.h"

#include "subtitles/SrtText.h"
#include "subtitles/SubtitleCues.h"
#include "timeline/TextCleaning.h"
#include "timeline/WritingOrder.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace brisomel {

namespace {

bool isForbiddenInFileNames(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"<>:\"/\\|?*").contains(c);
}

// Names as a case-insensitive, normalising file system compares them.
QString comparedForm(const QString& name) {
    return name.normalized(QString::NormalizationForm_C).toCaseFolded();
}

// The part itself, or with "_2", "_3"... once its name has been taken.
QString unusedPart(const QString& part, QSet<QString>& taken) {
    QString candidate = part;
    for (int n = 2; taken.contains(comparedForm(candidate)); ++n) {
        candidate = part + u'_' + QString::number(n);
    }
    taken.insert(comparedForm(candidate));
    return candidate;
}

} // namespace

QString fileNamePart(const QString& speaker) {
    QString part = subtitleSafeText(speaker);
    for (QChar& c : part) {
        if (isForbiddenInFileNames(c)) {
            c = u'_';
        }
    }
    while (part.endsWith(u'.') || part.endsWith(u' ')) {
        part.chop(1);
    }
    return part.isEmpty() ? QStringLiteral("noname") : part;
}

QString speakerFilePath(const QString& path, const QString& part) {
    const QString name = QFileInfo(path).fileName();
    const QString folder = path.left(path.size() - name.size());
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    return folder + base + u'_' + part + extension;
}

QString subtitlePathBeside(const QString& documentPath) {
    const QString extension = QStringLiteral(".srt");
    const QFileInfo document(documentPath);
    if (document.suffix().compare(extension.mid(1), Qt::CaseInsensitive) == 0) {
        return documentPath + extension;
    }
    const QString name = document.fileName();
    const QString folder = documentPath.left(documentPath.size() - name.size());
    return folder + document.completeBaseName() + extension;
}

OutputFile subtitleFile(const BuiltTimeline& timeline, const QString& path,
                        const SubtitleOptions& options) {
    return {path, srtText(subtitleCues(timeline), options)};
}

std::vector<OutputFile> subtitleFilesBySpeaker(const BuiltTimeline& timeline, const QString& path,
                                               const SubtitleOptions& options) {
    const std::vector<SubtitleCue> cues = subtitleCues(timeline);
    std::vector<std::pair<const Track*, std::vector<SubtitleCue>>> bySpeaker;
    QHash<const Track*, std::size_t> positions;
    for (const auto& track : sortedTracks(timeline.tracks)) {
        positions.insert(track.get(), bySpeaker.size());
        bySpeaker.push_back({track.get(), {}});
    }
    for (const SubtitleCue& cue : cues) {
        bySpeaker[positions.value(cue.track)].second.push_back(cue);
    }

    std::vector<OutputFile> files;
    QSet<QString> taken;
    for (const auto& [track, trackCues] : bySpeaker) {
        if (trackCues.empty()) {
            continue;
        }
        const QString part = unusedPart(fileNamePart(track->speakerName), taken);
        files.push_back({speakerFilePath(path, part), srtText(trackCues, options)});
    }
    return files;
}

} // namespace brisomel
