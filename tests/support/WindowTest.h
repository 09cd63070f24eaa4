#pragma once

#include "app/ContentView.h"
#include "app/FolderLoadAction.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace brisomel::testsupport {

// Runs `start` and waits until the load sends `signal`; false after ten seconds.
template <typename Signal, typename Start>
bool waitFor(FolderLoadAction& load, Signal signal, Start start) {
    QSignalSpy sent(&load, signal);
    start();
    return QTest::qWaitFor([&] { return !sent.isEmpty(); }, 10000);
}

// Loads the folder and waits until its audio files have been checked.
inline bool loadChecked(FolderLoadAction& load, const QUrl& folder) {
    return waitFor(load, &FolderLoadAction::audioCheckFinished,
                   [&] { EXPECT_TRUE(load.dropFolder({folder})); });
}

// The window's content, shown, on a temporary store; restart() quits it and starts it again.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() { view_->show(); }

    // The named widget under `parent`, the window's content unless given.
    template <typename W = QWidget> W* find(const char* name, const QObject* parent = nullptr) {
        W* widget = (parent ? parent : view_.get())->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void restart() {
        view_.reset();
        store_.emplace(storePath(), QSettings::IniFormat);
        view_ = std::make_unique<ContentView>(&*store_);
        view_->show();
    }

    QString storePath() const { return dir_.filePath(QStringLiteral("prefs.ini")); }

    QTemporaryDir dir_;
    std::optional<QSettings> store_{std::in_place, storePath(), QSettings::IniFormat};
    std::unique_ptr<ContentView> view_ = std::make_unique<ContentView>(&*store_);
};

} // namespace brisomel::testsupport
