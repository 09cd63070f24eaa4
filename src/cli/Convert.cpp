#include "cli/Convert.h"

#include "export/Conversion.h"
#include "intake/ReadFolder.h"

namespace brisomel {

QString conversionSummary(const ConversionReport& report) {
    return QStringLiteral("%1 行、話者 %2 人、%3 秒 → %4")
        .arg(report.entryCount)
        .arg(report.speakerCount)
        .arg(report.writtenSeconds, 0, 'f', 3)
        .arg(report.written.join(QStringLiteral("、")));
}

int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut) {
    const auto fail = [&](const Failure& failure) {
        messages << "brisomel-cli: " << failure.message() << Qt::endl;
        return kExitConversionFailed;
    };
    const Result<FileList> entries = readFolder(QUrl::fromLocalFile(options.folder));
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
