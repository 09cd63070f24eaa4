#include "support/RandomVoiceFolder.h"

#include "support/PcmWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace brisomel::testsupport {

namespace {

using namespace Qt::StringLiterals;

// Speakers as file names spell them: the last two are one name, composed and decomposed. A
// line without a parenthesised style is nobody's ("noname").
const QString kSpellings[] = {u"Hanako"_s, u"春日部つむぎ"_s, u"Andr\u00E9"_s, u"Andre\u0301"_s,
                              QString()};

// Caption endings: whether each asks for a pause, and the title's ending. Plain endings come
// twice as often; a blank with a combining mark, before a line break or a tab is no blank.
const struct {
    QString text;
    bool asksPause;
    QString title;
} kEndings[] = {{u""_s, false, u""_s},
                {u""_s, false, u""_s},
                {u" "_s, true, u""_s},
                {u"\u3000"_s, true, u""_s},
                {u"  "_s, true, u" "_s},
                {u" \n"_s, false, u" \n"_s},
                {u" \u0301"_s, false, u" \u0301"_s},
                {u"\t"_s, false, u"\t"_s}};

std::int64_t randomSamples(std::mt19937& random, int rate) {
    switch (random() % 8) {
    case 0: // shorter than any frame
        return 1 + random() % (rate / 100);
    case 1:
    case 2: // tenths of a second
        return (1 + random() % 30) * rate / 10;
    default:
        return rate / 20 + random() % (2 * rate);
    }
}

QString randomCaption(std::mt19937& random, int index) {
    QStringList lines;
    for (std::uint32_t i = 0, count = 1 + random() % 3; i < count; ++i) {
        lines << u"台詞%1の%2行目"_s.arg(index).arg(i + 1);
    }
    return lines.join(u'\n');
}

} // namespace

RandomVoiceFolder::RandomVoiceFolder(unsigned seed) : seed_(seed) {
    std::mt19937 random(seed);
    const int count = 3 + static_cast<int>(random() % 28);
    for (int i = 0; i < count; ++i) {
        RandomLine line;
        line.ticked = random() % 6 != 0;
        // "Mute" speaks only unticked lines, so has tracks without clips.
        line.speaker = !line.ticked && random() % 2 ? u"Mute"_s : kSpellings[random() % 5];
        line.stem = line.speaker.isEmpty()
                        ? u"%1_plain"_s.arg(i, 3, 10, QChar(u'0'))
                        : u"%1_%2（x）_line"_s.arg(i, 3, 10, QChar(u'0')).arg(line.speaker);
        if (line.speaker.isEmpty()) {
            line.speaker = FileListData::defaultName;
        }
        line.sampleRate = random() % 2 ? 48000 : 44100;
        line.samples = randomSamples(random, line.sampleRate);
        EXPECT_TRUE(writeWav(filePath(line.stem + u".wav"_s), line.sampleRate, 1, line.samples));
        if (random() % 6 != 0) {
            const auto& ending = kEndings[random() % std::size(kEndings)];
            const QString body = randomCaption(random, i);
            line.caption = body + ending.text;
            line.title = body + ending.title;
            line.asksPause = ending.asksPause;
            EXPECT_TRUE(writeBytes(filePath(line.stem + u".txt"_s), line.caption->toUtf8()));
        }
        lines_.push_back(line);
    }
}

FileList RandomVoiceFolder::entries(std::size_t count) const {
    FileList list;
    for (std::size_t i = 0; i < count; ++i) {
        const RandomLine& line = lines_[i];
        std::optional<FileListData::LocalFile> caption;
        if (line.caption) {
            caption = FileListData::LocalFile{filePath(line.stem + u".txt"_s), std::nullopt};
        }
        auto entry = FileListData::create(
            line.stem, caption, FileListData::LocalFile{filePath(line.stem + u".wav"_s), {}});
        EXPECT_TRUE(entry) << line.stem.toStdString();
        if (entry) {
            (*entry)->setTargetFlg(line.ticked);
            list.push_back(*entry);
        }
    }
    // The builder orders the lines itself.
    std::shuffle(list.begin(), list.end(), std::mt19937(seed_));
    return list;
}

} // namespace brisomel::testsupport
