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
    return QStringList{s.timelineName(),
                       QString::number(s.frameIndex()),
                       QString::number(s.fpsIndex()),
                       QString::number(s.alignIndex()),
                       s.posX(),
                       s.posY(),
                       QString::number(s.splitClipIndex()),
                       QVariant(s.isSilence()).toString(),
                       s.silenceDulation(),
                       QVariant(s.isSrt()).toString(),
                       QString::number(s.wrapWidth()),
                       QString::number(s.maxLines()),
                       s.namingRule(),
                       s.namingTemplate()}
        .join(u'|');
}

const QString kDefaults = u"Brisomel|1|3|1|0|0|1|false|0.5|false|0|2|standard|"_s;

} // namespace

// A missing or ill-typed value answers the default, unstored; the timeline name stays in memory,
// an emptied pause is stored empty (the window's tests store every other option).
TEST(UserSettings, DefaultsValuesOfTheWrongKindTheTimelineNameAndAnEmptyPause) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prefs.ini"_s);
    {
        QSettings store(path, QSettings::IniFormat);
        EXPECT_EQ(allOptions(UserSettings(&store)), kDefaults);
        EXPECT_TRUE(store.allKeys().isEmpty());
        store.setValue(u"posX"_s, QStringList{u"a"_s, u"b"_s});
        store.setValue(u"frameIndex"_s, u"abc"_s);
        store.setValue(u"fpsIndex"_s, QStringList{u"1"_s});
        store.setValue(u"isSilence"_s, u"perhaps"_s);
        store.setValue(u"silenceDulation"_s, QVariantMap{{u"k"_s, 1}});
        store.setValue(u"alignIndex"_s, u"99999999999999999999999"_s);
        store.setValue(u"namingRule"_s, QStringList{u"plain"_s, u"hyphen"_s});
        UserSettings settings(&store);
        EXPECT_EQ(allOptions(settings), kDefaults);
        settings.setTimelineName(u"kept in memory only"_s);
        settings.setSilenceDulation(QString());
        settings.setIsSrt(true); // beside a pause left off: each switch is read from its own key
        EXPECT_FALSE(store.contains(u"timelineName"_s));
    }
    QSettings store(path, QSettings::IniFormat);
    EXPECT_EQ(allOptions(UserSettings(&store)),
              u"Brisomel|1|3|1|0|0|1|false||true|0|2|standard|"_s);
}

TEST(UserSettings, ObserversAreToldAfterEachChangeEvenWithAnUnchangedValue) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
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
