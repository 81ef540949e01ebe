// The announcement of a captured pair, as both programs write and read it.
#include "model/WordPairAnnouncement.h"

#include <gtest/gtest.h>

using model::WordPair;
namespace announcement = model::announcement;

namespace
{

QVariantMap userInfo(const QVariant& cSpell, const QVariant& mSpell)
{
    return {{"addedWordPair", QVariantMap{{"cSpell", cSpell}, {"mSpell", mSpell}}}};
}

TEST(WordPairAnnouncement, WrittenAsTheOtherProgramReadsIt)
{
    const WordPair pair{"naïve", "naive"};
    EXPECT_EQ(announcement::toUserInfo(pair), userInfo("naïve", "naive"));
    EXPECT_EQ(announcement::fromUserInfo(announcement::toUserInfo(pair)), pair);
    // Other keys beside the pair are no reason to refuse it.
    QVariantMap extra = userInfo("receive", "recieve");
    extra.insert("source", "elsewhere");
    EXPECT_EQ(announcement::fromUserInfo(extra), (WordPair{"receive", "recieve"}));
    const QString longest(announcement::kMaxWordLength, u'a');
    EXPECT_EQ(announcement::fromUserInfo(userInfo(longest, "b")), (WordPair{longest, "b"}));
}

TEST(WordPairAnnouncement, AnythingButTwoWordsUnderTheKeyIsRefusedWithAReason)
{
    const QString tooLong(announcement::kMaxWordLength + 1, u'a');
    const QList<QVariantMap> refused{
        {},
        {{"addedWordPair", "text"}},
        {{"wordPair", QVariantMap{{"cSpell", "a"}, {"mSpell", "b"}}}},
        userInfo(42, "x"),
        userInfo("only", QVariant()),
        userInfo(QStringList{"a"}, "b"),
        userInfo(tooLong, "a"),
        userInfo("a", tooLong),
    };
    for (const QVariantMap& info : refused) {
        QString why;
        EXPECT_EQ(announcement::fromUserInfo(info, &why), std::nullopt) << qPrintable(why);
        EXPECT_FALSE(why.isEmpty());
    }
}

} // namespace
