#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <vector>

namespace brisomel {

// The two kinds of Japanese type a caption is set in.
enum class FontKind { gothic, mincho };

// A Japanese font that ships with the editing platform, with its faces as the editor names them.
struct EditorFont {
    QString family;
    QStringList faces;
    FontKind kind;
};

// The editing platform's Japanese fonts. Documents are opened there, so these are offered even
// though this machine usually lacks them.
const std::vector<EditorFont>& editorFonts();

// The faces a family offers: the editing platform's for its fonts, else the installed family's.
QStringList fontFaces(const QString& family);

// The font the preview draws a family and face with, and whether it stands in for a family that
// is not installed here.
struct PreviewFont {
    QFont font;
    bool substitute = false;
};

// The family itself when it is installed; else an installed Japanese font of the same kind
// (gothic or mincho), as heavy as the face.
PreviewFont previewFont(const QString& family, const QString& face);

} // namespace brisomel
