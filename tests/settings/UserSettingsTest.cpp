#include "settings/UserSettings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// Every option the settings answer, joined by '|'.
QString allOptions(const UserSettings& settings) {
    QStringList values;
    for (const OptionDescriptor& row : optionTable()) {
        values << settings.value(row.key).toString();
    }
    return values.join(u'|');
}

const QString kDefaults = u"1|3|1|0|0|1|false|0.5|false|0|2|standard||false|||false|-14"_s;

} // namespace

// A missing or ill-typed value answers the default, unstored; an emptied pause is stored empty
// (the window's tests store every other option).
TEST(UserSettings, DefaultsValuesOfTheWrongKindAndAnEmptyPause) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prefs.ini"_s);
    {
        QSettings store(path, QSettings::IniFormat);
        EXPECT_EQ(allOptions(UserSettings(&store)), kDefaults);
        EXPECT_TRUE(store.allKeys().isEmpty());
        store.setValue(u"posX"_s, QStringList{u"a"_s, u"b"_s});
        store.setValue(u"frameIndex"_s, u"abc"_s);
        store.setValue(u"isSilence"_s, u"perhaps"_s);
        store.setValue(u"alignIndex"_s, u"99999999999999999999999"_s);
        store.setValue(u"namingRule"_s, QStringList{u"plain"_s, u"hyphen"_s});
        UserSettings settings(&store);
        EXPECT_EQ(allOptions(settings), kDefaults);
        settings.setSilenceDulation(QString());
        settings.setIsSrt(true); // beside a pause left off: each switch is read from its own key
    }
    QSettings store(path, QSettings::IniFormat);
    EXPECT_EQ(allOptions(UserSettings(&store)),
              u"1|3|1|0|0|1|false||true|0|2|standard||false|||false|-14"_s);
}

// Observers hear of an option only when it takes another value, and after it has.
TEST(UserSettings, EachOptionTellsOfItsOwnRealChanges) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
    UserSettings settings(&store);
    QStringList told;
    QObject::connect(&settings, &UserSettings::optionChanged, [&](OptionKey key) {
        told << option(key).storedKey.toString() + u'=' + settings.value(key).toString();
    });
    settings.setPosX(u"12"_s);
    settings.setPosX(u"12"_s);
    settings.setNamingRule(u"standard"_s); // the default it already holds
    settings.setWrapWidth(26);
    EXPECT_EQ(told, (QStringList{u"posX=12"_s, u"wrapWidth=26"_s}));
    EXPECT_FALSE(store.contains(u"namingRule"_s));
}
