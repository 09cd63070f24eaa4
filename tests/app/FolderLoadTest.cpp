#include "AppTestSupport.h"

#include "app/FolderLoadAction.h"
#include "intake/ReadFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QThreadPool>

using namespace brisomel;
using namespace brisomel::apptest;

namespace {

class FolderLoadTest : public ::testing::Test {
protected:
    // Loads the URLs, waits until the load has been handled and answers the console output.
    QString load(const QList<QUrl>& urls) {
        QSignalSpy finished(&action_, &FolderLoadAction::loadFinished);
        StdoutCapture console;
        action_.dropFolder(urls);
        EXPECT_TRUE(waitForSignals(finished));
        return console.text();
    }

    QStringList loadedNames() const {
        QStringList names;
        for (const auto& entry : fileLists_.fileLists().value_or(FileList())) {
            names.append(entry->fileName());
        }
        return names;
    }

    void expectShown(const QString& folder, const QString& texts, const QString& sounds) {
        EXPECT_EQ(state_.folderName(), folder);
        EXPECT_EQ(state_.timelineName(), folder);
        EXPECT_EQ(state_.textCount(), texts);
        EXPECT_EQ(state_.soundCount(), sounds);
    }

    FileLists fileLists_;
    WindowState state_;
    FolderLoadAction action_{fileLists_, state_};
};

} // namespace

TEST_F(FolderLoadTest, EachLoadReplacesTheListTheSummaryAndTheTypedTimelineName) {
    VoiceFolder first(QStringLiteral("Take 3"));
    first.addVoice(QStringLiteral("001_a"), QStringLiteral("一"));
    first.addVoice(QStringLiteral("002_b"), QStringLiteral("二"));
    first.addVoice(QStringLiteral("003_c"));
    VoiceFolder second(QStringLiteral("Second"));
    second.addVoice(QStringLiteral("z"));
    state_.setTimelineName(QStringLiteral("typed by the user"));

    // Only the first of several URLs counts; a trailing slash does not change the name.
    EXPECT_EQ(load({QUrl::fromLocalFile(first.path() + u'/'), second.url()}), QString());
    EXPECT_EQ(loadedNames(), (QStringList{"001_a", "002_b", "003_c"}));
    expectShown(QStringLiteral("Take 3"), QStringLiteral("2"), QStringLiteral("3"));
    EXPECT_EQ(QDir(state_.folderUrl().value().toLocalFile()), QDir(first.path()));

    state_.setTimelineName(QStringLiteral("edited"));
    load({second.url()});
    EXPECT_EQ(loadedNames(), QStringList{"z"});
    expectShown(QStringLiteral("Second"), QStringLiteral("0"), QStringLiteral("1"));
}

// Every failure writes its console line, says why in the window and keeps the earlier folder.
TEST_F(FolderLoadTest, FailedLoadsReportAndKeepTheEarlierFolder) {
    VoiceFolder good(QStringLiteral("Good"));
    good.addVoice(QStringLiteral("a"), QStringLiteral("caption"));
    VoiceFolder empty(QStringLiteral("Empty"));
    VoiceFolder captionsOnly(QStringLiteral("Captions"));
    captionsOnly.addFile(QStringLiteral("a.txt"), "caption");
    const QString audioFile = good.filePath(QStringLiteral("a.wav"));
    load({good.url()});

    const struct {
        QList<QUrl> urls;
        QString console;
        QString shown; // empty: any explanation
    } cases[] = {
        {{QUrl::fromLocalFile(audioFile)},
         QStringLiteral("folderでない\n"),
         QStringLiteral("フォルダではありません: ") + QDir::toNativeSeparators(audioFile)},
        {{empty.url()},
         QStringLiteral("フォルダ読み込みエラー\n"),
         message(ErrorType::fileNotFound)},
        {{captionsOnly.url()},
         QStringLiteral("フォルダ読み込みエラー\n"),
         message(ErrorType::fileNotFound)},
        {{QUrl(QStringLiteral("https://example.com/voices"))},
         QStringLiteral("url取得エラー\n"),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.console.toStdString());
        EXPECT_EQ(load(c.urls), c.console);
        EXPECT_FALSE(state_.loadFailure().isEmpty());
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(state_.loadFailure(), c.shown);
        }
        expectShown(QStringLiteral("Good"), QStringLiteral("1"), QStringLiteral("1"));
        EXPECT_EQ(loadedNames(), QStringList{"a"});
    }

    load({good.url()});
    EXPECT_TRUE(state_.loadFailure().isEmpty());

    // A drop that offers nothing is refused without a word.
    StdoutCapture console;
    EXPECT_FALSE(action_.dropFolder({}));
    EXPECT_EQ(console.text(), QString());
    EXPECT_TRUE(state_.loadFailure().isEmpty());
    expectShown(QStringLiteral("Good"), QStringLiteral("1"), QStringLiteral("1"));
}

TEST_F(FolderLoadTest, AScanFailurePrintsTheScanReportFirstAndShowsIt) {
    VoiceFolder folder;
    folder.addVoice(QStringLiteral("a"));
    folder.addFile(QStringLiteral("a.txt"), "\x81\x20"); // neither UTF-8 nor Shift-JIS

    const QStringList lines = load({folder.url()}).split(u'\n');

    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QStringLiteral("フォルダ読み込みエラー"));
    EXPECT_EQ(state_.loadFailure(), lines[0]);
    EXPECT_FALSE(state_.folderUrl().has_value());
}

TEST_F(FolderLoadTest, OverlappingLoadsLeaveOneWholeFolderShown) {
    VoiceFolder first(QStringLiteral("First"));
    for (int i = 0; i < 40; ++i) {
        first.addVoice(QStringLiteral("first_%1").arg(i, 2, 10, QChar(u'0')), QStringLiteral("x"));
    }
    VoiceFolder second(QStringLiteral("Second"));
    second.addVoice(QStringLiteral("second_0"));
    QSignalSpy finished(&action_, &FolderLoadAction::loadFinished);

    action_.dropFolder({first.url()});
    action_.dropFolder({second.url()});
    ASSERT_TRUE(waitForSignals(finished, 2));

    const QString shown = state_.folderName();
    ASSERT_TRUE(shown == QStringLiteral("First") || shown == QStringLiteral("Second"));
    EXPECT_EQ(state_.timelineName(), shown);
    EXPECT_EQ(state_.soundCount(), QString::number(loadedNames().size()));
    for (const QString& name : loadedNames()) {
        EXPECT_TRUE(name.startsWith(shown.toLower())) << name.toStdString();
    }
}

TEST(FolderLoadLifetime, AWindowClosedDuringALoadIsNotTouchedByItsResult) {
    VoiceFolder folder;
    folder.addVoice(QStringLiteral("a"));
    auto fileLists = std::make_unique<FileLists>();
    auto state = std::make_unique<WindowState>();
    auto action = std::make_unique<FolderLoadAction>(*fileLists, *state);

    action->dropFolder({folder.url()});
    action.reset();
    state.reset();
    fileLists.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}
