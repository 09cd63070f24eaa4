#pragma once

#include "intake/FileLists.h"
#include "support/PcmWriter.h"

#include <QDir>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace brisomel::testsupport {

// One line of a random voice folder, with what a timeline should make of it.
struct RandomLine {
    QString stem;    // the file name without extension; lines are made in file-name order
    QString speaker; // as the file name spells it: two spellings of one name may differ
    int sampleRate = 48000;
    std::int64_t samples = 0;
    std::optional<QString> caption; // nothing: no caption file
    QString title;                  // the caption less the trailing blank that asks for a pause
    bool asksPause = false;
    bool ticked = true;
};

// Writes 3 to 30 lines drawn from `seed`: mono WAV at 44.1 or 48 kHz from under a frame to over
// 2 s (whole tenths among them), speakers spelt composed and decomposed, "Mute" only unticked,
// nobody's; captions of 1-3 lines, some asking for a pause. Only std::mt19937 itself is portable.
inline std::vector<RandomLine> writeRandomVoiceLines(const QString& folder, unsigned seed) {
    using namespace Qt::StringLiterals;
    const QString spellings[] = {u"Hanako"_s, u"春日部つむぎ"_s, u"Andr\u00E9"_s, u"Andre\u0301"_s,
                                 QString()};
    const struct {
        QString text;
        bool asksPause;
        QString title;
    } endings[] = {{u""_s, false, u""_s},     {u""_s, false, u""_s},
                   {u" "_s, true, u""_s},     {u"\u3000"_s, true, u""_s},
                   {u"  "_s, true, u" "_s},   {u" \n"_s, false, u" \n"_s},
                   {u"\t"_s, false, u"\t"_s}, {u" \u0301"_s, false, u" \u0301"_s}};
    std::mt19937 random(seed);
    std::vector<RandomLine> lines(3 + random() % 28);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        RandomLine& line = lines[i];
        line.ticked = random() % 6 != 0;
        line.speaker = !line.ticked && random() % 2 ? u"Mute"_s : spellings[random() % 5];
        const QString number = u"%1"_s.arg(i, 3, 10, QChar(u'0'));
        line.stem = line.speaker.isEmpty() ? number + u"_plain"_s
                                           : number + u'_' + line.speaker + u"（x）_line"_s;
        line.speaker = line.speaker.isEmpty() ? FileListData::defaultName : line.speaker;
        line.sampleRate = random() % 2 ? 48000 : 44100;
        const std::uint32_t kind = random() % 8;
        line.samples = kind == 0  ? 1 + random() % (line.sampleRate / 100)
                       : kind < 3 ? (1 + random() % 30) * line.sampleRate / 10
                                  : line.sampleRate / 20 + random() % (2 * line.sampleRate);
        writeWav(QDir(folder).filePath(line.stem + u".wav"_s), line.sampleRate, 1, line.samples);
        if (random() % 6 != 0) {
            QStringList captionLines;
            for (std::uint32_t n = 0, count = 1 + random() % 3; n < count; ++n) {
                captionLines << u"台詞%1の%2行目"_s.arg(i).arg(n + 1);
            }
            const auto& ending = endings[random() % std::size(endings)];
            line.caption = captionLines.join(u'\n') + ending.text;
            line.title = captionLines.join(u'\n') + ending.title;
            line.asksPause = ending.asksPause;
            writeBytes(QDir(folder).filePath(line.stem + u".txt"_s), line.caption->toUtf8());
        }
    }
    return lines;
}

// The list of the lines, given in an order of its own and ticked as the lines say.
inline std::unique_ptr<FileLists> entriesOfLines(const QString& folder,
                                                 const std::vector<RandomLine>& lines) {
    FileList entries;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString stem = QDir(folder).filePath(lines[i].stem);
        std::optional<FileListData::LocalFile> caption;
        if (lines[i].caption) {
            caption = FileListData::LocalFile{stem + QStringLiteral(".txt"), std::nullopt};
        }
        entries.push_back(*FileListData::create(
            lines[i].stem, caption, FileListData::LocalFile{stem + QStringLiteral(".wav"), {}}));
    }
    std::reverse(entries.begin(), entries.end());
    std::rotate(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(lines.size() / 3),
                entries.end());
    auto list = std::make_unique<FileLists>();
    list->setFileLists(std::move(entries));
    for (const RandomLine& line : lines) {
        list->setTickedByFileName(line.stem, line.ticked);
    }
    return list;
}

} // namespace brisomel::testsupport
