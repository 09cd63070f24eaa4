#include "fcpxml/TextStyleRow.h"

#include "fcpxml/DocumentRows.h"

namespace brisomel {

namespace {

const QString kDefaultElement =
    QStringLiteral(R"(<text-style font="Helvetica" fontSize="72" fontFace="Regular" )"
                   R"(fontColor="1 1 1 1" alignment="center"/>)");

QString attribute(QStringView name, const QString& value) {
    return QStringLiteral(" %1=\"%2\"").arg(name, value);
}

} // namespace

QString formatStyleNumber(double value) {
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString formatStyleAngle(double degrees) {
    const QString text = formatStyleNumber(normalizedAngle(degrees));
    // Just below a whole turn rounds up to it.
    return text == QLatin1String("360") ? QStringLiteral("0") : text;
}

QString formatStyleColor(StyleColor color) {
    const auto channel = [](std::uint8_t value) { return formatStyleNumber(value / 255.0); };
    return QStringList{channel(color.red), channel(color.green), channel(color.blue),
                       channel(color.alpha)}
        .join(u' ');
}

QString textStyleElement(const CaptionStyle& style) {
    // Nearly every title is in the default style: it costs no formatting.
    if (style == CaptionStyle{}) {
        return kDefaultElement;
    }
    QString element = QStringLiteral("<text-style");
    element += attribute(u"font", attributeText(style.font));
    element += attribute(u"fontSize", formatStyleNumber(style.size));
    element += attribute(u"fontFace", attributeText(style.face));
    element += attribute(u"fontColor", formatStyleColor(style.color));
    if (style.outline) {
        // A negative width draws the outline around the filled letters; a positive one would
        // draw the outline alone, leaving the letters hollow.
        element += attribute(u"strokeColor", formatStyleColor(style.outline->color));
        element += attribute(u"strokeWidth", formatStyleNumber(-style.outline->width));
    }
    if (style.shadow) {
        // Every shadow value is written, so no value rests on a default no document shows.
        element += attribute(u"shadowColor", formatStyleColor(style.shadow->color));
        element += attribute(u"shadowOffset", formatStyleNumber(style.shadow->distance) + u' ' +
                                                  formatStyleAngle(style.shadow->angle));
        element += attribute(u"shadowBlurRadius", formatStyleNumber(style.shadow->blur));
    }
    element += QStringLiteral(R"( alignment="center"/>)");
    return element;
}

} // namespace brisomel
