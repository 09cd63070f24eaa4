#include "app/LineListModel.h"

#include "app/WindowState.h"
#include "builder/FilelistToTimeline.h"

#include <algorithm>
#include <iterator>

namespace brisomel {

namespace {

// The speaker the naming rule found; "（話者なし）" when it found none, or an empty name.
QString shownSpeaker(const FileListData& entry) {
    return entry.hasSpeaker() && !entry.charactorName().isEmpty() ? entry.charactorName()
                                                                  : kNoSpeakerText;
}

QString firstLine(const QString& caption) {
    return caption.section(u'\n', 0, 0);
}

} // namespace

QString tickSummaryText(qsizetype ticked, qsizetype total) {
    return QStringLiteral("書き出す行 %1 / %2").arg(ticked).arg(total);
}

LineListModel::LineListModel(const FileLists& fileLists, const WindowState& state, QObject* parent)
    : QAbstractTableModel(parent), fileLists_(fileLists), state_(state) {
    takeList();
    connect(&fileLists, &FileLists::fileListsChanged, this, &LineListModel::takeList);
    connect(&state, &WindowState::audioFailuresChanged, this, &LineListModel::takeAudioCheck);
    connect(&state, &WindowState::audioSecondsChanged, this, &LineListModel::takeAudioCheck);
}

void LineListModel::takeList() {
    beginResetModel();
    rows_ = fileLists_.fileLists().value_or(FileList{});
    sortByFileName(rows_); // the document's order
    speakerKeys_.clear();
    speakerKeys_.reserve(static_cast<qsizetype>(rows_.size()));
    for (const FileListPtr& entry : rows_) {
        speakerKeys_ << shownSpeaker(*entry).normalized(QString::NormalizationForm_C);
    }
    playingRow_ = -1;
    readProblems();
    endResetModel();
    emit ticksChanged();
}

void LineListModel::readProblems() {
    problems_.clear();
    for (const Failure& failure : state_.audioFailures()) {
        problems_.insert(failure.file, failure.reason);
    }
}

void LineListModel::takeAudioCheck() {
    readProblems();
    rowsChanged(0, rowCount() - 1, lengthColumn, statusColumn);
}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LineListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const FileListData& entry = *entryAt(index.row());
    if (role == Qt::CheckStateRole && index.column() == tickColumn) {
        return entry.targetFlg() ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::TextAlignmentRole &&
        (index.column() == numberColumn || index.column() == lengthColumn)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && index.column() == captionColumn) {
        return entry.textRow();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (static_cast<Column>(index.column())) {
    case numberColumn:
        return index.row() + 1;
    case fileColumn:
        return entry.fileName();
    case speakerColumn:
        return shownSpeaker(entry);
    case captionColumn:
        return firstLine(entry.textRow());
    case lengthColumn:
        return lengthText(entry);
    case statusColumn:
        return statusText(index.row());
    case tickColumn:
    case columnCount_:
        break;
    }
    return {};
}

QString LineListModel::lengthText(const FileListData& entry) const {
    const auto seconds = state_.audioSeconds().constFind(entry.soundFilePath());
    if (seconds == state_.audioSeconds().cend()) {
        return {}; // not read yet, or unreadable
    }
    const CMTime length = frameAlignedDuration(*seconds, fps_);
    return QStringLiteral("%1 秒 / %2 フレーム")
        .arg(*seconds, 0, 'f', 2)
        .arg(length.value / frameUnit(fps_));
}

QString LineListModel::statusText(int row) const {
    if (row == playingRow_) {
        return kPlayingText;
    }
    const FileListData& entry = *entryAt(row);
    if (const auto problem = problems_.constFind(entry.soundFilePath());
        problem != problems_.cend()) {
        return *problem;
    }
    return entry.hasTextFile() ? QString() : kNoCaptionFileText;
}

QVariant LineListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles = {QStringLiteral("書き出す"), QStringLiteral("番号"),
                                       QStringLiteral("ファイル"), QStringLiteral("話者"),
                                       QStringLiteral("セリフ"),   QStringLiteral("長さ"),
                                       QStringLiteral("状態")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= titles.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return titles[section];
}

Qt::ItemFlags LineListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == tickColumn) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

bool LineListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != tickColumn || role != Qt::CheckStateRole) {
        return false;
    }
    setTicked({index.row()}, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

QStringList LineListModel::speakers() const {
    // Lines without a speaker come last, as one choice.
    FileList named;
    std::copy_if(rows_.begin(), rows_.end(), std::back_inserter(named),
                 [](const FileListPtr& e) { return shownSpeaker(*e) != kNoSpeakerText; });
    QStringList names = speakerNames(named);
    if (named.size() < rows_.size()) {
        names << kNoSpeakerText;
    }
    return names;
}

qsizetype LineListModel::tickedCount() const {
    return std::count_if(rows_.begin(), rows_.end(),
                         [](const FileListPtr& entry) { return entry->targetFlg(); });
}

void LineListModel::setTicked(const QList<int>& rows, bool ticked) {
    if (rows.isEmpty()) {
        return;
    }
    for (int row : rows) {
        entryAt(row)->setTargetFlg(ticked);
    }
    const auto [first, last] = std::minmax_element(rows.begin(), rows.end());
    rowsChanged(*first, *last, tickColumn, tickColumn);
    emit ticksChanged();
}

void LineListModel::setFpsType(FpsType fps) {
    if (fps_ != fps) {
        fps_ = fps;
        rowsChanged(0, rowCount() - 1, lengthColumn, lengthColumn);
    }
}

void LineListModel::setPlayingRow(int row) {
    const int before = playingRow_;
    playingRow_ = row;
    for (int changed : {before, row}) {
        if (changed >= 0 && changed < rowCount()) {
            rowsChanged(changed, changed, statusColumn, statusColumn);
        }
    }
}

int LineListModel::rowOfSoundFile(const QString& path) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const FileListPtr& entry) {
        return entry->hasSoundFile() && entry->soundFilePath() == path;
    });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

void LineListModel::rowsChanged(int first, int last, Column from, Column to) {
    if (first <= last) {
        emit dataChanged(index(first, from), index(last, to));
    }
}

} // namespace brisomel
