#include "app/SpeakerStylesButton.h"

#include "app/SpeakerStylesDialog.h"
#include "intake/FileLists.h"

namespace brisomel {

SpeakerStylesButton::SpeakerStylesButton(const FileLists& fileLists, UserSettings& settings,
                                         QWidget* parent)
    : QPushButton(QStringLiteral("話者ごとのスタイル…"), parent), fileLists_(fileLists),
      settings_(settings) {
    setObjectName(QStringLiteral("speakerStylesButton"));
    setEnabled(fileLists.fileLists().has_value());
    connect(&fileLists, &FileLists::fileListsChanged, this,
            [this] { setEnabled(fileLists_.fileLists().has_value()); });
    connect(this, &QPushButton::clicked, this, &SpeakerStylesButton::openDialog);
}

void SpeakerStylesButton::openDialog() {
    if (!fileLists_.fileLists()) {
        return;
    }
    SpeakerStylesDialog dialog(*fileLists_.fileLists(), settings_, window());
    dialog.exec();
}

} // namespace brisomel
