#include "app/AppIcons.h"
#include "app/MainWindow.h"
#include "app/QtTranslations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brisomel"));
    QApplication::setApplicationName(QStringLiteral("Brisomel"));
    QApplication::setApplicationVersion(QStringLiteral(BRISOMEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("brisomel"));
    QApplication::setWindowIcon(brisomel::applicationIcon());
    brisomel::installJapaneseQtTranslations(app);

    // Closing the only window ends the program.
    brisomel::MainWindow window;
    window.show();
    return QApplication::exec();
}
