#include "app/LineListModel.h"

#include "timeline/FrameAlignment.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace brisomel {

namespace {

// The speaker the naming rule found; "（話者なし）" when it found none, or an empty name.
QString shownSpeaker(const QString& speaker) {
    return speaker.isEmpty() ? kNoSpeakerText : speaker;
}

QString shownSpeaker(const FileListData& entry) {
    return shownSpeaker(entry.hasSpeaker() ? entry.charactorName() : QString());
}

} // namespace

QString tickSummaryText(qsizetype ticked, qsizetype total) {
    return QStringLiteral("書き出す行 %1 / %2").arg(ticked).arg(total);
}

QString shownRowsText(qsizetype shown, qsizetype total) {
    return QStringLiteral("%1 行中 %2 行を表示").arg(total).arg(shown);
}

QSet<QString> unreadablePaths(const AudioFacts& facts) {
    QSet<QString> paths;
    for (const Failure& failure : facts.failures) {
        paths.insert(failure.file);
    }
    return paths;
}

bool isProblemLine(const FileListData& line, const QSet<QString>& unreadable) {
    return !line.hasSpeaker() || (line.hasSoundFile() && unreadable.contains(line.soundFilePath()));
}

LineListModel::LineListModel(FileLists& fileLists, QObject* parent)
    : QAbstractTableModel(parent), fileLists_(fileLists) {
    takeList();
    connect(&fileLists, &FileLists::fileListsChanged, this, &LineListModel::takeList);
    connect(&fileLists, &FileLists::ticksChanged, this, [this](int first, int last) {
        rowsChanged(first - 1, last - 1, tickColumn, tickColumn);
    });
    connect(&fileLists, &FileLists::captionsChanged, this, [this](int first, int last) {
        for (int number = first; number <= last; ++number) {
            speakerKeys_[number - 1] =
                shownSpeaker(fileLists_.line(number)).normalized(QString::NormalizationForm_C);
        }
        findProblems();
        rowsChanged(first - 1, last - 1, speakerColumn, statusColumn);
    });
    connect(&fileLists, &FileLists::audioFactsChanged, this, [this] {
        findProblems();
        rowsChanged(0, rowCount() - 1, lengthColumn, statusColumn);
    });
}

void LineListModel::findProblems() {
    const QSet<QString> unreadable = unreadablePaths(fileLists_.audioFacts());
    problems_.clear();
    problems_.reserve(fileLists_.lineCount());
    for (const FileListPtr& entry : fileLists_.lines()) {
        problems_ << isProblemLine(*entry, unreadable);
    }
}

void LineListModel::takeList() {
    beginResetModel();
    speakerKeys_.clear();
    speakerKeys_.reserve(fileLists_.lineCount());
    for (const FileListPtr& entry : fileLists_.lines()) {
        speakerKeys_ << shownSpeaker(*entry).normalized(QString::NormalizationForm_C);
    }
    findProblems();
    playingRow_ = -1;
    endResetModel();
}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fileLists_.lineCount();
}

int LineListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

LineListingRow LineListModel::rowAt(int row) const {
    const FpsType fps = fps_;
    return fileLists_.listingRow(row + 1,
                                 [fps](double seconds) { return wholeFrames(seconds, fps); });
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::CheckStateRole && index.column() == tickColumn) {
        return entryAt(index.row()).targetFlg() ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::TextAlignmentRole &&
        (index.column() == numberColumn || index.column() == lengthColumn ||
         index.column() == loudnessColumn)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    const FileListData& entry = entryAt(index.row());
    if (role == Qt::EditRole && index.column() == captionColumn) {
        return entry.textRow();
    }
    if (role == Qt::EditRole && index.column() == speakerColumn) {
        return entry.hasSpeaker() ? entry.charactorName() : QString();
    }
    // An edited cell is marked, and its tool tip shows what the file gives.
    const bool edited = (index.column() == captionColumn && entry.captionEdited()) ||
                        (index.column() == speakerColumn && entry.speakerEdited());
    if (role == Qt::FontRole && edited) {
        QFont font;
        font.setItalic(true);
        font.setBold(true);
        return font;
    }
    if (role == Qt::ToolTipRole && edited) {
        const QString original =
            index.column() == captionColumn
                ? fileLists_.captionRules().applied(entry.fileTextRow()).text
                : shownSpeaker(entry.fileCharactorName() == FileListData::defaultName
                                   ? QString()
                                   : entry.fileCharactorName());
        return QStringLiteral("%1\n（修正済み。元: %2）")
            .arg(data(index, Qt::EditRole).toString(), original);
    }
    // A cell too narrow for its text shows it whole when hovered: the caption with all its lines.
    if (role == Qt::ToolTipRole && index.column() == captionColumn) {
        return entry.textRow();
    }
    if (role == Qt::ToolTipRole && index.column() != tickColumn) {
        return data(index, Qt::DisplayRole);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const LineListingRow row = rowAt(index.row());
    switch (static_cast<Column>(index.column())) {
    case numberColumn:
        return row.number;
    case fileColumn:
        return row.fileName;
    case speakerColumn:
        return shownSpeaker(row.speaker);
    case captionColumn:
        return row.firstCaptionLine();
    case lengthColumn:
        return lengthText(row);
    case loudnessColumn:
        return loudnessText(entryAt(index.row()));
    case statusColumn:
        return index.row() == playingRow_ ? kPlayingText : row.state;
    case tickColumn:
    case columnCount_:
        break;
    }
    return {};
}

QString LineListModel::lengthText(const LineListingRow& row) const {
    if (!row.seconds) {
        return {}; // not read yet, or unreadable
    }
    return QStringLiteral("%1 秒 / %2 フレーム").arg(*row.seconds, 0, 'f', 2).arg(*row.frames);
}

// The line's integrated loudness in LUFS, "—" when it is too short or silent to have one, nothing
// before it has been measured.
QString LineListModel::loudnessText(const FileListData& entry) const {
    if (loudness_ == nullptr || !entry.hasSoundFile()) {
        return {};
    }
    const std::optional<LineLoudness> measured = loudness_->find(entry.soundFilePath());
    if (!measured) {
        return {};
    }
    if (!std::isfinite(measured->integrated)) {
        return QStringLiteral("—");
    }
    return QString::number(measured->integrated, 'f', 1).replace(u'-', u'−') +
           QStringLiteral(" LUFS");
}

QVariant LineListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles = {QStringLiteral("書き出す"), QStringLiteral("番号"),
                                       QStringLiteral("ファイル"), QStringLiteral("話者"),
                                       QStringLiteral("セリフ"),   QStringLiteral("長さ"),
                                       QStringLiteral("音量"),     QStringLiteral("状態")};
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
    if (index.isValid() && (index.column() == captionColumn || index.column() == speakerColumn)) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool LineListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (index.isValid() && role == Qt::EditRole &&
        (index.column() == captionColumn || index.column() == speakerColumn)) {
        if (value.toString() == data(index, Qt::EditRole).toString()) {
            return false; // an editor closed without a change is no edit
        }
        if (index.column() == captionColumn) {
            fileLists_.editCaption(index.row() + 1, value.toString());
        } else {
            fileLists_.editSpeaker(index.row() + 1, value.toString());
        }
        return true;
    }
    if (!index.isValid() || index.column() != tickColumn || role != Qt::CheckStateRole) {
        return false;
    }
    setTicked({index.row()}, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

QStringList LineListModel::speakers() const {
    // Lines without a speaker come last, as one choice.
    const FileList& lines = fileLists_.lines();
    FileList named;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(named),
                 [](const FileListPtr& e) { return shownSpeaker(*e) != kNoSpeakerText; });
    QStringList names = speakerNames(named);
    if (named.size() < lines.size()) {
        names << kNoSpeakerText;
    }
    return names;
}

void LineListModel::setTicked(const QList<int>& rows, bool ticked) {
    QList<int> numbers;
    numbers.reserve(rows.size());
    for (int row : rows) {
        numbers << row + 1;
    }
    fileLists_.setTicked(numbers, ticked);
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
    const FileList& lines = fileLists_.lines();
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const FileListPtr& entry) {
        return entry->hasSoundFile() && entry->soundFilePath() == path;
    });
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}

void LineListModel::loudnessMeasured() {
    rowsChanged(0, rowCount() - 1, loudnessColumn, loudnessColumn);
}

void LineListModel::rowsChanged(int first, int last, Column from, Column to) {
    if (first <= last) {
        emit dataChanged(index(first, from), index(last, to));
    }
}

} // namespace brisomel
