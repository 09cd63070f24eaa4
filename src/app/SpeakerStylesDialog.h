#pragma once

#include "intake/FileListData.h"
#include "timeline/CaptionStyle.h"

#include <QDialog>
#include <QList>

class QPushButton;

namespace brisomel {

class SpeakerStyleEditor;
class UserSettings;

// "話者ごとのスタイル": one editor per speaker of the loaded folder, in the folder's order. Every
// edit is stored in the user's settings at once; styles move to and from style files.
class SpeakerStylesDialog : public QDialog {
    Q_OBJECT
public:
    SpeakerStylesDialog(const FileList& entries, UserSettings& settings, QWidget* parent = nullptr);

    const QList<SpeakerStyleEditor*>& editors() const { return editors_; }

    // The styles of the listed speakers that differ from the default, as a file holds them.
    SpeakerStyles shownStyles() const;
    // Gives each listed speaker its style from the file (the style for other speakers when the
    // file does not name it); speakers the file has no style for keep theirs.
    void applyStyles(const SpeakerStyles& styles);

public slots:
    void importStyles();
    void exportStyles();

private:
    void storeEdit(const QString& speaker, const CaptionStyle& style);

    UserSettings& settings_;
    QList<SpeakerStyleEditor*> editors_;
};

} // namespace brisomel
