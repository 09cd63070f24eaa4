#include "cli/CliOptions.h"
#include "cli/Convert.h"
#include "core/Version.h"
#include "platform/Terminal.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brisomel-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRISOMEL_VERSION));

    QTextStream messages(stderr);
    const brisomel::CliRequest request = brisomel::parseCommandLine(QCoreApplication::arguments());
    if (const auto* print = std::get_if<brisomel::CliPrint>(&request)) {
        QTextStream(stdout) << print->text;
        return brisomel::kExitSuccess;
    }
    if (const auto* usage = std::get_if<brisomel::CliUsageError>(&request)) {
        messages << "brisomel-cli: " << usage->message << "\n詳しくは --help\n";
        return brisomel::kExitUsage;
    }

    QFile standardOutput;
    if (!standardOutput.open(stdout, QIODevice::WriteOnly)) {
        messages << "brisomel-cli: 標準出力を開けません" << Qt::endl;
        return brisomel::kExitConversionFailed;
    }
    return brisomel::convertFolder(std::get<brisomel::CliOptions>(request), messages,
                                   standardOutput, brisomel::standardErrorIsTerminal());
}
