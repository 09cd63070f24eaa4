#pragma once

#include <QString>

namespace brisomel {

// Texts in plain code-point order of their NFC forms: case-sensitive, no locale rules, no
// numeric awareness ("10_x" < "2_x" < "B" < "a").
bool codePointLess(const QString& a, const QString& b);

// The same order on texts that are already NFC, for sorting with keys computed once.
bool nfcCodePointLess(const QString& a, const QString& b);

// Canonical equivalence.
bool canonicallyEqual(const QString& a, const QString& b);

} // namespace brisomel
