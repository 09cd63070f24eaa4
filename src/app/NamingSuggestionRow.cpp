#include "app/NamingSuggestionRow.h"

#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "intake/FileLists.h"
#include "intake/NamingSuggestion.h"
#include "settings/UserSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <vector>

namespace brisomel {

NamingSuggestionRow::NamingSuggestionRow(UserSettings& settings, const FileLists& fileLists,
                                         QWidget* parent)
    : QWidget(parent), settings_(settings), fileLists_(fileLists), text_(new QLabel(this)),
      useButton_(new QPushButton(QStringLiteral("この形式にする"), this)) {
    text_->setObjectName(QStringLiteral("namingSuggestion"));
    text_->setFont(footnoteFont(text_->font()));
    text_->setWordWrap(true);
    useButton_->setObjectName(QStringLiteral("useSuggestedNamingButton"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(text_, 1);
    row->addWidget(useButton_);
    offer();
    connect(&fileLists, &FileLists::fileListsChanged, this, &NamingSuggestionRow::offer);
    connect(useButton_, &QPushButton::clicked, this,
            [this] { settings_.setNamingRule(suggested_); });
}

void NamingSuggestionRow::offer() {
    std::vector<NamingSample> lines;
    lines.reserve(fileLists_.lines().size());
    for (const FileListPtr& line : fileLists_.lines()) {
        lines.push_back({line->fileName(), line->textRow()});
    }
    const NamingRule chosen =
        NamingRule::chosen(settings_.namingRule(), settings_.namingTemplate());
    const std::optional<NamingSuggestion> suggestion = suggestNamingRule(lines);
    const bool better = suggestion && suggestion->rule.name != chosen.name() &&
                        suggestion->speakerCount > speakersFound(chosen, lines);
    suggested_ = better ? suggestion->rule.name : QString();
    if (better) {
        text_->setText(QStringLiteral("この形式が合いそうです: %1（話者 %2 人）")
                           .arg(presentation(suggestion->rule.kind).label.toString())
                           .arg(suggestion->speakerCount));
    }
    setVisible(better);
}

} // namespace brisomel
