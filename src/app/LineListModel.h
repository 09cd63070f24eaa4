#pragma once

#include "intake/FileLists.h"
#include "loudness/LoudnessCache.h"
#include "timeline/OptionTypes.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QStringList>

namespace brisomel {

inline const QString kNoSpeakerText = QStringLiteral("（話者なし）");
inline const QString kPlayingText = QStringLiteral("▶ 再生中");

// "書き出す行 N / M": how many of the loaded lines are ticked.
QString tickSummaryText(qsizetype ticked, qsizetype total);
// "M 行中 N 行を表示": how many of the lines a filter leaves.
QString shownRowsText(qsizetype shown, qsizetype total);

// The audio files the check found unreadable.
QSet<QString> unreadablePaths(const AudioFacts& facts);
// Whether a line needs the user's eye: its audio cannot be read, or the naming rule found no
// speaker in its name.
bool isProblemLine(const FileListData& line, const QSet<QString>& unreadable);

// The list of lines as a table, in the order of the document: the tick, the number, the file,
// the speaker, the caption's first line, the length, the loudness measured (when it has been)
// and what is wrong, each row the list's own listing row. Ticks go to the list, which owns them;
// the table follows the list (a new list resets it, ticks and the audio check's findings update
// their cells).
class LineListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        tickColumn,
        numberColumn,
        fileColumn,
        speakerColumn,
        captionColumn,
        lengthColumn,
        loudnessColumn,
        statusColumn,
        columnCount_
    };

    explicit LineListModel(FileLists& fileLists, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const FileLists& fileLists() const { return fileLists_; }
    const FileListData& entryAt(int row) const { return fileLists_.line(row + 1); }
    // The speaker as the table shows it, for filtering by the names of speakers().
    const QString& speakerKeyAt(int row) const { return speakerKeys_[row]; }
    // Each speaker once, as the filter offers them (an empty name as "（話者なし）").
    QStringList speakers() const;
    qsizetype tickedCount() const { return fileLists_.tickedCount(); }
    bool isProblemAt(int row) const { return problems_[row]; }

    // Restores the row's caption and speaker to what the file and the rules give.
    void revertEdits(int row) { fileLists_.revertEdits(row + 1); }
    // Writes the edited captions to their files; how many, or why none was written.
    Result<int> saveEditedCaptions() { return fileLists_.saveEditedCaptions(); }
    // Ticks or unticks the given rows at once.
    void setTicked(const QList<int>& rows, bool ticked);
    // The rate whose whole frames the length column counts.
    void setFpsType(FpsType fps);
    // The row whose audio plays, or -1.
    void setPlayingRow(int row);
    int playingRow() const { return playingRow_; }
    // The row of the entry with this audio file, or -1.
    int rowOfSoundFile(const QString& path) const;
    // Where the loudness column finds what has been measured; call loudnessMeasured after
    // measuring into it.
    void setLoudnessCache(const LoudnessCache* cache) { loudness_ = cache; }
    void loudnessMeasured();

private:
    void takeList();
    void findProblems();
    LineListingRow rowAt(int row) const;
    QString lengthText(const LineListingRow& row) const;
    QString loudnessText(const FileListData& entry) const;
    void rowsChanged(int first, int last, Column from, Column to);

    FileLists& fileLists_;
    QStringList speakerKeys_;
    QList<bool> problems_; // by row
    FpsType fps_ = FpsType::fps30;
    int playingRow_ = -1;
    const LoudnessCache* loudness_ = nullptr;
};

} // namespace brisomel
