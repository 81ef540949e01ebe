// The similarity score and the gate a typed correction must pass.
#include "typewarden/capture/StringScore.h"
#include "typewarden/capture/TextParsingHelperMethods.h"

#include <gtest/gtest.h>

using namespace typewarden;

TEST(Score, KnownCorrectionsScoreAsExpected)
{
    // recieve -> receive: 4.3 over 7 characters, plus the start bonus.
    EXPECT_NEAR(TextParsingHelperMethods::fuzzyTest("recieve", "receive"), 0.7643, 0.00005);
    EXPECT_NEAR(TextParsingHelperMethods::fuzzyTest("form", "from"), 0.625, 1e-9);
    EXPECT_NEAR(TextParsingHelperMethods::fuzzyTest("house", "horse"), 0.69, 1e-9);
    // The gate lowercases for scoring only.
    EXPECT_NEAR(TextParsingHelperMethods::fuzzyTest("Recieve", "receive"), 0.7643, 0.00005);
}

TEST(Score, TheGateNeedsFourLettersAndAtMostOneLetterOfDifference)
{
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest("teh", "the"), 0.0);
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest("recieve", "receiving"), 0.0);
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest("word", ""), 0.0);
    EXPECT_GT(TextParsingHelperMethods::fuzzyTest("recieve", "receiv"), 0.0);
    // A "word" longer than any word is refused before it is scored, however alike the two are.
    const QString longest = QString(TextParsingHelperMethods::kLongestWord, u'a');
    EXPECT_GT(TextParsingHelperMethods::fuzzyTest(longest, longest.left(99) + u'b'), 0.3);
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest(longest + u'a', longest + u'b'), 0.0);
    const QString pasted = QString(98000, u'x');
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest(pasted + u'y', pasted + u'z'), 0.0);
    // Punctuation does not count: equal words score 1.0, which the gate refuses.
    EXPECT_EQ(TextParsingHelperMethods::fuzzyTest("dont", "don't"), 1.0);
    EXPECT_FALSE(TextParsingHelperMethods::passesGate(1.0));
    EXPECT_TRUE(TextParsingHelperMethods::passesGate(0.3));
    EXPECT_FALSE(TextParsingHelperMethods::passesGate(0.29));
    EXPECT_FALSE(TextParsingHelperMethods::passesGate(std::numeric_limits<double>::infinity()));
}

TEST(Score, OptionsFuzzinessAndSpecialStrings)
{
    // Without fuzziness a missing character ends the score at 0.
    EXPECT_EQ(score::scoreAgainst("abc", "abx"), 0.0);
    EXPECT_GT(score::scoreAgainst("abc", "abx", 1.0), 0.0);
    // Half fuzziness divides by the misses.
    EXPECT_LT(score::scoreAgainst("abcd", "abxd", 0.5), score::scoreAgainst("abcd", "abxd", 1.0));
    EXPECT_EQ(score::scoreAgainst("abc", ""), 0.0);
    EXPECT_EQ(score::scoreAgainst("caf\u00e9", "cafe\u0301"), 1.0); // composed or not
    // A match right after a space scores more than one in the middle of a word.
    EXPECT_GT(score::scoreAgainst("ab cd", "c"), score::scoreAgainst("abxcd", "c"));
    // Option 2 divides by the receiver's length.
    EXPECT_NEAR(score::scoreAgainst("abcd", "ab", std::nullopt, score::NormaliseByReceiverLength),
                1.6 / 4, 1e-9);
}

TEST(HandOver, EqualWordsAreNotHandedOver)
{
    QList<model::WordPair> handed;
    TextParsingHelperMethods helper([&](const model::WordPair& pair) { handed << pair; });
    helper.sendCorrectionToList("receive", "receive");
    helper.sendCorrectionToList("Recieve", "receive");
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], (model::WordPair{"receive", "Recieve"}));
}
