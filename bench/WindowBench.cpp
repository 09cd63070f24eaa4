// Times the window as a user meets it, in process (run by hand, release build):
//   brisomel-window-bench FOLDER
// prints the time to build and show the main window until its first paint, and the time from
// a folder's drop until its summary is shown (the scan runs off the GUI thread).
#include "app/ContentView.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brisomel-window-bench FOLDER\n");
        return 2;
    }
    QTemporaryDir storeFolder;
    QSettings store(storeFolder.filePath(QStringLiteral("prefs.ini")), QSettings::IniFormat);

    QElapsedTimer clock;
    clock.start();
    brisomel::MainWindow window(&store);
    window.show();
    QApplication::processEvents();
    const double showMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    brisomel::FolderLoadAction& load = window.contentView()->folderLoad();
    QEventLoop loop;
    QObject::connect(&load, &brisomel::FolderLoadAction::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    clock.restart();
    load.dropFolder({QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1]))});
    loop.exec();
    const double loadMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    std::printf("window shown    %9.1f ms\n", showMs);
    std::printf("folder loaded   %9.1f ms (%s entries)\n", loadMs,
                qPrintable(window.contentView()->state().soundCount()));
    return 0;
}
