#pragma once

#include "intake/FileLists.h"
#include "timeline/OptionTypes.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

namespace brisomel {

class WindowState;

inline const QString kNoSpeakerText = QStringLiteral("（話者なし）");
inline const QString kNoCaptionFileText = QStringLiteral("字幕ファイルなし");
inline const QString kPlayingText = QStringLiteral("▶ 再生中");

// "書き出す行 N / M": how many of the loaded lines are ticked.
QString tickSummaryText(qsizetype ticked, qsizetype total);

// The loaded folder's lines as a table, in the order of the document: the tick, the number, the
// file, the speaker, the caption's first line, the length and what is wrong. Ticks are the
// entries' own `targetFlg`, so they are what an export leaves out. Follows the holder (a new list
// resets the table) and the background audio check (lengths and problems fill in when it ends).
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
        statusColumn,
        columnCount_
    };

    LineListModel(const FileLists& fileLists, const WindowState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const FileListPtr& entryAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // The speaker as the table shows it, for filtering by the names of speakers().
    const QString& speakerKeyAt(int row) const { return speakerKeys_[row]; }
    // Each speaker once, as the filter offers them (an empty name as "（話者なし）").
    QStringList speakers() const;
    qsizetype tickedCount() const;

    // Ticks or unticks the given rows at once.
    void setTicked(const QList<int>& rows, bool ticked);
    // The rate whose whole frames the length column counts.
    void setFpsType(FpsType fps);
    // The row whose audio plays, or -1.
    void setPlayingRow(int row);
    int playingRow() const { return playingRow_; }
    // The row of the entry with this audio file, or -1.
    int rowOfSoundFile(const QString& path) const;

signals:
    // Some tick changed, or the list was replaced.
    void ticksChanged();

private:
    void takeList();
    void takeAudioCheck();
    void readProblems();
    QString lengthText(const FileListData& entry) const;
    QString statusText(int row) const;
    void rowsChanged(int first, int last, Column from, Column to);

    const FileLists& fileLists_;
    const WindowState& state_;
    FileList rows_;
    QStringList speakerKeys_;
    QHash<QString, QString> problems_; // the audio check's reason, by audio file
    FpsType fps_ = FpsType::fps30;
    int playingRow_ = -1;
};

} // namespace brisomel
