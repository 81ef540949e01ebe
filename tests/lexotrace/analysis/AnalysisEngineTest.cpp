// The analysis of captured pairs against a curriculum, through the engine's public steps.
#include "lexotrace/analysis/AnalysisEngine.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace lexotrace;

namespace
{

// A lesson row: words and bits by slot (an empty word is an absent slot), in unit level-unit.
LessonRowValues lesson(const QString& level, const QString& unit,
                       const QList<std::pair<QString, QString>>& wordBits,
                       const QString& rule = "rule", const QString& code = "7")
{
    LessonRowValues row;
    for (int i = 0; i < wordBits.size() && i < 5; ++i) {
        if (!wordBits[i].first.isEmpty())
            row.words[i] = wordBits[i].first;
        row.bits[i] = wordBits[i].second;
    }
    row.levelNumber = level;
    row.unitNumber = unit;
    row.generalRule = rule + " " + level + "-" + unit;
    row.generalRuleCode = code;
    return row;
}

struct Analysis {
    QList<AnalysisRow> rows;
    QList<bool> waited;
    QStringList calls;

    Analysis(const QList<LessonRowValues>& lessons, const QList<ErrorEntry>& pairs,
             bool index = true)
    {
        AnalysisEngine engine(std::make_shared<const LessonsSnapshot>(lessons),
                              {[this](const AnalysisRow& r, bool wait) {
                                   rows << r;
                                   waited << wait;
                                   calls << "append";
                               },
                               [this] { calls << "begin"; }, [this] { calls << "end"; },
                               [this] { calls << "scroll"; }});
        engine.setUseIndex(index);
        engine.analyse(pairs);
    }
    QStringList summary() const
    {
        QStringList out;
        for (const auto& r : rows)
            out << QStringList{r.cSpell, r.mSpell, r.rootCSpell, AnalysisRow::text(r.reference),
                               AnalysisRow::text(r.generalRule)}
                       .join('|');
        return out;
    }
};

} // namespace

TEST(BitTest, PositiveNegativeAndEmptyBits)
{
    EXPECT_TRUE(AnalysisEngine::isReported("ie", "recieve") == false);
    EXPECT_TRUE(AnalysisEngine::isReported("ei", "recieve"));
    EXPECT_TRUE(AnalysisEngine::isReported("", "anything"));  // empty bit: always reported
    EXPECT_TRUE(AnalysisEngine::isReported("-e", "hopeing")); // the letter left out is there
    EXPECT_FALSE(AnalysisEngine::isReported("-e", "hoping"));
    EXPECT_FALSE(AnalysisEngine::isReported("-", "hoping"));         // nothing after the hyphen
    EXPECT_FALSE(AnalysisEngine::isReported("CK", "back") == false); // case-sensitive
}

TEST(MainPass, ABrokenBitYieldsOneRowWithTheLessonOfThatRow)
{
    const QList<LessonRowValues> lessons{lesson(
        "3", "12", {{"believe", "ie"}, {"receive", "ei"}, {"ceiling", "ei"}}, "i before e", "21")};
    Analysis broken(lessons, {{"receive", "recieve"}});
    ASSERT_EQ(broken.rows.size(), 1);
    const AnalysisRow& row = broken.rows[0];
    EXPECT_EQ(row.reference, "3-12");
    EXPECT_EQ(row.levelNumber, "3");
    EXPECT_EQ(row.unitNumber, "12");
    EXPECT_EQ(row.generalRule, "i before e 3-12");
    EXPECT_EQ(row.generalRuleCode, "21");
    EXPECT_EQ(row.cSpell, "receive");
    EXPECT_EQ(row.mSpell, "recieve");
    EXPECT_EQ(row.rootCSpell, "");
    EXPECT_EQ(broken.calls, (QStringList{"begin", "append", "end", "scroll"}));

    // The pattern kept and no root found: a likely typo. (A word starting with a listed prefix,
    // like receive, never gets one.)
    EXPECT_TRUE(Analysis(lessons, {{"receive", "receiv"}}).rows.isEmpty());
    Analysis kept(lessons, {{"ceiling", "ceilng"}});
    ASSERT_EQ(kept.rows.size(), 1);
    EXPECT_EQ(kept.rows[0].generalRule, AnalysisRow::kLikelyTypo);
    EXPECT_FALSE(kept.rows[0].reference.has_value());
    EXPECT_EQ(kept.rows[0].levelNumber, "0");
}

TEST(MainPass, EveryBrokenLessonGivesItsOwnRow)
{
    const QList<LessonRowValues> lessons{lesson("1", "2", {{"hopping", "pp"}}),
                                         lesson("2", "5", {{"jumping", "x"}, {"hopping", "ing"}}),
                                         lesson("4", "1", {{"hopping", ""}}),
                                         lesson("4", "2", {{"hopping", "-e"}})};
    Analysis run(lessons, {{"hopping", "hoping"}});
    EXPECT_EQ(run.summary(),
              (QStringList{"hopping|hoping||1-2|rule 1-2", "hopping|hoping||4-1|rule 4-1"}));
    Analysis negative(lessons, {{"hopping", "hopeing"}});
    EXPECT_EQ(negative.summary(),
              (QStringList{"hopping|hopeing||1-2|rule 1-2", "hopping|hopeing||4-1|rule 4-1",
                           "hopping|hopeing||4-2|rule 4-2"}));
}

TEST(MainPass, ApostrophesInWordsAndBits)
{
    const QList<LessonRowValues> lessons{
        lesson("6", "2", {{"don't", "'"}, {"can't", "'"}}, "contractions"),
        lesson("6", "3", {{"dog's", "'s"}}, "possessives")};
    const Analysis typed(lessons,
                         {{"don't", "dont"}, {"dog\u2019s", "dogs"}, {"can\u2019t", "cant"}});
    EXPECT_EQ(typed.summary(),
              (QStringList{"don't|dont||6-2|contractions 6-2", "dog's|dogs||6-3|possessives 6-3",
                           "can't|cant||6-2|contractions 6-2"}));
}

TEST(Fallbacks, NotListedLikelyTypoAndNothing)
{
    const QList<LessonRowValues> lessons{lesson("1", "1", {{"cat", "a"}})};
    Analysis notListed(lessons, {{"dog", "dgo"}});
    ASSERT_EQ(notListed.rows.size(), 1);
    EXPECT_EQ(notListed.rows[0].generalRule, AnalysisRow::kNotListed);
    EXPECT_EQ(notListed.waited, QList<bool>{true}); // only this row is appended synchronously
    EXPECT_TRUE(Analysis(lessons, {{"dog", "dog"}}).rows.isEmpty());
    // A correct spelling with a listed prefix never gets a fallback row.
    EXPECT_TRUE(Analysis(lessons, {{"rewrite", "rewrit"}}).rows.isEmpty());
    EXPECT_TRUE(Analysis(lessons, {{"understand", "understnd"}}).rows.isEmpty());
    // Roots shorter than four letters are not tried: "cats" leaves "cat".
    EXPECT_EQ(Analysis(lessons, {{"cats", "cts"}}).rows.first().generalRule,
              AnalysisRow::kNotListed);
    // An empty list only runs the indicator and the scroll.
    EXPECT_EQ(Analysis(lessons, {}).calls, (QStringList{"begin", "end", "scroll"}));
}

TEST(RootWords, SuffixesAndPrefixesLeadToTheRootsLesson)
{
    const QList<LessonRowValues> lessons{lesson("2", "3", {{"hope", "e"}}),
                                         lesson("2", "4", {{"Hope", ""}}),
                                         lesson("5", "1", {{"write", "w"}})};
    // "ful" leaves hope / hop (which lacks the e); "ul" leaves hopef, which no lesson holds.
    Analysis hopeful(lessons, {{"hopeful", "hopful"}});
    EXPECT_EQ(hopeful.summary(), QStringList{"hopeful|hopful|hope|2-3|rule 2-3"});

    // Rows found through a root carry lowercased words.
    Analysis upper(lessons, {{"HOPEFUL", "HOPFUL"}});
    EXPECT_EQ(upper.summary(), QStringList{"hopeful|hopful|hope|2-3|rule 2-3"});

    // A prefix and a suffix: rewrites -> write(s) -> root "write" with the w left out.
    Analysis rewrites(lessons, {{"rewrites", "rerites"}});
    EXPECT_EQ(rewrites.summary(), QStringList{"rewrites|rerites|write|5-1|rule 5-1"});

    // The lookup is case-sensitive: "Hope" is never reached from a lowercased root.
    for (const auto& r : hopeful.rows)
        EXPECT_NE(r.reference, "2-4");
}

TEST(Lookup, WildcardsInTheCorrectSpellingMatchLessonWords)
{
    const QList<LessonRowValues> lessons{lesson("1", "1", {{"hope", "e"}}),
                                         lesson("1", "2", {{"hopeful", "ful"}}),
                                         lesson("1", "3", {{"hop", "o"}})};
    EXPECT_EQ(Analysis(lessons, {{"hop*", "xyz"}}).rows.size(), 3);
    EXPECT_EQ(Analysis(lessons, {{"ho?e", "xyz"}}).summary(),
              QStringList{"ho?e|xyz||1-1|rule 1-1"});
    EXPECT_TRUE(Analysis(lessons, {{"Hope", "Hpe"}}).rows.first().isFallback());
}

// The index must give exactly what the plain filter gives, in the same order, whatever the
// curriculum and the pairs.
TEST(Lookup, IndexedAndPlainLookupsAgree)
{
    std::mt19937 random(20261206);
    const QStringList alphabet{"a", "b",   "e",  "i",   "h", "o", "p",
                               "s", "ful", "re", "ing", "*", "?"};
    auto word = [&](int maxParts, bool wild) {
        QString w;
        const int parts = 1 + int(random() % maxParts);
        for (int i = 0; i < parts; ++i) {
            QString piece = alphabet[random() % (alphabet.size() - (wild ? 0 : 2))];
            w += random() % 7 == 0 ? piece.toUpper() : piece;
        }
        return w;
    };
    int lessonRows = 0, rootRows = 0;
    for (int round = 0; round < 30; ++round) {
        QList<LessonRowValues> lessons;
        const int rows = 1 + int(random() % 200);
        for (int r = 0; r < rows; ++r) {
            QList<std::pair<QString, QString>> wordBits;
            for (int s = 0; s < 5; ++s) {
                const QString w = random() % 4 == 0 ? QString() : word(4, false);
                const QString bit = random() % 5 == 0 ? "-" + word(1, false) : w.mid(0, 2);
                wordBits.append({w, bit});
            }
            lessons.append(lesson(QString::number(random() % 5 + 1),
                                  QString::number(random() % 12 + 1), wordBits));
        }
        QList<ErrorEntry> pairs;
        for (int p = 0; p < 40; ++p) {
            // Correct spellings are often lesson words, sometimes with wildcards or affixes.
            const auto& source = lessons[random() % lessons.size()].words[random() % 5];
            QString c = source && random() % 3 ? *source : word(5, random() % 6 == 0);
            if (random() % 5 == 0)
                c = (random() % 2 ? "re" : "") + c + (random() % 2 ? "ful" : "ing");
            // Misspellings are mostly the correct spelling with one letter dropped.
            QString m = c;
            if (random() % 4 && !m.isEmpty())
                m.remove(int(random() % m.size()), 1);
            else
                m = word(5, false);
            pairs.append({c, m});
        }
        const Analysis indexed(lessons, pairs, true);
        const Analysis plain(lessons, pairs, false);
        ASSERT_EQ(indexed.rows, plain.rows) << "round " << round;
        ASSERT_EQ(indexed.waited, plain.waited);
        for (const auto& r : indexed.rows) {
            lessonRows += r.isFallback() ? 0 : 1;
            rootRows += r.rootCSpell.isEmpty() ? 0 : 1;
        }
        const LessonsSnapshot snapshot(lessons);
        for (int column = 1; column <= 5; ++column)
            for (const auto& pair : pairs)
                ASSERT_EQ(snapshot.lookup(column, pair.cSpell),
                          snapshot.lookupByScan(column, pair.cSpell));
    }
    // The comparison covered direct and root matches, not only fallbacks.
    EXPECT_GT(lessonRows, 100);
    EXPECT_GT(rootRows, 5);
}
