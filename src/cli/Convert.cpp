#include "cli/Convert.h"

#include "export/Conversion.h"
#include "intake/FileLists.h"
#include "intake/ReadFolder.h"

namespace brisomel {

QString conversionSummary(const ConversionReport& report) {
    // One pass of arg: a "%" in a file name is not taken for a place of the text.
    return QStringLiteral("%1 行、話者 %2 人、%3%4 秒 → %5")
        .arg(QString::number(report.entryCount), QString::number(report.speakerCount),
             report.unnamedFiles.isEmpty() ? QString()
                                           : unnamedLinesText(report.unnamedFiles) + u'、',
             QString::number(report.writtenSeconds, 'f', 3),
             report.written.join(QStringLiteral("、")));
}

int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut) {
    const auto fail = [&](const Failure& failure) {
        messages << "brisomel-cli: " << failure.message() << Qt::endl;
        return kExitConversionFailed;
    };
    const Result<FileList> entries =
        readFolder(QUrl::fromLocalFile(options.folder), options.naming.value_or(NamingRule()));
    if (!entries) {
        return fail(entries.failure());
    }
    const Result<ConversionReport> report =
        runConversion(*entries, options.conversion, options.targets, &documentOut);
    if (!report) {
        return fail(report.failure());
    }
    messages << conversionSummary(*report) << Qt::endl;
    return kExitSuccess;
}

} // namespace brisomel
