#include "intake/FileLists.h"

#include "intake/TextOrder.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace brisomel {

void FileLists::setFileLists(std::optional<FileList> list) {
    if (list) {
        sortByFileName(*list);
    }
    fileLists_ = std::move(list);
    audioFacts_ = {};
    emit fileListsChanged();
    emit audioFactsChanged();
}

void FileLists::setFileListsKeepingTicks(FileList list) {
    QHash<QString, bool> ticks;
    ticks.reserve(lineCount());
    for (const FileListPtr& entry : lines()) {
        ticks.insert(entry->fileName(), entry->targetFlg());
    }
    for (const FileListPtr& entry : list) {
        entry->targetFlg_ = ticks.value(entry->fileName(), true);
    }
    setFileLists(std::move(list));
}

std::optional<QStringList> FileLists::charactorNames() const {
    if (!fileLists_) {
        return std::nullopt;
    }
    return speakerNames(*fileLists_);
}

void FileLists::setTicked(const QList<int>& numbers, bool ticked) {
    if (numbers.isEmpty()) {
        return;
    }
    for (int number : numbers) {
        lines()[static_cast<std::size_t>(number - 1)]->targetFlg_ = ticked;
    }
    const auto [first, last] = std::minmax_element(numbers.begin(), numbers.end());
    emit ticksChanged(*first, *last);
}

bool FileLists::setTicked(const QList<LineRange>& ranges, bool ticked) {
    if (ranges.isEmpty()) {
        return true;
    }
    const bool inList = std::all_of(ranges.begin(), ranges.end(), [this](const LineRange& range) {
        return range.first >= 1 && range.first <= range.last && range.last <= lineCount();
    });
    if (!inList) {
        return false;
    }
    int first = lineCount();
    int last = 1;
    for (const LineRange& range : ranges) {
        for (int number = range.first; number <= range.last; ++number) {
            lines()[static_cast<std::size_t>(number - 1)]->targetFlg_ = ticked;
        }
        first = std::min(first, range.first);
        last = std::max(last, range.last);
    }
    emit ticksChanged(first, last);
    return true;
}

bool FileLists::setTickedByFileName(const QString& fileName, bool ticked) {
    const auto found = std::find_if(lines().begin(), lines().end(), [&](const FileListPtr& e) {
        return e->fileName() == fileName;
    });
    if (found == lines().end()) {
        return false;
    }
    const int number = static_cast<int>(found - lines().begin()) + 1;
    setTicked(QList<int>{number}, ticked);
    return true;
}

qsizetype FileLists::tickedCount() const {
    return std::count_if(lines().begin(), lines().end(),
                         [](const FileListPtr& entry) { return entry->targetFlg(); });
}

void FileLists::setAudioFacts(AudioFacts facts) {
    audioFacts_ = std::move(facts);
    emit audioFactsChanged();
}

QList<Failure> FileLists::failuresOfTicked() const {
    QSet<QString> ticked;
    for (const FileListPtr& entry : lines()) {
        if (entry->targetFlg() && entry->hasSoundFile()) {
            ticked.insert(entry->soundFilePath());
        }
    }
    QList<Failure> kept;
    for (const Failure& failure : audioFacts_.failures) {
        if (ticked.contains(failure.file)) {
            kept << failure;
        }
    }
    return kept;
}

LineListingRow FileLists::listingRow(int number, const WholeFrames& wholeFrames) const {
    const FileListData& entry = line(number);
    LineListingRow row;
    row.number = number;
    row.fileName = entry.fileName();
    row.speaker = entry.hasSpeaker() ? entry.charactorName() : QString();
    row.caption = entry.textRow();
    if (entry.hasSoundFile()) {
        const QString& path = entry.soundFilePath();
        if (const auto length = audioFacts_.lengths.constFind(path);
            length != audioFacts_.lengths.cend()) {
            row.seconds = length->seconds;
            row.frames = wholeFrames(length->seconds);
        }
        for (const Failure& failure : audioFacts_.failures) {
            if (failure.file == path) {
                row.state = failure.reason;
                break;
            }
        }
    }
    if (row.state.isEmpty() && !entry.hasTextFile()) {
        row.state = kNoCaptionFileText;
    }
    return row;
}

QStringList speakerNames(const FileList& list) {
    // Canonically equivalent names have the same NFC form, so a set of NFC forms finds repeats
    // without searching the result. The spelling of the first appearance is kept.
    QStringList names;
    QSet<QString> seen;
    QSet<QString> seenSpellings; // spares normalizing a spelling met before
    for (const FileListPtr& entry : list) {
        const QString& name = entry->charactorName();
        if (seenSpellings.contains(name)) {
            continue;
        }
        seenSpellings.insert(name);
        QString key = name.normalized(QString::NormalizationForm_C);
        if (!seen.contains(key)) {
            seen.insert(std::move(key));
            names.append(name);
        }
    }
    return names;
}

bool anyTicked(const FileList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const FileListPtr& entry) { return entry->targetFlg(); });
}

SpeakerTally tallySpeakers(const FileList& list) {
    FileList named;
    SpeakerTally tally;
    for (const FileListPtr& entry : list) {
        if (entry->hasSpeaker()) {
            named.push_back(entry);
        } else {
            tally.unnamedFiles << QFileInfo(entry->soundFilePath()).fileName();
        }
    }
    tally.speakerCount = speakerNames(named).size();
    return tally;
}

void sortByFileName(FileList& list) {
    const auto less = [](const FileListPtr& a, const FileListPtr& b) {
        return nfcCodePointLess(a->fileNameOrderKey(), b->fileNameOrderKey());
    };
    // Lists are usually sorted already: the folder scan sorts them.
    if (!std::is_sorted(list.begin(), list.end(), less)) {
        std::stable_sort(list.begin(), list.end(), less);
    }
}

} // namespace brisomel
