#include "styles/StoredStyles.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

// Styles survive a restart under any speaker name, composed; a default style and a reset leave
// nothing behind, and an entry edited into nonsense counts as no style, while numbers an earlier
// version allowed are brought into range. The options' keys stay as they were.
TEST(StoredStyles, StylesComeBackAfterARestartAndResetsAreForgotten) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
    CaptionStyle gold;
    gold.font = u"Hiragino Sans"_s;
    gold.color = {255, 215, 0, 255};
    gold.shadow = DropShadow{{0, 0, 0, 128}, 2.5, 300, 0};
    CaptionStyle big;
    big.size = 96;
    const QString slashed = u"a/b\\c%2F"_s;
    {
        UserSettings settings(&store);
        settings.setFrameIndex(3);
        storeStyle(settings, u"春日部つむぎ"_s, gold);
        storeStyle(settings, slashed, big);
        storeStyle(settings, QString(), big);
        storeStyle(settings, u"Taro"_s, big);
        storeStyle(settings, u"Andre\u0301"_s, big); // kept in its composed form
        storeStyle(settings, u"Taro"_s, CaptionStyle{});
        storeStyle(settings, u"Default"_s, CaptionStyle{});
        settings.setSpeakerStyle(u"Broken"_s, uR"({"size": "big"})"_s);
        // Kept by an earlier version that allowed wider outlines and any shadow offset.
        settings.setSpeakerStyle(u"Earlier"_s,
                                 uR"({"strokeWidth": 80, "shadowOffset": [0, -300]})"_s);
    }
    UserSettings restarted(&store);
    SpeakerStyles expected;
    expected.set(u"春日部つむぎ"_s, gold);
    expected.set(slashed, big);
    expected.set(QString(), big);
    expected.set(u"Andr\u00E9"_s, big);
    CaptionStyle earlier;
    earlier.outline = Outline{{0, 0, 0, 255}, 50};
    earlier.shadow = DropShadow{{0, 0, 0, 191}, 100, 270, 1};
    expected.set(u"Earlier"_s, earlier);
    EXPECT_EQ(storedStyles(restarted), expected);
    EXPECT_EQ(restarted.frameIndex(), 3);
    EXPECT_EQ(store.value(u"frameIndex"_s).toInt(), 3);
    EXPECT_EQ(restarted.speakerStyles().size(), 6) << "the broken entry is kept, not read";
    EXPECT_TRUE(restarted.speakerStyles().contains(u"Andr\u00E9"_s));
}
