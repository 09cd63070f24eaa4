#include "app/QtTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Widgets need an application object for the whole run; test discovery runs without a display.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brisomel"));
    QApplication::setApplicationName(QStringLiteral("BrisomelTest"));
    // As the application does; the dialog tests check that this leaves no English behind.
    brisomel::installJapaneseQtTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
