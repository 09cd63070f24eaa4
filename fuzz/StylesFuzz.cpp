// Arbitrary bytes as a style file and as a style kept in the settings: a clean refusal, or
// styles whose every number lies in its range and whose text-style element is well-formed, with
// the outline's width negative and the shadow's offset a distance and an angle in [0, 360); a
// file written from the styles reads back as the same styles.

#include "fcpxml/TextStyleRow.h"
#include "styles/StyleFile.h"

#include <QJsonDocument>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstdlib>

using namespace brisomel;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The attribute's value as a number; the text must be a plain decimal, as the editor reads it.
double numberAttribute(xmlNodePtr element, const char* name, int index = 0) {
    xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
    check(value != nullptr);
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(value)).split(QLatin1Char(' '));
    xmlFree(value);
    check(index < parts.size());
    bool ok = false;
    const double number = parts.at(index).toDouble(&ok);
    check(ok && !parts.at(index).contains(QLatin1Char('e')));
    return number;
}

void checkElement(const CaptionStyle& style) {
    const QByteArray element = textStyleElement(style).toUtf8();
    xmlDocPtr parsed =
        xmlReadMemory(element.constData(), static_cast<int>(element.size()), "style.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    check(parsed != nullptr);
    xmlNodePtr root = xmlDocGetRootElement(parsed);
    check(kFontSizeRange.contains(numberAttribute(root, "fontSize")));
    if (style.outline) {
        check(-numberAttribute(root, "strokeWidth") >= 0);
        check(-numberAttribute(root, "strokeWidth") <= kOutlineWidthRange.maximum);
    }
    if (style.shadow) {
        check(kShadowDistanceRange.contains(numberAttribute(root, "shadowOffset", 0)));
        const double angle = numberAttribute(root, "shadowOffset", 1);
        check(angle >= 0 && angle < 360);
        check(kShadowBlurRange.contains(numberAttribute(root, "shadowBlurRadius")));
    }
    xmlFreeDoc(parsed);
}

void checkStyle(const CaptionStyle& style) {
    check(kFontSizeRange.contains(style.size));
    if (style.outline) {
        check(kOutlineWidthRange.contains(style.outline->width));
    }
    if (style.shadow) {
        check(kShadowDistanceRange.contains(style.shadow->distance));
        check(style.shadow->angle >= 0 && style.shadow->angle < 360);
        check(kShadowBlurRange.contains(style.shadow->blur));
    }
    checkElement(style);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = QStringLiteral("fuzz.json");
    if (const Result<SpeakerStyles> styles = parseStyleFile(bytes, path)) {
        for (const QString& speaker : styles->speakers()) {
            checkStyle(*styles->find(speaker));
        }
        const Result<SpeakerStyles> again = parseStyleFile(styleFileText(*styles), path);
        check(again && *again == *styles);
    } else {
        check(styles.failure().message().contains(path));
    }
    // The same bytes as one stored style: out-of-range numbers are brought into range.
    const QJsonDocument stored = QJsonDocument::fromJson(bytes);
    if (const Result<CaptionStyle> style =
            parseStyleEntry(stored.object(), QStringLiteral("x"), OutOfRange::clamp)) {
        checkStyle(*style);
    }
    return 0;
}
