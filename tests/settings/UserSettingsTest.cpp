#include "settings/UserSettings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// Every option the settings answer, joined by '|'.
QString allOptions(const UserSettings& s) {
    const auto number = [](std::int64_t value) { return QString::number(value); };
    const auto flag = [](bool value) { return value ? u"on"_s : u"off"_s; };
    return QStringList{s.timelineName(),
                       number(s.frameIndex()),
                       number(s.fpsIndex()),
                       number(s.alignIndex()),
                       s.posX(),
                       s.posY(),
                       number(s.splitClipIndex()),
                       flag(s.isSilence()),
                       s.silenceDulation(),
                       flag(s.isSrt())}
        .join(u'|');
}

const QString kDefaults = u"Brisomel|1|3|1|0|0|1|off|0.5|off"_s;

// Each test gets a store file of its own in a temporary folder; the user's store is never used.
class UserSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    const QString path_ = dir_.filePath(u"prefs.ini"_s);
};

} // namespace

// Without a stored value, or with one of the wrong kind, an option answers its default, which is
// not stored; every assignment but the timeline name is stored at once and comes back after a
// restart.
TEST_F(UserSettingsTest, DefaultsAndAssignmentsAcrossARestart) {
    {
        QSettings store(path_, QSettings::IniFormat);
        EXPECT_EQ(allOptions(UserSettings(&store)), kDefaults);
        EXPECT_TRUE(store.allKeys().isEmpty());
        store.setValue(u"posX"_s, QStringList{u"a"_s, u"b"_s});
        store.setValue(u"frameIndex"_s, u"abc"_s);
        store.setValue(u"fpsIndex"_s, QStringList{u"1"_s});
        store.setValue(u"isSilence"_s, u"perhaps"_s);
        store.setValue(u"silenceDulation"_s, QVariantMap{{u"k"_s, 1}});
        store.setValue(u"alignIndex"_s, u"99999999999999999999999"_s);
        UserSettings settings(&store);
        EXPECT_EQ(allOptions(settings), kDefaults);
        settings.setTimelineName(u"kept in memory only"_s);
        settings.setFrameIndex(3);
        settings.setFpsIndex(0);
        settings.setAlignIndex(2);
        settings.setPosX(u"1a"_s);
        settings.setPosY(u"-350"_s);
        settings.setSplitClipIndex(0);
        settings.setIsSilence(true);
        settings.setSilenceDulation(QString()); // an emptied pause stays empty
        settings.setIsSrt(true);
        EXPECT_FALSE(store.contains(u"timelineName"_s));
        EXPECT_EQ(store.value(u"fpsIndex"_s).toInt(), 0);
    }
    QSettings store(path_, QSettings::IniFormat);
    EXPECT_EQ(allOptions(UserSettings(&store)), u"Brisomel|3|0|2|1a|-350|0|on||on"_s);
}

TEST_F(UserSettingsTest, ObserversAreToldAfterEachChangeEvenWithAnUnchangedValue) {
    QSettings store(path_, QSettings::IniFormat);
    UserSettings settings(&store);
    QString seenAfter;
    QObject::connect(&settings, &UserSettings::changed, [&] { seenAfter = settings.posX(); });
    QSignalSpy spy(&settings, &UserSettings::changed);
    settings.setPosX(u"12"_s);
    EXPECT_EQ(seenAfter, u"12"_s);
    settings.setPosX(u"12"_s);
    settings.setTimelineName(u"x"_s);
    EXPECT_EQ(spy.count(), 3);
}
