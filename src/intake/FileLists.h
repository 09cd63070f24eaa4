#pragma once

#include "intake/AudioFacts.h"
#include "intake/CaptionRules.h"
#include "intake/FileListData.h"
#include "intake/LineRange.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace brisomel {

inline const QString kNoCaptionFileText = QStringLiteral("字幕ファイルなし");

inline const QString kMarkupLeftText = QStringLiteral("記法の括弧が対応していません");
inline const QString kEditDroppedText =
    QStringLiteral("字幕ファイルが変わったため修正を取り消しました");

// One line as the window's table and the converter's listing show it.
struct LineListingRow {
    int number = 0; // from 1, in the document's order
    QString fileName;
    QString speaker; // empty when the naming rule found none
    QString caption; // the whole caption, with its line breaks
    // Known once the audio has been read: its length in seconds and in whole frames of the rate.
    std::optional<double> seconds;
    std::optional<std::int64_t> frames;
    QString state; // what is wrong: why the audio cannot be read, or "字幕ファイルなし"

    QString firstCaptionLine() const { return caption.section(u'\n', 0, 0); }
};

// How many whole frames a clip of audio lasting `seconds` takes at the rate being listed.
using WholeFrames = std::function<std::int64_t(double seconds)>;

// The one list of the loaded folder's lines, which the window, the converter and the builder
// all read. It is kept in the document's order (file-name order), so a line's number, from 1, is
// its place in the list. It owns the lines' ticks, what the check of their audio learnt and the
// captions and speakers as the document uses them (the caption rules, then the user's edits),
// and signals each change; nothing else writes a line.
class FileLists : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The lines of the last folder that loaded; absent until one has.
    const std::optional<FileList>& fileLists() const { return fileLists_; }
    // Replaces the list (put into the document's order, should it not be) and forgets what the
    // audio check learnt of the one before.
    void setFileLists(std::optional<FileList> list);
    // The same for the loaded folder read again: each line keeps the tick of the line with its
    // file name; new lines come in ticked. An edit stays with its file name while the caption
    // file is unchanged; one whose file changed is dropped and its line says so.
    void setFileListsKeepingTicks(FileList list);

    // The rules every caption goes through; the lines follow a change at once.
    const CaptionRules& captionRules() const { return captionRules_; }
    void setCaptionRules(CaptionRules rules);
    // Corrects the caption or the speaker of the line with this number; revertEdits restores
    // what the file and the rules give.
    void editCaption(int number, const QString& caption);
    void editSpeaker(int number, const QString& speaker);
    void revertEdits(int number);
    // Writes every edited caption to its caption file (keeping the file's encoding, mark and
    // line ends), which then holds it: the edit is no longer needed. Each file is encoded first;
    // when one cannot be, nothing is written and the failure names it. How many were written.
    Result<int> saveEditedCaptions();
    // The edits the next setFileLists forgets; by file name.
    const QHash<QString, LineEdit>& edits() const { return edits_; }

    // The lines, or none before a folder has loaded.
    const FileList& lines() const { return fileLists_ ? *fileLists_ : noLines_; }
    int lineCount() const { return static_cast<int>(lines().size()); }
    const FileListData& line(int number) const {
        return *lines()[static_cast<std::size_t>(number - 1)];
    }

    // Each speaker name once, in the order of first appearance by file name; names that are
    // canonically equivalent count as one. Absent when no list is loaded.
    std::optional<QStringList> charactorNames() const;

    // Ticks or unticks the lines with these numbers.
    void setTicked(const QList<int>& numbers, bool ticked);
    // The same for every line of the ranges; false, changing nothing, when a range goes past the
    // last line.
    bool setTicked(const QList<LineRange>& ranges, bool ticked);
    // Ticks or unticks the line with this file name; false when there is none.
    bool setTickedByFileName(const QString& fileName, bool ticked);
    qsizetype tickedCount() const;

    // What the check of the audio files learnt; empty until it reports.
    const AudioFacts& audioFacts() const { return audioFacts_; }
    void setAudioFacts(AudioFacts facts);
    // The check's failures that concern the audio of a ticked line: only those stop an export.
    QList<Failure> failuresOfTicked() const;

    // The line with this number as a listing shows it, its frames counted by `wholeFrames`.
    LineListingRow listingRow(int number, const WholeFrames& wholeFrames) const;

signals:
    // The whole list was replaced.
    void fileListsChanged();
    // The ticks of the lines numbered first to last may have changed.
    void ticksChanged(int firstNumber, int lastNumber);
    // The audio check reported, or its findings were forgotten with the list they were about.
    void audioFactsChanged();
    // The captions or speakers of the lines numbered first to last may have changed.
    void captionsChanged(int firstNumber, int lastNumber);

private:
    void publish(std::optional<FileList> list);
    // The line's caption and speaker from its file, the rules and its edit.
    void useRulesAndEdit(FileListData& entry) const;
    void editLine(int number, const std::function<void(LineEdit&)>& change);

    static inline const FileList noLines_;
    std::optional<FileList> fileLists_;
    AudioFacts audioFacts_;
    CaptionRules captionRules_;
    QHash<QString, LineEdit> edits_;
};

// Each speaker name once, in the order of first appearance in the list (which is in file-name
// order); names that are canonically equivalent count as one (the spelling that comes first is
// kept).
QStringList speakerNames(const FileList& list);

// Whether some entry takes part in the timeline.
bool anyTicked(const FileList& list);

// The lines by speaker: how many speakers the naming rule found, and the audio file names of the
// lines it found none for, in the list's order.
struct SpeakerTally {
    qsizetype speakerCount = 0;
    QStringList unnamedFiles;
};
SpeakerTally tallySpeakers(const FileList& list);

// Stable sort by fileName in code-point order of the NFC forms (keys computed once per entry).
void sortByFileName(FileList& list);

} // namespace brisomel
