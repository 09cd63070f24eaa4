#include "intake/TextOrder.h"

#include "IntakeTestSupport.h"

#include <gtest/gtest.h>

namespace brisomel {
namespace {

using test::q;

TEST(TextOrder, PlainCodePointOrderWithoutLocaleOrNumericRules) {
    EXPECT_TRUE(codePointLess(q(u"10_x"), q(u"2_x")));
    EXPECT_TRUE(codePointLess(q(u"2_x"), q(u"B")));
    EXPECT_TRUE(codePointLess(q(u"B"), q(u"a")));
    EXPECT_FALSE(codePointLess(q(u"a"), q(u"B")));
    EXPECT_TRUE(codePointLess(q(u"10"), q(u"9")));
}

TEST(TextOrder, StrictLessThanAndPrefixes) {
    EXPECT_FALSE(codePointLess(q(u"voice"), q(u"voice")));
    EXPECT_TRUE(codePointLess(q(u"voice"), q(u"voice2")));
    EXPECT_FALSE(codePointLess(q(u"voice2"), q(u"voice")));
    EXPECT_TRUE(codePointLess(QString(), q(u"a")));
    EXPECT_FALSE(codePointLess(QString(), QString()));
}

TEST(TextOrder, SupplementaryCharactersComeAfterTheWholeBasicPlane) {
    const QString fullWidthTilde = QString(QChar(0xFF5E));          // ～
    const QString supplementary = QString::fromUcs4(U"\U0002000B"); // 𠀋, surrogates D840 DC0B
    ASSERT_TRUE(supplementary < fullWidthTilde); // what UTF-16 code-unit order would say
    EXPECT_TRUE(codePointLess(fullWidthTilde, supplementary));
    EXPECT_FALSE(codePointLess(supplementary, fullWidthTilde));
    EXPECT_TRUE(nfcCodePointLess(QString(QChar(0xE000)), supplementary));
    EXPECT_TRUE(nfcCodePointLess(QString(QChar(0xD7FF)), supplementary));
    EXPECT_TRUE(nfcCodePointLess(QString::fromUcs4(U"\U00010000"), supplementary));
}

TEST(TextOrder, ComparesNfcForms) {
    const QString decomposed = q(u"e\u0301"); // e + combining acute: NFC is U+00E9
    EXPECT_TRUE(decomposed < q(u"f"));
    EXPECT_TRUE(codePointLess(q(u"f"), decomposed));
    EXPECT_FALSE(codePointLess(q(u"\u00E9"), decomposed));
    EXPECT_FALSE(codePointLess(decomposed, q(u"\u00E9")));
}

TEST(TextOrder, CanonicalEquivalence) {
    EXPECT_TRUE(canonicallyEqual(q(u"\u00E9"), q(u"e\u0301")));
    EXPECT_TRUE(canonicallyEqual(q(u"A"), q(u"A")));
    EXPECT_FALSE(canonicallyEqual(q(u"A"), q(u"a")));
    EXPECT_FALSE(canonicallyEqual(q(u"\uFF21"), q(u"A"))); // compatibility only, not canonical
}

} // namespace
} // namespace brisomel
