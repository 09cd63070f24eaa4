#include "intake/FileLists.h"
#include "intake/TextOrder.h"

#include "IntakeTestSupport.h"

#include <QTemporaryDir>

namespace brisomel {
namespace {

using test::entry;
using test::q;

TEST(FileListData, SpeakerNameFromTheBaseName) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"001_Hanako（normal）_hello", u"Hanako"},
        {u"001_Hanako_hello", u"noname"},
        {u"001_Hanako(normal)_hello", u"noname"}, // ASCII parentheses
        {u"001_Hanako（normal）", u"noname"},     // two pieces
        {u"___", u"noname"},
        {u"001_（x）_y", u""},               // empty name
        {u"001__Hanako（a）__z", u"Hanako"}, // doubled underscores
        {u"1_A（b）（c）_d", u"A"},          // the first parenthesis
        {u"1_x_A（b）_d", u"noname"},        // only the second piece counts
        // Whole characters are compared: an underscore or a parenthesis carrying a combining
        // mark is a different character.
        {u"1_\u0301A（x）_t", u"noname"},
        {u"1_A（\u0301x）_t", u"noname"},
        {u"1_e\u0301（x）_t", u"e\u0301"},
        {u"1_か\u3099（x）_t", u"か\u3099"}, // a voicing mark before the parenthesis
        {u"1_A\u0600（x）_t", u"noname"},    // a prepended mark takes the parenthesis
        {u"1_\u0600_A（x）_t", u"\u0600_A"}, // and the underscore
    };
    for (const auto& [fileName, speaker] : cases) {
        const auto e = entry(q(fileName));
        ASSERT_TRUE(e);
        EXPECT_EQ(e->charactorName(), q(speaker)) << q(fileName).toStdString();
    }
}

// The signal follows the replacement; speakers once each in file-name order (unticked and "noname"
// included, the first of equivalent spellings kept), none without a list.
TEST(FileLists, SignalAfterReplacingAndCharactorNames) {
    FileLists holder;
    EXPECT_FALSE(holder.charactorNames().has_value());
    bool wasPresent = false;
    QObject::connect(&holder, &FileLists::fileListsChanged,
                     [&] { wasPresent = holder.fileLists().has_value(); });
    const FileList list{entry(q(u"2_B（x）_t")),      entry(q(u"4_e\u0301（y）_t")),
                        entry(q(u"1_A（x）_t")),      entry("0_plain"),
                        entry(q(u"3_\u00E9（x）_t")), entry(q(u"5_A（y）_t"))};
    holder.setFileLists(list);
    holder.setTickedByFileName(q(u"2_B（x）_t"), false);
    EXPECT_TRUE(wasPresent);
    EXPECT_EQ(holder.charactorNames(), QStringList({"noname", "A", "B", q(u"\u00E9")}));
}

// The list numbers its lines in file-name order, owns their ticks (a range past the end changes
// nothing) and lists each line with what the audio check learnt of it.
TEST(FileLists, NumberedLinesTheirTicksAndListingRows) {
    const auto line = [](const QString& name, bool caption) {
        return *FileListData::create(
            name,
            caption ? std::optional(FileListData::LocalFile{name + QStringLiteral(".txt"), {}})
                    : std::nullopt,
            FileListData::LocalFile{name + QStringLiteral(".wav"), {}});
    };
    FileLists lines;
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b"), c = dir.filePath("c"),
                  d = dir.filePath("d");
    for (const QString& name : {a, b}) {
        QFile file(name + QStringLiteral(".txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    lines.setFileLists(FileList{line(c, false), line(a, true), line(d, false), line(b, true)});
    EXPECT_EQ(lines.line(1).fileName(), a);
    QList<std::pair<int, int>> changed;
    QObject::connect(&lines, &FileLists::ticksChanged,
                     [&](int first, int last) { changed << std::pair(first, last); });
    EXPECT_TRUE(lines.setTicked(QList<LineRange>{{2, 3}}, false));
    EXPECT_FALSE(lines.setTicked(QList<LineRange>{{1, 1}, {4, 5}}, false));
    EXPECT_FALSE(lines.setTickedByFileName("nothing", false));
    EXPECT_EQ(changed, (QList<std::pair<int, int>>{{2, 3}}));
    EXPECT_EQ(lines.tickedCount(), 2);

    lines.setAudioFacts({{{a + QStringLiteral(".wav"), {1.5, 48000}}},
                         {Failure{"%1", b + QStringLiteral(".wav"), "broken"},
                          Failure{"%1", d + QStringLiteral(".wav"), "missing"}}});
    const auto frames = [](double seconds) { return std::int64_t(seconds * 10); };
    const LineListingRow first = lines.listingRow(1, frames);
    EXPECT_EQ(std::tuple(first.seconds, first.frames, first.state),
              std::tuple(std::optional(1.5), std::optional<std::int64_t>(15), QString()));
    EXPECT_EQ(lines.listingRow(2, frames).state, "broken");
    EXPECT_EQ(lines.listingRow(3, frames).state, kNoCaptionFileText);
    EXPECT_EQ(lines.listingRow(4, frames).state, "missing") << "the audio's problem comes first";
    ASSERT_EQ(lines.failuresOfTicked().size(), 1) << "b is unticked";
    EXPECT_EQ(lines.failuresOfTicked()[0].reason, "missing");

    // Read again: ticks kept by file name, a new line ticked, the old facts forgotten.
    lines.setFileListsKeepingTicks(FileList{line(dir.filePath("0"), false), line(b, true)});
    EXPECT_EQ(lines.tickedCount(), 1);
    EXPECT_FALSE(lines.line(2).targetFlg());
    EXPECT_TRUE(lines.audioFacts().failures.isEmpty());
}

// Beyond the order the folder scan shows: a prefix comes first, there is no compatibility folding,
// and U+E000-U+FFFF stay between U+D7FF and the supplementary planes.
TEST(TextOrder, CodePointOrderOfNfcForms) {
    const std::pair<const char16_t*, const char16_t*> ascending[] = {{u"voice", u"voice2"},
                                                                     {u"", u"a"},
                                                                     {u"A", u"\uFF21"},
                                                                     {u"\uD7FF", u"\uE000"},
                                                                     {u"\uE000", u"\U00010000"}};
    for (const auto& [low, high] : ascending) {
        EXPECT_TRUE(codePointLess(q(low), q(high))) << q(low).toStdString();
        EXPECT_FALSE(codePointLess(q(high), q(low))) << q(low).toStdString();
    }
    EXPECT_FALSE(canonicallyEqual(q(u"A"), q(u"\uFF21")));
}

} // namespace
} // namespace brisomel
