#include "intake/CaptionMarkup.h"
#include "intake/CaptionSaving.h"
#include "intake/FileLists.h"
#include "intake/NamingRule.h"

#include "IntakeTestSupport.h"

namespace brisomel {
using namespace Qt::StringLiterals;
namespace {

using test::q;

// Each form, several in one caption, at a line's start and end; brackets without a partner on
// their line or nested are left whole and reported.
TEST(CaptionMarkup, EachFormTakenOutAndBadBracketsLeft) {
    // A caption, what is left after the clean-up, and whether brackets were left.
    const std::tuple<const char16_t*, const char16_t*, bool> cases[] = {
        {u"{明日|あした}は{晴|は}れ", u"明日は晴れ", false},
        {u"{明日｜あした}と｛今日|きょう｝", u"明日と今日", false}, // either bar
        {u"｜逢魔《おうま》が時", u"逢魔が時", false},
        {u"今日《きょう》は｜ABC《エービーシー》", u"今日はABC", false},
        {u"𠮷野家《よしのや》", u"𠮷野家", false}, // a kanji outside the basic plane
        {u"彼は《ガラスの仮面》を読む", u"彼は《ガラスの仮面》を読む", false}, // a title mark
        {u"[笑]はい［間］そうです[メモ]", u"はいそうです", false},
        {u"はい [笑]", u"はい", false},      // no pause asked by the blank left at the end
        {u"はい [笑]　", u"はい 　", false}, // the file's own pause stays
        {u"{a}", u"{a}", false},             // braces without a reading are text
        {u"1行目[x]\n[y]2行目《に》", u"1行目\n2行目", false},
        {u"{明日|あした", u"{明日|あした", true},
        {u"はい]です[x]", u"はい]です", true},
        {u"[開く\n閉じる]", u"[開く\n閉じる]", true}, // a pair does not cross lines
        {u"{明日|[x]}と[y]", u"{明日|[x]}と", true},
        {u"[a{b|c}]", u"[a{b|c}]", true},
        {u"{a|b]c", u"{a|b]c", true},
        {u"{x|{y|z}", u"{x|y", true}, // the unpaired opener stays, the pair inside goes
    };
    for (const auto& [caption, expected, left] : cases) {
        const CleanedMarkup cleaned = cleanMarkup(q(caption));
        EXPECT_EQ(cleaned.text, q(expected)) << q(caption).toStdString();
        EXPECT_EQ(cleaned.bracketsLeft, left) << q(caption).toStdString();
    }
}

// The speaker's prefix is found in the file's text first; the rules clean only the caption, the
// list follows a change of rules at once and marks a line whose brackets were left.
TEST(FileLists, CaptionRulesAfterTheSpeakerPrefix) {
    test::TempFolder folder;
    folder.write("a.txt", u"ゆかり＞[メモ]{今日|きょう}は"_s.toUtf8());
    folder.write("b.txt", u"{開く|ひらく"_s.toUtf8());
    const NamingRule prefix = *NamingRule::named(u"caption-prefix");
    FileLists lines;
    lines.setFileLists(FileList{
        *FileListData::create("a", FileListData::LocalFile{folder.path("a.txt"), {}}, {}, prefix),
        *FileListData::create("b", FileListData::LocalFile{folder.path("b.txt"), {}}, {}, prefix)});
    int changes = 0;
    QObject::connect(&lines, &FileLists::captionsChanged, [&] { ++changes; });
    EXPECT_EQ(lines.line(1).textRow(), u"[メモ]{今日|きょう}は"_s);

    lines.setCaptionRules({true, {}});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lines.line(1).charactorName(), u"ゆかり"_s);
    EXPECT_EQ(std::tuple(lines.line(1).textRow(), lines.line(1).text()),
              std::tuple(u"今日は"_s, u"今日は"_s));
    EXPECT_EQ(lines.line(1).fileTextRow(), u"[メモ]{今日|きょう}は"_s);
    const auto none = [](double) { return std::int64_t(0); };
    EXPECT_EQ(lines.listingRow(1, none).state, QString());
    EXPECT_EQ(lines.listingRow(2, none).state, kMarkupLeftText);
}

// Rules apply one after another, each to what the one before left; a regular expression's
// groups are written \\1. The rule file keeps them in order; a bad regular expression is named
// with its rule and character, and a file it is in is not taken.
TEST(ReplacementRules, InOrderWithGroupsAndARuleFileThatKeepsThem) {
    const ReplacementRules rules = *ReplacementRules::checked({
        {u"ずんだ餅"_s, u"ずんだもち"_s, false},
        {u"(\\d+)円"_s, u"\\1 円"_s, true},
        {u"もち"_s, u"モチ"_s, false},
        {u"."_s, u"x"_s, false}, // plain text: the dot is a dot
    });
    EXPECT_EQ(rules.apply(u"ずんだ餅は120円."_s), u"ずんだモチは120 円x"_s);

    test::TempFolder folder;
    const QString path = folder.path(u"rules.tsv"_s);
    ASSERT_TRUE(writeReplacementFile(path, rules));
    EXPECT_EQ(readReplacementFile(path)->rules(), rules.rules());

    const Result<ReplacementRules> bad =
        ReplacementRules::checked({{u"a"_s, u"b"_s, false}, {u"a(b"_s, u""_s, true}});
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.failure().reason.contains(u"2 番目"_s) &&
                bad.failure().reason.contains(u"\"a(b\" の 4 文字目"_s))
        << bad.failure().reason.toStdString();
    for (const QString& text : {u"a\tb\tregexp\n"_s, u"\tb\n"_s, u"ab\n"_s}) {
        const auto read = parseReplacementText(text, path);
        EXPECT_TRUE(!read && read.failure().reason.startsWith(u"1 行目"_s)) << text.toStdString();
    }
    EXPECT_FALSE(writeReplacementFile(path, *ReplacementRules::checked({{u"a\tb"_s, {}, false}})));
    EXPECT_EQ(readReplacementFile(path)->rules(), rules.rules())
        << "a refused write keeps the file";
}

// An edit holds across a reload while the caption file is unchanged; a changed file wins and its
// line says so. Reverting restores what the file and the rules give.
TEST(FileLists, EditsKeptAcrossAReloadUntilTheFileChanges) {
    test::TempFolder folder;
    const auto read = [&] {
        FileList list;
        for (const char* name : {"a", "b"}) {
            list.push_back(*FileListData::create(
                name, FileListData::LocalFile{folder.path(u"%1.txt"_s.arg(name)), {}},
                FileListData::LocalFile{folder.path(u"%1.wav"_s.arg(name)), {}}));
        }
        return list;
    };
    folder.write("a.txt", "{A|a}");
    folder.write("b.txt", "B");
    FileLists lines;
    lines.setFileLists(read());
    lines.setCaptionRules({true, {}});
    lines.editCaption(1, u"edited\nA"_s);
    lines.editSpeaker(2, u"Taro"_s);
    lines.setFileListsKeepingTicks(read());
    EXPECT_EQ(
        std::tuple(lines.line(1).textRow(), lines.line(1).text(), lines.line(1).captionEdited()),
        std::tuple(u"edited\nA"_s, u"edited A"_s, true));
    EXPECT_EQ(std::tuple(lines.line(2).charactorName(), lines.line(2).hasSpeaker()),
              std::tuple(u"Taro"_s, true));

    folder.write("b.txt", "B2");
    lines.setFileListsKeepingTicks(read());
    EXPECT_EQ(std::tuple(lines.line(2).charactorName(), lines.line(2).editDropped()),
              std::tuple(FileListData::defaultName, true));
    EXPECT_EQ(lines.listingRow(2, [](double) { return 0; }).state, kEditDroppedText);
    lines.revertEdits(1);
    EXPECT_EQ(std::tuple(lines.line(1).textRow(), lines.line(1).captionEdited()),
              std::tuple(u"A"_s, false));
    lines.setFileLists(read());
    EXPECT_TRUE(lines.edits().isEmpty()) << "another folder starts without edits";
}

// Saving an edited caption keeps its file's encoding, mark and line ends, and the speaker's
// prefix; a character Shift-JIS cannot hold is named and no file is written.
TEST(FileLists, SavedCaptionsKeepTheFilesFormOrAreRefusedWhole) {
    test::TempFolder folder;
    const QByteArray shiftJis("\x82\xa0\r\n", 4); // "あ" CR LF
    const QByteArray bom = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        QByteArray before;
        QByteArray after; // the caption "い\nう"
    } files[] = {
        {"bom", bom + "x\r\ny", bom + "\xE3\x81\x84\r\n\xE3\x81\x86"},
        {"sjis", shiftJis, QByteArray("\x82\xa2\r\n\x82\xa4", 6)},
        {"lf", "x\ny", "\xE3\x81\x84\n\xE3\x81\x86"},
        {"prefix", "A>x", "A>\xE3\x81\x84\n\xE3\x81\x86"},
    };
    const auto bytesOf = [&](const QString& name) {
        QFile file(folder.path(name + u".txt"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    FileList list;
    for (const auto& file : files) {
        const QString name = QString::fromLatin1(file.name);
        list.push_back(*FileListData::create(
            name, FileListData::LocalFile{folder.write(name + u".txt"_s, file.before), {}},
            FileListData::LocalFile{folder.path(name + u".wav"_s), {}},
            *NamingRule::named(u"caption-prefix")));
    }
    list.push_back(*FileListData::create(u"new"_s, std::nullopt,
                                         FileListData::LocalFile{folder.path(u"new.wav"_s), {}}));
    FileLists lines;
    lines.setFileLists(list);
    for (int number = 1; number <= lines.lineCount(); ++number) {
        lines.editCaption(number, u"い\nう"_s);
    }
    lines.editCaption(5, u"い\n𠮷"_s); // "sjis", in file-name order
    const Result<int> refused = lines.saveEditedCaptions();
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.failure().reason.contains(u"「𠮷」(U+20BB7)"_s))
        << refused.failure().message().toStdString();
    EXPECT_EQ(refused.failure().file, folder.path(u"sjis.txt"_s));
    for (const auto& file : files) {
        EXPECT_EQ(bytesOf(QString::fromLatin1(file.name)), file.before) << file.name;
    }
    EXPECT_EQ(bytesOf(u"new"_s), "(none)");

    // A file changed since it was read is not overwritten, and again nothing is written.
    lines.editCaption(5, u"い\nう"_s);
    folder.write(u"lf.txt"_s, "changed");
    const Result<int> changed = lines.saveEditedCaptions();
    EXPECT_TRUE(!changed && changed.failure().file == folder.path(u"lf.txt"_s));
    EXPECT_EQ(bytesOf(u"bom"_s), files[0].before);
    folder.write(u"lf.txt"_s, files[2].before);

    ASSERT_EQ(lines.saveEditedCaptions().ok(), true);
    for (const auto& file : files) {
        EXPECT_EQ(bytesOf(QString::fromLatin1(file.name)), file.after) << file.name;
    }
    EXPECT_EQ(bytesOf(u"new"_s), "\xE3\x81\x84\n\xE3\x81\x86");
    EXPECT_TRUE(lines.edits().isEmpty()) << "the files hold the edits now";
    EXPECT_EQ(lines.line(3).textRow(), u"い\nう"_s); // "new"
}

} // namespace
} // namespace brisomel
