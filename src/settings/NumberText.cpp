#include "settings/NumberText.h"

#include <QByteArray>

#include <clocale>
#include <cstdlib>

#if defined(_WIN32)
#include <locale.h>
#elif defined(__APPLE__)
#include <xlocale.h>
#endif

namespace brisomel {

namespace {

// The C locale, so that "1.5" reads the same on a German or French desktop.
#if defined(_WIN32)
using CLocale = _locale_t;
CLocale cLocale() {
    static const CLocale locale = _create_locale(LC_NUMERIC, "C");
    return locale;
}
double toDouble(const char* text, char** end) {
    return _strtod_l(text, end, cLocale());
}
float toFloat(const char* text, char** end) {
    return _strtof_l(text, end, cLocale());
}
#else
using CLocale = locale_t;
CLocale cLocale() {
    static const CLocale locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return locale;
}
double toDouble(const char* text, char** end) {
    return strtod_l(text, end, cLocale());
}
float toFloat(const char* text, char** end) {
    return strtof_l(text, end, cLocale());
}
#endif

bool startsWithBlank(const QString& text) {
    switch (text.front().unicode()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return true;
    default:
        return false;
    }
}

// Runs the conversion and accepts only when it consumed every byte of the text.
template <typename Number, typename Convert>
std::optional<Number> parseWhole(const QString& text, Convert convert) {
    if (text.isEmpty() || startsWithBlank(text)) {
        return std::nullopt;
    }
    const QByteArray bytes = text.toUtf8();
    char* end = nullptr;
    const Number value = convert(bytes.constData(), &end);
    if (end != bytes.constData() + bytes.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<float> parseFloatText(const QString& text) {
    return parseWhole<float>(text, toFloat);
}

std::optional<double> parseDoubleText(const QString& text) {
    return parseWhole<double>(text, toDouble);
}

} // namespace brisomel
