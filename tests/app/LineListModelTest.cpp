#include "app/LineListModel.h"
#include "app/FolderLoadAction.h"
#include "app/LineFilter.h"
#include "audio/AudioProbe.h"
#include "export/Conversion.h"
#include "loudness/SpeakerGains.h"
#include "support/WindowTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::VoiceFolder;

namespace {

class LineListModelTest : public ::testing::Test {
protected:
    QString cell(int row, LineListModel::Column column, int role = Qt::DisplayRole) const {
        return model_.data(model_.index(row, column), role).toString();
    }
    QStringList column(const QAbstractItemModel& model, LineListModel::Column column) const {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            texts << model.data(model.index(row, column)).toString();
        }
        return texts;
    }
    void tick(int row, bool ticked) {
        model_.setData(model_.index(row, LineListModel::tickColumn),
                       ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    QString ticks() const {
        QString marks;
        for (int row = 0; row < model_.rowCount(); ++row) {
            marks += model_.entryAt(row).targetFlg() ? u'x' : u'-';
        }
        return marks;
    }

    FileLists lists_;
    WindowState state_;
    FolderLoadAction load_{lists_, state_};
    LineListModel model_{lists_};
};

} // namespace

// Row cells: the caption's first line (all of it as tool tip), length in seconds and frames.
TEST_F(LineListModelTest, RowsShowEachLineInTheDocumentsOrderWithWhatIsWrong) {
    VoiceFolder folder(u"Scene"_s);
    folder.addLine(u"002_Taro（a）_two"_s, 1.0, u"line one\nline two"_s);
    folder.addLine(u"001_Hanako（n）_one"_s, 0.5, u"hello"_s);
    folder.addLine(u"003_（x）_nobody"_s, 0.25);
    testsupport::writeBytes(folder.filePath(u"004_B（x）_broken.wav"_s), "not audio");
    testsupport::writeBytes(folder.filePath(u"004_B（x）_broken.txt"_s), "broken");
    model_.setFpsType(FpsType::fps25);
    ASSERT_TRUE(testsupport::loadChecked(load_, folder.url()));

    ASSERT_EQ(model_.rowCount(), 4);
    EXPECT_EQ(column(model_, LineListModel::fileColumn),
              (QStringList{u"001_Hanako（n）_one"_s, u"002_Taro（a）_two"_s, u"003_（x）_nobody"_s,
                           u"004_B（x）_broken"_s}));
    EXPECT_EQ(column(model_, LineListModel::speakerColumn),
              (QStringList{u"Hanako"_s, u"Taro"_s, u"（話者なし）"_s, u"B"_s}));
    EXPECT_EQ(column(model_, LineListModel::captionColumn),
              (QStringList{u"hello"_s, u"line one"_s, QString(), u"broken"_s}));
    EXPECT_EQ(cell(1, LineListModel::captionColumn, Qt::ToolTipRole), u"line one\nline two"_s);
    EXPECT_EQ(column(model_, LineListModel::lengthColumn),
              (QStringList{u"0.50 秒 / 12 フレーム"_s, u"1.00 秒 / 25 フレーム"_s,
                           u"0.25 秒 / 6 フレーム"_s, QString()}));
    const QString brokenReason =
        probeAudioFile(folder.filePath(u"004_B（x）_broken.wav"_s)).failure().reason;
    EXPECT_EQ(column(model_, LineListModel::statusColumn),
              (QStringList{QString(), QString(), u"字幕ファイルなし"_s, brokenReason}));

    model_.setFpsType(FpsType::fps30);
    EXPECT_EQ(cell(0, LineListModel::lengthColumn), u"0.50 秒 / 15 フレーム"_s);
    model_.setPlayingRow(1);
    EXPECT_EQ(cell(1, LineListModel::statusColumn), u"▶ 再生中"_s);

    // The loudness of the lines measured: "—" for those too short or silent to have one.
    LoudnessCache measured;
    model_.setLoudnessCache(&measured);
    EXPECT_EQ(column(model_, LineListModel::loudnessColumn), QStringList(4, QString()));
    std::vector<double> tone(48000); // 1 kHz at half scale: 20 log10(0.5) - 3.01 LUFS
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.5 * std::sin(2 * std::numbers::pi * 1000.0 * i / 48000);
    }
    ASSERT_TRUE(testsupport::writeBytes(folder.filePath(u"002_Taro（a）_two.wav"_s),
                                        testsupport::wavBytes(48000, 1, tone)));
    tick(3, false);
    ASSERT_TRUE(measureSpeakerGains(lists_.lines(), -16, measured));
    EXPECT_EQ(column(model_, LineListModel::loudnessColumn),
              (QStringList{u"—"_s, u"−9.0 LUFS"_s, u"—"_s, QString()}));
}

// The search looks at file names and captions, ignoring case; ticks act on the rows shown.
TEST_F(LineListModelTest, FilterAndSearchNarrowTheRowsThatTicksActOn) {
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_intro"_s, 0.1, u"Hello there"_s);
    folder.addLine(u"2_B（x）_reply"_s, 0.1, u"hi"_s);
    folder.addLine(u"3_A（x）_ask"_s, 0.1, u"how are you"_s);
    folder.addLine(u"4_（x）_sfx"_s, 0.1);
    folder.addLine(u"5_B（x）_hello"_s, 0.1, u"fine"_s);
    ASSERT_TRUE(testsupport::loadChecked(load_, folder.url()));
    LineFilter filter(model_);
    ASSERT_EQ(model_.speakers(), (QStringList{u"A"_s, u"B"_s, u"（話者なし）"_s}));

    // A speaker to show (all when none), a search and the rows shown.
    const std::tuple<std::optional<QString>, QString, QStringList> cases[] = {
        {std::nullopt, QString(), {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}},
        {u"A"_s, QString(), {u"1"_s, u"3"_s}},
        {u"（話者なし）"_s, QString(), {u"4"_s}},
        {std::nullopt, u"HELLO"_s, {u"1"_s, u"5"_s}}, // a caption, then a file name
        {u"B"_s, u"hello"_s, {u"5"_s}},
    };
    // Each change is read, as a view would, before the next: search, then speaker here, and
    // the other order below.
    for (const auto& [speaker, search, shown] : cases) {
        filter.setSearchText(search);
        filter.rowCount();
        filter.setSpeaker(speaker);
        EXPECT_EQ(column(filter, LineListModel::numberColumn), shown)
            << speaker.value_or(u"*"_s).toStdString() << " " << search.toStdString();
    }

    QSignalSpy ticksChanged(&lists_, &FileLists::ticksChanged);
    filter.setSpeaker(u"B"_s);
    filter.setSearchText(QString());
    filter.setShownTicked(false);
    EXPECT_EQ(ticks(), u"x-xx-"_s);
    EXPECT_EQ(ticksChanged.size(), 1);
    filter.setSpeaker(std::nullopt);
    filter.rowCount();
    filter.setSearchText(u"hello"_s);
    filter.setShownTicked(true);
    EXPECT_EQ(ticks(), u"x-xxx"_s);
    tick(0, false);
    EXPECT_EQ(ticks(), u"--xxx"_s);
    EXPECT_EQ(model_.tickedCount(), 3);
}
