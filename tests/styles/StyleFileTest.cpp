#include "styles/StyleFile.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

QString failureOf(const QByteArray& json) {
    const Result<SpeakerStyles> styles = parseStyleFile(json, u"s.json"_s);
    return styles ? QString() : styles.failure().message();
}

} // namespace

TEST(StyleFile, TheReadmesExampleGivesTheNamedStyleAndTheOthersStyle) {
    const Result<SpeakerStyles> styles = parseStyleFile(
        R"({ "春日部つむぎ": { "font": "Hiragino Sans", "face": "W6", "size": 80,
               "color": "#FFD700", "stroke": "#000000", "strokeWidth": 4 },
             "*": { "size": 64, "shadow": "#000000BF", "shadowDistance": 4,
                    "shadowAngle": -45, "shadowBlur": 3 } })",
        u"s.json"_s);
    ASSERT_TRUE(styles) << styles.failure().message().toStdString();
    CaptionStyle tsumugi;
    tsumugi.font = u"Hiragino Sans"_s;
    tsumugi.face = u"W6"_s;
    tsumugi.size = 80;
    tsumugi.color = {255, 215, 0, 255};
    tsumugi.outline = Outline{{0, 0, 0, 255}, 4};
    CaptionStyle others;
    others.size = 64;
    others.shadow = DropShadow{{0, 0, 0, 191}, 4, 315, 3};
    EXPECT_EQ(styles->styleFor(u"春日部つむぎ"_s), tsumugi);
    EXPECT_EQ(styles->styleFor(u"ずんだもん"_s), others);
}

// Every failure names the file; those in an entry name the speaker and the key.
TEST(StyleFile, BadFilesAreRefusedWithTheFileTheSpeakerAndTheKey) {
    const std::pair<QByteArray, QString> cases[] = {
        {R"({"A": {"size": 8)", {}},
        {R"(["A"])", {}},
        {R"({"A": "#FFFFFF"})", u"「A」"_s},
        {R"({"A": {"colour": "#FFFFFF"}})", u"「A」の \"colour\""_s},
        {R"({"A": {"font": ""}})", u"「A」の \"font\""_s},
        {R"({"A": {"face": 6}})", u"「A」の \"face\""_s},
        {R"({"A": {"size": "80"}})", u"「A」の \"size\""_s},
        {R"({"A": {"shadowAngle": null}})", u"「A」の \"shadowAngle\""_s},
        {R"({"A": {"shadowOffset": [1]}})", u"「A」の \"shadowOffset\""_s},
        {R"({"A": {"shadowOffset": [1, "2"]}})", u"「A」の \"shadowOffset\""_s},
    };
    for (const auto& [json, named] : cases) {
        const QString message = failureOf(json);
        EXPECT_TRUE(message.startsWith(uR"(スタイルファイル "s.json" を読み込めません: )"_s) &&
                    message.contains(named))
            << json.toStdString() << " -> " << message.toStdString();
    }
    for (const char* key : {"color", "stroke", "shadow"}) {
        for (const char* value : {"\"#FFF\"", "\"FFFFFF\"", "\"#GG0000\"", "\"#+F0000\"",
                                  "\"#FFFFFF0\"", "\"# FFFFF\"", "16777215"}) {
            const QByteArray json = QByteArray(R"({"B": {")") + key + "\": " + value + "}}";
            EXPECT_TRUE(failureOf(json).contains(u"「B」の \"%1\""_s.arg(QLatin1String(key))))
                << json.toStdString();
        }
    }
    EXPECT_TRUE(readStyleFile(u"/nonexistent/s.json"_s)
                    .failure()
                    .message()
                    .startsWith(uR"(スタイルファイル "/nonexistent/s.json" を読み込めません: )"_s));
}

TEST(StyleFile, ColoursReadInEitherCaseAndWriteInTheirShortestForm) {
    EXPECT_EQ(parseStyleColor(u"#ffd700ff"_s), (StyleColor{255, 215, 0, 255}));
    EXPECT_EQ(styleColorText({255, 215, 0, 255}), u"#FFD700"_s);
    EXPECT_EQ(styleColorText({10, 11, 12, 128}), u"#0A0B0C80"_s);
}

// What the dialog writes, a script and the dialog read back unchanged; a style file holds only
// what differs from the default.
TEST(StyleFile, WrittenFilesReadBackAsTheSameStyles) {
    CaptionStyle every;
    every.font = u"Noto Sans CJK JP"_s;
    every.face = u"Bold"_s;
    every.size = 80.5;
    every.color = {1, 2, 3, 4};
    every.outline = Outline{{1, 0, 0, 255}, 0};
    every.shadow = DropShadow{{9, 9, 9, 255}, 2.25, 153.4349488, 3};
    every.portrait =
        PortraitStyle{u"/p/a.png"_s, u"/p/b.png"_s, -500, 100.5, 80, PortraitShown::always, 20, 3};
    CaptionStyle sizeOnly;
    sizeOnly.size = 64;
    SpeakerStyles styles;
    styles.set(u"春日部つむぎ"_s, every);
    styles.set(u"a/b\\c"_s, sizeOnly);
    styles.set(kOtherSpeakers, CaptionStyle{});

    QTemporaryDir dir;
    const QString path = dir.filePath(u"styles.json"_s);
    ASSERT_TRUE(writeStyleFile(path, styles));
    const Result<SpeakerStyles> read = readStyleFile(path);
    ASSERT_TRUE(read) << read.failure().message().toStdString();
    EXPECT_EQ(*read, styles);
    const QByteArray text = styleFileText(styles);
    EXPECT_TRUE(text.contains(R"("*": {)"));
    EXPECT_TRUE(text.contains(R"("size": 64)"));
    EXPECT_FALSE(text.contains(R"("font": "Helvetica")"));
    EXPECT_TRUE(text.contains(R"("shadowDistance": 2.25)"));
    EXPECT_FALSE(text.contains("shadowOffset"));
}

// Portrait images are found from the style file's folder; values outside their kind are refused
// by key.
TEST(StyleFile, PortraitKeysReadFromTheFilesFolderAndRefuseBadValues) {
    const Result<SpeakerStyles> styles = parseStyleFile(
        R"({"A": {"portrait": "img/../faces/a.png", "portraitOpen": "/abs/b.png",
                  "portraitPosition": [-400, 120], "portraitScale": 75}})",
        u"/base/dir/s.json"_s);
    ASSERT_TRUE(styles) << styles.failure().message().toStdString();
    const PortraitStyle portrait = *styles->styleFor(u"A"_s).portrait;
    EXPECT_EQ(portrait, (PortraitStyle{u"/base/dir/faces/a.png"_s, u"/abs/b.png"_s, -400, 120, 75,
                                       PortraitShown::speaking, 30, 2}));
    EXPECT_FALSE(styles->styleFor(u"B"_s).portrait);

    for (const auto& [entry, key] :
         {std::pair(R"({"A": {"portraitShown": "sometimes"}})", "portraitShown"),
          std::pair(R"({"A": {"portraitScale": 0}})", "portraitScale"),
          std::pair(R"({"A": {"portraitHold": 2.5}})", "portraitHold"),
          std::pair(R"({"A": {"portraitThreshold": 101}})", "portraitThreshold"),
          std::pair(R"({"A": {"portraitPosition": [1]}})", "portraitPosition"),
          std::pair(R"({"A": {"portrait": ""}})", "portrait"),
          std::pair(R"({"A": {"portraitOpen": "b.png"}})", "portraitOpen")}) {
        EXPECT_TRUE(failureOf(entry).contains(u"「A」の \"%1\""_s.arg(QLatin1StringView(key))))
            << entry << " gives " << failureOf(entry).toStdString();
    }
}

// Style files are written as documents are: a FIFO is refused, with the style file's message.
TEST(StyleFile, WritingOntoAFifoIsRefused) {
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"styles.json"_s);
    ASSERT_TRUE(testsupport::makeFifo(path));
    const Status written = writeStyleFile(path, SpeakerStyles{});
    ASSERT_FALSE(written);
    EXPECT_TRUE(written.failure().message().startsWith(u"スタイルファイル \"%1\""_s.arg(path)));
    EXPECT_FALSE(QFileInfo(path).isFile());
}
