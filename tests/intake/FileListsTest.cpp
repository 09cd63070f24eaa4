#include "intake/FileLists.h"

#include "IntakeTestSupport.h"

#include <gtest/gtest.h>

namespace brisomel {
namespace {

using test::q;

FileListPtr entryNamed(const QString& fileName, const QUrl& sound = {}) {
    auto created = FileListData::create(fileName, std::nullopt, sound);
    EXPECT_TRUE(std::holds_alternative<FileListPtr>(created));
    return std::get<FileListPtr>(created);
}

QStringList fileNames(const FileList& list) {
    QStringList names;
    for (const auto& entry : list) {
        names.append(entry->fileName());
    }
    return names;
}

TEST(FileLists, StartsAbsent) {
    FileLists holder;
    EXPECT_FALSE(holder.fileLists().has_value());
    EXPECT_FALSE(holder.charactorNames().has_value());
}

TEST(FileLists, SetterSignalsBeforeAssigning) {
    FileLists holder;
    int notifications = 0;
    bool wasAbsent = false;
    QObject::connect(&holder, &FileLists::fileListsWillChange, [&] {
        ++notifications;
        wasAbsent = !holder.fileLists().has_value();
    });
    holder.setFileLists(FileList{entryNamed("a")});
    EXPECT_EQ(notifications, 1);
    EXPECT_TRUE(wasAbsent);
    ASSERT_TRUE(holder.fileLists().has_value());
    EXPECT_EQ(holder.fileLists()->size(), 1u);
}

TEST(FileLists, CharactorNamesInFileNameOrderWithoutReorderingTheList) {
    FileLists holder;
    holder.setFileLists(FileList{entryNamed(q(u"2_B（x）_t")), entryNamed(q(u"1_A（x）_t")),
                                 entryNamed(q(u"3_A（y）_t"))});
    EXPECT_EQ(holder.charactorNames(), QStringList({"A", "B"}));
    EXPECT_EQ(fileNames(*holder.fileLists()),
              QStringList({q(u"2_B（x）_t"), q(u"1_A（x）_t"), q(u"3_A（y）_t")}));
}

TEST(FileLists, CharactorNamesIncludeNonameAndUntickedEntries) {
    FileLists holder;
    FileList list{entryNamed(q(u"1_A（x）_t")), entryNamed("0_plain"),
                  entryNamed(q(u"2_C（x）_t"))};
    list[2]->setTargetFlg(false);
    holder.setFileLists(list);
    EXPECT_EQ(holder.charactorNames(), QStringList({"noname", "A", "C"}));
}

TEST(FileLists, CanonicallyEquivalentNamesCountOnce) {
    FileLists holder;
    holder.setFileLists(FileList{entryNamed(q(u"2_e\u0301（y）_t")),
                                 entryNamed(q(u"1_\u00E9（x）_t")), entryNamed(q(u"3_e（z）_t"))});
    // The spelling of the first appearance by file name is kept.
    EXPECT_EQ(holder.charactorNames(), QStringList({q(u"\u00E9"), q(u"e")}));
}

TEST(SortByFileName, CodePointOrderOfNfcFormsAndStable) {
    const QUrl first = QUrl::fromLocalFile("/v/voice.mp3");
    const QUrl second = QUrl::fromLocalFile("/v/voice.wav");
    FileList list{entryNamed("a"),           entryNamed("voice", first),
                  entryNamed(q(u"e\u0301")), entryNamed("B"),
                  entryNamed("10_x"),        entryNamed("voice", second),
                  entryNamed("2_x"),         entryNamed("f")};
    sortByFileName(list);
    EXPECT_EQ(fileNames(list),
              QStringList({"10_x", "2_x", "B", "a", "f", "voice", "voice", q(u"e\u0301")}));
    EXPECT_EQ(list[5]->soundFileUrl(), first);
    EXPECT_EQ(list[6]->soundFileUrl(), second);
}

TEST(SortByFileName, TenThousandEntriesSortQuickly) {
    FileList list;
    for (int i = 0; i < 10000; ++i) {
        list.push_back(entryNamed(QString::number((i * 7919) % 10000)));
    }
    sortByFileName(list);
    for (std::size_t i = 1; i < list.size(); ++i) {
        ASSERT_FALSE(list[i]->fileName() < list[i - 1]->fileName());
    }
}

} // namespace
} // namespace brisomel
