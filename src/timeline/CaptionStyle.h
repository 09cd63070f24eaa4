#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace brisomel {

// An 8-bit-per-channel colour, as the style file spells it (#RRGGBB or #RRGGBBAA).
struct StyleColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    friend bool operator==(const StyleColor&, const StyleColor&) = default;
};

struct ShadowOffset {
    double x = 0;
    double y = 0;

    friend bool operator==(const ShadowOffset&, const ShadowOffset&) = default;
};

// How a speaker's captions look. The default is the title every caption had before styles
// existed; the outline and shadow values are written only when set, so the editor's own
// defaults apply to the ones left out.
struct CaptionStyle {
    QString font = QStringLiteral("Helvetica");
    QString face = QStringLiteral("Regular");
    double size = 72;
    StyleColor color{255, 255, 255, 255};
    std::optional<StyleColor> strokeColor;
    std::optional<double> strokeWidth;
    std::optional<StyleColor> shadowColor;
    std::optional<ShadowOffset> shadowOffset;
    std::optional<double> shadowBlur;

    friend bool operator==(const CaptionStyle&, const CaptionStyle&) = default;
};

// The name that stands for every speaker without a style of their own.
inline const QString kOtherSpeakers = QStringLiteral("*");

// Caption styles by speaker name. Names are keyed by their NFC form, as the builder keys a
// speaker's tracks, so two spellings of one name share a style.
class SpeakerStyles {
public:
    void set(const QString& speaker, const CaptionStyle& style);
    void remove(const QString& speaker);
    // The speaker's own style, if it has one.
    std::optional<CaptionStyle> find(const QString& speaker) const;
    // The speaker's own style, else the style of other speakers, else the default.
    CaptionStyle styleFor(const QString& speaker) const;

    // The names with a style, in code-unit order of their NFC forms.
    QStringList speakers() const { return styles_.keys(); }
    bool isEmpty() const { return styles_.isEmpty(); }

    friend bool operator==(const SpeakerStyles&, const SpeakerStyles&) = default;

private:
    QMap<QString, CaptionStyle> styles_;
};

} // namespace brisomel
