#include "intake/FileLists.h"

#include "intake/CaptionSaving.h"
#include "intake/TextOrder.h"

#include "core/AtomicFile.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace brisomel {

void FileLists::setFileLists(std::optional<FileList> list) {
    edits_.clear();
    publish(std::move(list));
}

void FileLists::publish(std::optional<FileList> list) {
    if (list) {
        sortByFileName(*list);
        for (const FileListPtr& entry : *list) {
            useRulesAndEdit(*entry);
        }
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
    QHash<QString, LineEdit> kept;
    for (const FileListPtr& entry : list) {
        entry->targetFlg_ = ticks.value(entry->fileName(), true);
        const auto edit = edits_.constFind(entry->fileName());
        if (edit == edits_.cend()) {
            continue;
        }
        if (edit->fileCaption == entry->captionPrefix() + entry->fileTextRow()) {
            kept.insert(edit.key(), *edit);
        } else {
            entry->editDropped_ = true; // the file changed: its text wins
        }
    }
    edits_ = std::move(kept);
    publish(std::move(list));
}

void FileLists::setCaptionRules(CaptionRules rules) {
    if (rules == captionRules_) {
        return;
    }
    captionRules_ = std::move(rules);
    for (const FileListPtr& entry : lines()) {
        useRulesAndEdit(*entry);
    }
    if (lineCount() > 0) {
        emit captionsChanged(1, lineCount());
    }
}

void FileLists::useRulesAndEdit(FileListData& entry) const {
    const auto edit = edits_.constFind(entry.fileName());
    const bool hasEdit = edit != edits_.cend();
    entry.captionEdited_ = hasEdit && edit->caption.has_value();
    entry.speakerEdited_ = hasEdit && edit->speaker.has_value();
    if (entry.captionEdited_) {
        entry.textRow_ = *edit->caption;
        entry.markupLeft_ = false;
    } else {
        CleanedMarkup ruled = captionRules_.applied(entry.fileTextRow_);
        entry.textRow_ = std::move(ruled.text);
        entry.markupLeft_ = ruled.bracketsLeft;
    }
    entry.text_ = entry.textRow_;
    entry.text_.replace(u'\n', u' ');
    if (entry.speakerEdited_) {
        entry.hasSpeaker_ = !edit->speaker->isEmpty();
        entry.charactorName_ = entry.hasSpeaker_ ? *edit->speaker : FileListData::defaultName;
    } else {
        entry.hasSpeaker_ = entry.fileHasSpeaker_;
        entry.charactorName_ = entry.fileCharactorName_;
    }
}

void FileLists::editLine(int number, const std::function<void(LineEdit&)>& change) {
    FileListData& entry = *lines()[static_cast<std::size_t>(number - 1)];
    LineEdit& edit = edits_[entry.fileName()];
    edit.fileCaption = entry.captionPrefix() + entry.fileTextRow();
    change(edit);
    if (!edit.caption && !edit.speaker) {
        edits_.remove(entry.fileName());
    }
    entry.editDropped_ = false;
    useRulesAndEdit(entry);
    emit captionsChanged(number, number);
}

void FileLists::editCaption(int number, const QString& caption) {
    editLine(number, [&](LineEdit& edit) { edit.caption = caption; });
}

void FileLists::editSpeaker(int number, const QString& speaker) {
    editLine(number, [&](LineEdit& edit) { edit.speaker = speaker; });
}

Result<int> FileLists::saveEditedCaptions() {
    std::vector<std::pair<int, CaptionFileBytes>> files;
    for (int number = 1; number <= lineCount(); ++number) {
        if (line(number).captionEdited()) {
            Result<CaptionFileBytes> encoded = encodedCaptionFile(line(number));
            if (!encoded) {
                return encoded.failure();
            }
            files.emplace_back(number, std::move(*encoded));
        }
    }
    int saved = 0;
    for (const auto& [number, file] : files) {
        const Status written = writeBytesAtomically(
            file.path, file.bytes, QStringLiteral("字幕ファイル %1 に保存できません"));
        if (!written) {
            return written.failure();
        }
        FileListData& entry = *lines()[static_cast<std::size_t>(number - 1)];
        entry.textFile_ = FileListData::LocalFile{file.path, std::nullopt};
        entry.fileTextRow_ = entry.textRow_;
        editLine(number, [&](LineEdit& edit) { edit.caption.reset(); });
        ++saved;
    }
    return saved;
}

void FileLists::revertEdits(int number) {
    editLine(number, [](LineEdit& edit) { edit = {}; });
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
    if (row.state.isEmpty() && entry.editDropped()) {
        row.state = kEditDroppedText;
    }
    if (row.state.isEmpty() && entry.markupLeft()) {
        row.state = kMarkupLeftText;
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
