#include "app/LineFilter.h"

#include "app/LineListModel.h"

namespace brisomel {

LineFilter::LineFilter(LineListModel& lines, QObject* parent)
    : QSortFilterProxyModel(parent), lines_(lines) {
    setSourceModel(&lines);
}

void LineFilter::setSpeaker(const std::optional<QString>& speaker) {
    speakerKey_ =
        speaker ? std::optional(speaker->normalized(QString::NormalizationForm_C)) : std::nullopt;
    refilter();
}

void LineFilter::setSearchText(const QString& text) {
    searchText_ = text;
    refilter();
}

void LineFilter::setProblemsOnly(bool problemsOnly) {
    problemsOnly_ = problemsOnly;
    refilter();
}

// Filtering anew tells the view of one change of layout rather than of each range of rows that
// came or went: when one speaker's lines come back between the others', those are thousands.
void LineFilter::refilter() {
    invalidate();
}

void LineFilter::setShownTicked(bool ticked) {
    QList<int> rows;
    rows.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        rows << mapToSource(index(row, 0)).row();
    }
    lines_.setTicked(rows, ticked);
}

bool LineFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (speakerKey_ && lines_.speakerKeyAt(sourceRow) != *speakerKey_) {
        return false;
    }
    if (problemsOnly_ && !lines_.isProblemAt(sourceRow)) {
        return false;
    }
    if (searchText_.isEmpty()) {
        return true;
    }
    const FileListData& entry = lines_.entryAt(sourceRow);
    return entry.fileName().contains(searchText_, Qt::CaseInsensitive) ||
           entry.textRow().contains(searchText_, Qt::CaseInsensitive);
}

} // namespace brisomel
