#pragma once

#include <QSortFilterProxyModel>

#include <optional>

namespace brisomel {

class LineListModel;

// The lines shown in the list: those of one speaker, or of all, whose file name or caption holds
// the search text (ignoring case), and only those with a problem when asked.
class LineFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LineFilter(LineListModel& lines, QObject* parent = nullptr);

    // A name as LineListModel::speakers() gives it; nothing for every speaker.
    void setSpeaker(const std::optional<QString>& speaker);
    void setSearchText(const QString& text);
    void setProblemsOnly(bool problemsOnly);

    // Ticks or unticks the rows shown, leaving the others as they are.
    void setShownTicked(bool ticked);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void refilter();

    LineListModel& lines_;
    std::optional<QString> speakerKey_;
    QString searchText_;
    bool problemsOnly_ = false;
};

} // namespace brisomel
