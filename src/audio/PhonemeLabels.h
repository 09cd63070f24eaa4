#pragma once

#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace brisomel {

// One line of a label file as voice tools write it beside a voice line: "start end phoneme",
// the times in units of 100 ns from the start of the audio.
struct PhonemeLabel {
    std::int64_t start = 0;
    std::int64_t end = 0;
    QString phoneme;
};

inline constexpr std::int64_t kLabelUnitsPerSecond = 10'000'000;

// The labels of a file's text, in the file's order. Blank lines are skipped; any run of blanks
// separates the fields. A line without two times and a phoneme, or ending before it starts, is
// a failure naming the file and the line.
Result<std::vector<PhonemeLabel>> parsePhonemeLabels(const QByteArray& text, const QString& path);
Result<std::vector<PhonemeLabel>> readPhonemeLabels(const QString& path);

// Whether the mouth is open on the phoneme: the vowels a i u e o in either case (upper case is
// a voiceless vowel) and the moraic N. Pauses, silence, closures and consonants keep it closed.
bool isOpenPhoneme(QStringView phoneme);

} // namespace brisomel
