#include "wrap/PhraseScorer.h"

#include <gtest/gtest.h>

using namespace brisomel;
using namespace Qt::StringLiterals;

// Each feature looks at its own characters around the place, and half of all weights count
// against a break: here -60, so only the triple "xab" before "c" makes a break.
TEST(PhraseScorer, SumsTheWeightsAroundEachPlaceAgainstHalfOfAll) {
    const Result<PhraseScorer> scorer = PhraseScorer::fromJson(R"({
        "UW1": {"a": 1}, "UW4": {"b": 6}, "BW2": {"ab": 10}, "TW4": {"bcd": 3},
        "TW1": {"xab": 100}, "XX9": {"c": 1000}})");
    ASSERT_TRUE(scorer);
    std::vector<int> scores;
    for (qsizetype at = 1; at < 5; ++at) {
        scores.push_back(scorer->score(u"xabcd", at));
    }
    EXPECT_EQ(scores, (std::vector<int>{-560, -541, -460, -559}));
}

TEST(PhraseScorer, TheBundledModelLoadsAndAMalformedOneFails) {
    EXPECT_TRUE(PhraseScorer::japanese());
    EXPECT_FALSE(PhraseScorer::fromJson("[1, 2]"));
}
