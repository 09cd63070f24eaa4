#include "app/EditorFonts.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace brisomel {

namespace {

using namespace Qt::StringLiterals;

// How a family not in the editor's table reads: mincho when its name says so, else gothic.
FontKind kindOf(const QString& family) {
    for (const EditorFont& font : editorFonts()) {
        if (font.family == family) {
            return font.kind;
        }
    }
    static const QRegularExpression mincho(u"mincho|明朝|serif|ming|song"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    return mincho.match(family).hasMatch() ? FontKind::mincho : FontKind::gothic;
}

// The Japanese families each system ships, the preferred stand-ins, best first.
QStringList systemJapaneseFamilies(FontKind kind) {
    const bool mincho = kind == FontKind::mincho;
#if defined(Q_OS_MACOS)
    return mincho ? QStringList{u"Hiragino Mincho ProN"_s, u"YuMincho"_s}
                  : QStringList{u"Hiragino Sans"_s, u"Hiragino Kaku Gothic ProN"_s};
#elif defined(Q_OS_WIN)
    return mincho ? QStringList{u"Yu Mincho"_s, u"MS Mincho"_s}
                  : QStringList{u"Yu Gothic"_s, u"Meiryo"_s, u"MS Gothic"_s};
#else
    return mincho ? QStringList{u"Noto Serif CJK JP"_s} : QStringList{u"Noto Sans CJK JP"_s};
#endif
}

// The system's own Japanese family of the kind, else an installed one, a Japanese one of its own
// first; monospaced families are for code, not captions.
QString installedFamily(FontKind kind) {
    for (const QString& family : systemJapaneseFamilies(kind)) {
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    const auto fits = [kind](const QString& family, bool japaneseOnly) {
        return kindOf(family) == kind && !family.contains(u"Mono"_s) &&
               (!japaneseOnly || family.contains(u"JP"_s));
    };
    for (const bool japaneseOnly : {true, false}) {
        const auto found = std::find_if(families.begin(), families.end(),
                                        [&](const QString& f) { return fits(f, japaneseOnly); });
        if (found != families.end()) {
            return *found;
        }
    }
    return families.value(0, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

// The weight a face name stands for: W0 to W9 of the numbered families, or the usual names.
QFont::Weight faceWeight(const QString& face) {
    static const QRegularExpression numbered(u"^W([0-9])$"_s);
    if (const auto match = numbered.match(face); match.hasMatch()) {
        return QFont::Weight(std::min(900, 100 + match.captured(1).toInt() * 100));
    }
    static const std::array<std::pair<QLatin1StringView, QFont::Weight>, 9> named = {{
        {"Thin"_L1, QFont::Thin},
        {"ExtraLight"_L1, QFont::ExtraLight},
        {"Light"_L1, QFont::Light},
        {"Medium"_L1, QFont::Medium},
        {"Demibold"_L1, QFont::DemiBold},
        {"Semibold"_L1, QFont::DemiBold},
        {"Bold"_L1, QFont::Bold},
        {"Heavy"_L1, QFont::ExtraBold},
        {"Black"_L1, QFont::Black},
    }};
    for (const auto& [name, weight] : named) {
        if (face.compare(name, Qt::CaseInsensitive) == 0) {
            return weight;
        }
    }
    return QFont::Normal;
}

} // namespace

const std::vector<EditorFont>& editorFonts() {
    static const std::vector<EditorFont> fonts = {
        {u"Hiragino Sans"_s,
         {u"W0"_s, u"W1"_s, u"W2"_s, u"W3"_s, u"W4"_s, u"W5"_s, u"W6"_s, u"W7"_s, u"W8"_s, u"W9"_s},
         FontKind::gothic},
        {u"Hiragino Kaku Gothic ProN"_s, {u"W3"_s, u"W6"_s}, FontKind::gothic},
        {u"Hiragino Maru Gothic ProN"_s, {u"W4"_s}, FontKind::gothic},
        {u"Hiragino Mincho ProN"_s, {u"W3"_s, u"W6"_s}, FontKind::mincho},
        {u"YuGothic"_s, {u"Medium"_s, u"Bold"_s}, FontKind::gothic},
        {u"YuMincho"_s, {u"Medium"_s, u"Demibold"_s}, FontKind::mincho},
        {u"Osaka"_s, {u"Regular"_s}, FontKind::gothic},
    };
    return fonts;
}

QStringList fontFaces(const QString& family) {
    for (const EditorFont& font : editorFonts()) {
        if (font.family == family) {
            return font.faces;
        }
    }
    return QFontDatabase::styles(family);
}

PreviewFont previewFont(const QString& family, const QString& face) {
    if (QFontDatabase::hasFamily(family)) {
        QFont font(family);
        font.setStyleName(face);
        return {font, false};
    }
    QFont font(installedFamily(kindOf(family)));
    font.setWeight(faceWeight(face));
    return {font, true};
}

} // namespace brisomel
