#pragma once

#include "intake/FileListData.h"

#include <QTemporaryDir>

#include <cstdint>
#include <optional>
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

// A folder of 3 to 30 voice lines drawn from `seed`: mono WAV files at 44.1 or 48 kHz, lengths
// from under a frame to over two seconds (tenths of a second among them, whose units floating
// point may put just below a whole number), several speakers, captions of one to three lines
// with assorted endings, some lines unticked. The same seed gives the same folder everywhere.
class RandomVoiceFolder {
public:
    explicit RandomVoiceFolder(unsigned seed);

    const std::vector<RandomLine>& lines() const { return lines_; }
    // Entries of the first `count` lines, shuffled, ticked as the lines say.
    FileList entries(std::size_t count) const;
    FileList entries() const { return entries(lines_.size()); }
    QString filePath(const QString& fileName) const { return dir_.filePath(fileName); }

private:
    QTemporaryDir dir_;
    std::vector<RandomLine> lines_;
    unsigned seed_;
};

} // namespace brisomel::testsupport
