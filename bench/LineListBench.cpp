// Times the line list on a generated folder of N voice lines (run by hand, release build):
//
//   brisomel-line-list-bench [N [FOLDER]]    (N defaults to 10,000; FOLDER to a temporary one)
//
// prints the median of five runs of: publishing a read folder into the list's table, opening
// the list window on it until its first paint, publishing again with the window open, filtering
// by one speaker and back, searching and back, and unticking the rows shown.
#include "BenchSupport.h"

#include "app/FolderLoadAction.h"
#include "app/LineFilter.h"
#include "app/LineListModel.h"
#include "app/LineListWindow.h"
#include "intake/ReadFolder.h"
#include "settings/UserSettings.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

using namespace brisomel;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int count = args.size() > 1 ? args[1].toInt() : 10000;
    QTemporaryDir temporary;
    const QString folder = args.size() > 2 ? args[2] : temporary.filePath(QStringLiteral("voices"));
    QDir().mkpath(folder);
    if (QDir(folder).isEmpty()) {
        makeVoiceFolder(folder, count);
    }
    const FileList entries = *readFolder(QUrl::fromLocalFile(folder));
    QSettings store(temporary.filePath(QStringLiteral("prefs.ini")), QSettings::IniFormat);
    UserSettings settings(&store);
    constexpr int kRuns = 5;

    FileLists lists;
    WindowState state;
    FolderLoadAction load(lists, state);
    LineListModel lines(lists);
    const double publishMs = medianMs(kRuns, [&] { lists.setFileLists(entries); });

    const double openMs = medianMs(kRuns, [&] {
        LineListWindow window(lines, state, load, settings);
        window.show();
        QApplication::processEvents(); // lays out and paints the first screen of rows
    });

    // With the window open, as a user meets them; asking for the row count makes the filter
    // do its work now rather than when the view next asks.
    LineListWindow window(lines, state, load, settings);
    window.show();
    QApplication::processEvents();
    const double reloadMs = medianMs(kRuns, [&] {
        lists.setFileLists(entries);
        QApplication::processEvents();
    });
    LineFilter& filter = window.filter();
    const double speakerMs = medianMs(kRuns,
                                      [&] {
                                          filter.setSpeaker(QStringLiteral("Taro"));
                                          filter.rowCount();
                                          QApplication::processEvents();
                                          filter.setSpeaker(std::nullopt);
                                          filter.rowCount();
                                          QApplication::processEvents();
                                      }) /
                             2;
    const double searchMs = medianMs(kRuns,
                                     [&] {
                                         filter.setSearchText(QStringLiteral("セリフ 123"));
                                         filter.rowCount();
                                         QApplication::processEvents();
                                         filter.setSearchText(QString());
                                         filter.rowCount();
                                         QApplication::processEvents();
                                     }) /
                            2;
    const double tickMs = medianMs(kRuns, [&] {
        filter.setShownTicked(false);
        QApplication::processEvents();
    });

    std::printf("lines %d\n", lines.rowCount());
    std::printf("publish to table %8.1f ms\n", publishMs);
    std::printf("open list window %8.1f ms (until the first paint)\n", openMs);
    std::printf("publish, list open %6.1f ms (a reload's new list reaching the open window)\n",
                reloadMs);
    std::printf("filter speaker   %8.1f ms\n", speakerMs);
    std::printf("search           %8.1f ms\n", searchMs);
    std::printf("untick shown     %8.1f ms\n", tickMs);
    return 0;
}
