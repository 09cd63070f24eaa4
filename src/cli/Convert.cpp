#include "cli/Convert.h"

#include "cli/LineListing.h"
#include "export/Conversion.h"
#include "intake/FileLists.h"
#include "intake/ReadFolder.h"
#include "loudness/VoiceGains.h"

#include <algorithm>

namespace brisomel {

namespace {

// Unticks the lines whose numbers (as --list prints them) are given; the problem when a number
// is past the last line or no line would be left.
std::optional<QString> skipLines(FileLists& lines, const QList<LineRange>& ranges) {
    if (!lines.setTicked(ranges, false)) {
        const int highest =
            std::max_element(ranges.begin(), ranges.end(),
                             [](const LineRange& a, const LineRange& b) { return a.last < b.last; })
                ->last;
        return QStringLiteral("--skip の番号 %1 はありません（行は %2 まで）")
            .arg(highest)
            .arg(lines.lineCount());
    }
    if (lines.tickedCount() == 0) {
        return QStringLiteral("--skip ですべての行が外されています");
    }
    return std::nullopt;
}

// "話者なし M 行（first, second, third ほか）" naming the first three audio files; empty when
// every line has its speaker.
QString unnamedLinesText(const QStringList& unnamedFiles) {
    if (unnamedFiles.isEmpty()) {
        return {};
    }
    constexpr qsizetype kNamed = 3;
    QString named = unnamedFiles.first(std::min(kNamed, unnamedFiles.size())).join(u'、');
    if (unnamedFiles.size() > kNamed) {
        named += QStringLiteral(" ほか");
    }
    // One pass of arg: a "%" in a file name is not taken for a place of the text.
    return QStringLiteral("話者なし %1 行（%2）").arg(QString::number(unnamedFiles.size()), named);
}

} // namespace

QString conversionSummary(const ConversionReport& report) {
    // One pass of arg: a "%" in a file name is not taken for a place of the text.
    return QStringLiteral("%1 行、話者 %2 人、%3%4 秒 → %5")
        .arg(QString::number(report.entryCount), QString::number(report.speakerCount),
             report.unnamedFiles.isEmpty() ? QString()
                                           : unnamedLinesText(report.unnamedFiles) + u'、',
             QString::number(report.writtenSeconds, 'f', 3),
             report.written.join(QStringLiteral("、")));
}

int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut,
                  bool showProgress) {
    const auto fail = [&](const Failure& failure) {
        messages << "brisomel-cli: " << failure.message() << Qt::endl;
        return kExitConversionFailed;
    };
    Result<FileList> read =
        readFolder(QUrl::fromLocalFile(options.folder), options.naming.value_or(NamingRule()));
    if (!read) {
        return fail(read.failure());
    }
    FileLists lines;
    lines.setFileLists(std::move(*read));
    lines.setCaptionRules(options.captionRules);
    if (const auto problem = skipLines(lines, options.skipped)) {
        messages << "brisomel-cli: " << *problem << "\n詳しくは --help" << Qt::endl;
        return kExitUsage;
    }
    if (options.listLines) {
        documentOut.write(lineListing(lines, options.conversion.fpsType).toUtf8());
        return kExitSuccess;
    }
    LoudnessRun loudness;
    if (showProgress) {
        loudness.progress = [&messages](qsizetype done, qsizetype total) {
            messages << QStringLiteral("\r音量を測っています %1 / %2").arg(done).arg(total)
                     << (done == total ? "\n" : "") << Qt::flush;
        };
    }
    const Result<ConversionReport> report = runConversion(
        lines.lines(), options.conversion, options.targets, &documentOut, {}, {}, loudness);
    if (!report) {
        return fail(report.failure());
    }
    messages << conversionSummary(*report) << Qt::endl;
    for (const SpeakerGain& gain : report->speakerGains) {
        messages << gainSummary(gain) << Qt::endl;
    }
    return kExitSuccess;
}

} // namespace brisomel
