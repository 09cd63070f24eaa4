#include "settings/UserSettings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

using namespace brisomel;

namespace {

// Each test gets a store file of its own in a temporary folder; the user's store is never used.
class UserSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<QSettings> openStore() {
        return std::make_unique<QSettings>(dir_.filePath(QStringLiteral("prefs.ini")),
                                           QSettings::IniFormat);
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(UserSettingsTest, FirstStartAnswersTheRegisteredDefaultsWithoutStoringThem) {
    auto store = openStore();
    UserSettings settings(store.get());
    EXPECT_EQ(settings.timelineName(), QStringLiteral("Brisomel"));
    EXPECT_EQ(settings.frameIndex(), 1);
    EXPECT_EQ(settings.fpsIndex(), 3);
    EXPECT_EQ(settings.alignIndex(), 1);
    EXPECT_EQ(settings.posX(), QStringLiteral("0"));
    EXPECT_EQ(settings.posY(), QStringLiteral("0"));
    EXPECT_EQ(settings.splitClipIndex(), 1);
    EXPECT_FALSE(settings.isSilence());
    EXPECT_EQ(settings.silenceDulation(), QStringLiteral("0.5"));
    EXPECT_FALSE(settings.isSrt());
    EXPECT_EQ(settings.defaults().size(), 10);
    EXPECT_TRUE(store->allKeys().isEmpty());
}

TEST_F(UserSettingsTest, EveryAssignmentButTheTimelineNameIsStoredAndSurvivesARestart) {
    {
        auto store = openStore();
        UserSettings settings(store.get());
        settings.setTimelineName(QStringLiteral("kept in memory only"));
        settings.setFrameIndex(3);
        settings.setFpsIndex(0);
        settings.setAlignIndex(2);
        settings.setPosX(QStringLiteral("1a"));
        settings.setPosY(QStringLiteral("-350"));
        settings.setSplitClipIndex(0);
        settings.setIsSilence(true);
        settings.setSilenceDulation(QString());
        settings.setIsSrt(true);
        EXPECT_FALSE(store->contains(QStringLiteral("timelineName")));
        EXPECT_EQ(store->value(QStringLiteral("fpsIndex")).toInt(), 0);
    }
    auto store = openStore();
    UserSettings restarted(store.get());
    EXPECT_EQ(restarted.timelineName(), QStringLiteral("Brisomel"));
    EXPECT_EQ(restarted.frameIndex(), 3);
    EXPECT_EQ(restarted.fpsIndex(), 0);
    EXPECT_EQ(restarted.alignIndex(), 2);
    EXPECT_EQ(restarted.posX(), QStringLiteral("1a"));
    EXPECT_EQ(restarted.posY(), QStringLiteral("-350"));
    EXPECT_EQ(restarted.splitClipIndex(), 0);
    EXPECT_TRUE(restarted.isSilence());
    EXPECT_EQ(restarted.silenceDulation(), QString()) << "an emptied pause stays empty";
    EXPECT_TRUE(restarted.isSrt());
}

TEST_F(UserSettingsTest, ObserversAreToldAfterEachChangeEvenWithAnUnchangedValue) {
    auto store = openStore();
    UserSettings settings(store.get());
    QString seenAfter;
    QObject::connect(&settings, &UserSettings::changed, [&] { seenAfter = settings.posX(); });
    QSignalSpy spy(&settings, &UserSettings::changed);
    settings.setPosX(QStringLiteral("12"));
    EXPECT_EQ(seenAfter, QStringLiteral("12"));
    settings.setPosX(QStringLiteral("12"));
    settings.setTimelineName(QStringLiteral("x"));
    EXPECT_EQ(spy.count(), 3);
}

TEST_F(UserSettingsTest, StoredValuesOfTheWrongKindAnswerTheDefault) {
    {
        auto store = openStore();
        store->setValue(QStringLiteral("posX"),
                        QStringList{QStringLiteral("a"), QStringLiteral("b")});
        store->setValue(QStringLiteral("frameIndex"), QStringLiteral("abc"));
        store->setValue(QStringLiteral("fpsIndex"), QStringList{QStringLiteral("1")});
        store->setValue(QStringLiteral("isSilence"), QStringLiteral("perhaps"));
        store->setValue(QStringLiteral("silenceDulation"), QVariantMap{{QStringLiteral("k"), 1}});
        store->setValue(QStringLiteral("alignIndex"), QStringLiteral("99999999999999999999999"));
    }
    auto store = openStore();
    UserSettings settings(store.get());
    EXPECT_EQ(settings.posX(), QStringLiteral("0"));
    EXPECT_EQ(settings.frameIndex(), 1);
    EXPECT_EQ(settings.fpsIndex(), 3);
    EXPECT_FALSE(settings.isSilence());
    EXPECT_EQ(settings.silenceDulation(), QStringLiteral("0.5"));
    EXPECT_EQ(settings.alignIndex(), 1);
}
