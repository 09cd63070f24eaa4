#include "intake/TextOrder.h"

#include <algorithm>

namespace brisomel {

namespace {

// UTF-16 code units order supplementary characters (surrogates, 0xD800-0xDFFF) before
// U+E000-U+FFFF. Moving the surrogates above 0xFFFF and the rest of 0xE000-0xFFFF down restores
// code-point order at the first differing unit; below 0xD800 units and code points agree.
char32_t codePointOrderKey(char16_t unit) {
    if (unit >= 0xE000) {
        return unit - 0x800;
    }
    if (unit >= 0xD800) {
        return unit + 0x2000;
    }
    return unit;
}

} // namespace

bool nfcCodePointLess(const QString& a, const QString& b) {
    const auto [ia, ib] = std::mismatch(a.cbegin(), a.cend(), b.cbegin(), b.cend());
    if (ib == b.cend()) {
        return false; // b is a prefix of a (or equal)
    }
    if (ia == a.cend()) {
        return true; // a is a proper prefix of b
    }
    return codePointOrderKey(ia->unicode()) < codePointOrderKey(ib->unicode());
}

bool codePointLess(const QString& a, const QString& b) {
    return nfcCodePointLess(a.normalized(QString::NormalizationForm_C),
                            b.normalized(QString::NormalizationForm_C));
}

bool canonicallyEqual(const QString& a, const QString& b) {
    return a == b ||
           a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

} // namespace brisomel
