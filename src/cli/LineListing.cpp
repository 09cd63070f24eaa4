#include "cli/LineListing.h"

#include "audio/AudioFactsCheck.h"
#include "timeline/FrameAlignment.h"

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

QString listedLine(const LineListingRow& row) {
    return QStringList{QString::number(row.number),
                       field(row.fileName),
                       field(row.speaker),
                       oneLine(row.caption),
                       row.seconds ? QString::number(*row.seconds, 'f', 2) : QString(),
                       row.frames ? QString::number(*row.frames) : QString(),
                       row.state}
        .join(u'\t');
}

} // namespace

QString lineListing(FileLists& lines, FpsType fps) {
    if (auto facts = readAudioFacts(audioFilesOf(lines.lines()))) {
        lines.setAudioFacts(std::move(*facts));
    }
    const WholeFrames frames = [fps](double seconds) { return wholeFrames(seconds, fps); };
    QString listing = kLineListingHeader + u'\n';
    for (int number = 1; number <= lines.lineCount(); ++number) {
        listing += listedLine(lines.listingRow(number, frames)) + u'\n';
    }
    return listing;
}

} // namespace brisomel
