#include "app/AppIcons.h"
#include "app/ContentView.h"
#include "app/FolderLoadAction.h"
#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "core/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

namespace {

// `brisomel --version` prints the version and leaves before any window system is needed.
void leaveIfVersionAsked(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    const QCommandLineOption version = parser.addVersionOption();
    // Qt's own options (-platform, -style …) are not known here; only --version is looked for.
    parser.parse(arguments);
    if (parser.isSet(version)) {
        parser.showVersion();
    }
}

// The arguments that are not options; QApplication has taken Qt's own out by then.
QStringList positionalArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("音声フォルダ"));
    parser.parse(arguments);
    return parser.positionalArguments();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication::setOrganizationName(QStringLiteral("Brisomel"));
    QApplication::setApplicationName(QStringLiteral("Brisomel"));
    QApplication::setApplicationVersion(QStringLiteral(BRISOMEL_VERSION));
    leaveIfVersionAsked(argc, argv);

    QApplication app(argc, argv);
    // The desktop entry's name, by which the desktop finds the window's entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.brisomel.Brisomel"));
    QApplication::setWindowIcon(brisomel::applicationIcon());
    brisomel::installJapaneseQtTranslations(app);

    // Closing the only window ends the program.
    brisomel::MainWindow window;
    window.show();
    // `brisomel FOLDER` (as the desktop opens a folder with it) starts with the folder loaded.
    if (const QStringList folders = positionalArguments(QApplication::arguments());
        !folders.isEmpty()) {
        window.contentView()->folderLoad().dropFolder(
            {QUrl::fromLocalFile(QFileInfo(folders.constFirst()).absoluteFilePath())});
    }
    return QApplication::exec();
}
