// The analysis window's controller over real stores: the window-load run on its own thread and
// the runs for announced pairs.
#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "tests/lexotrace/analysis/AnalysisFixture.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace lexotrace;

namespace
{

QStringList summary(const AnalysisRowsModel& rows)
{
    QStringList out;
    for (const auto& r : rows.rows())
        out << QStringList{r.cSpell, r.mSpell, r.rootCSpell, AnalysisRow::text(r.reference)}.join(
            '|');
    return out;
}

QVariantMap announcement(const QVariant& c, const QVariant& m)
{
    return {{"addedWordPair", QVariantMap{{"cSpell", c}, {"mSpell", m}}}};
}

} // namespace

TEST(AnalysisController, StoredPairsAreAnalysedOldestFirstOnTheirOwnThread)
{
    // Stored newest first: the list must come out in time order, the reverse.
    testsupport::AnalysisFixture f(
        {{"don't", "dont"}, {"hopeful", "hopful"}, {"receive", "recieve"}, {"zyzzyva", "zyzyva"}});
    auto& controller = f.open();
    EXPECT_FALSE(controller.isAnalysing());
    // The factory course teaches hopeful in 6-4 (keep the e, bit "eful"), receive both in 9-6
    // (ei after c, bit "cei") and in 13-4 (the root ceive), and don't with the contractions in 5-6
    // (bit "n't").
    EXPECT_EQ(summary(controller.matchedWordsArrayController()),
              (QStringList{"zyzzyva|zyzyva||<null>", "receive|recieve||9-6",
                           "receive|recieve||13-4", "hopeful|hopful||6-4", "don't|dont||5-6"}));
    EXPECT_EQ(f.app.wordErrorDBase(), controller.spellErrorModel().wordErrorDBase());
    EXPECT_TRUE(f.alerts.shown.isEmpty());

    // Opening a lesson from the window brings up the application's lessons window.
    ASSERT_EQ(f.app.spellLessonsWindowController(), nullptr);
    controller.analysisWindowController().showLessonsWindow();
    ASSERT_NE(f.app.spellLessonsWindowController(), nullptr);
    EXPECT_TRUE(f.app.spellLessonsWindowController()->window()->isVisible());
}

TEST(AnalysisController, ALongListReachesTheWindowWithTheEnginesRowsInTheEnginesOrder)
{
    // Course words with a letter dropped, doubled or changed, and words no lesson has: lesson
    // rows, root-word rows, likely typos and not-listed rows, several thousand in all.
    testsupport::AnalysisFixture f({});
    const auto lessons =
        f.stores.lessons.context->fetch(platform::FetchRequest::all(model::entity::RelatedWords))
            .value_or(QList<platform::ManagedObject*>{});
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i < lessons.size() && pairs.size() < 6000; i += 7) {
        const QString word = lessons[i]->string(model::key::word(1));
        if (word.size() < 4)
            continue;
        const qsizetype at = i % (word.size() - 1);
        pairs.append({word, QString(word).remove(at, 1)});
        pairs.append({word, QString(word).insert(at, word[at])});
        pairs.append({word + "ness", QString(word).replace(at, 1, u'q') + "ness"});
        pairs.append({"zq" + word, "zq" + word.left(at)});
    }
    f.store(pairs);

    QList<ErrorEntry> oldestFirst;
    for (auto it = pairs.crbegin(); it != pairs.crend(); ++it)
        oldestFirst.append({it->first, it->second});
    AnalysisRowsModel expected;
    AnalysisEngine(LessonsSnapshot::fromRows(lessons),
                   {[&](const AnalysisRow& row, bool) { expected.append(row); }, {}, {}, {}})
        .analyse(oldestFirst);
    ASSERT_GT(expected.rows().size(), 5000);

    // Rows come in batches: far fewer insertions than rows.
    f.app.showSpellErrorAnalysisWindow();
    auto& controller = *f.app.spellErrorAnalysisController();
    QSignalSpy inserted(&controller.matchedWordsArrayController(),
                        &AnalysisRowsModel::rowsInserted);
    controller.waitForBackgroundRun();
    EXPECT_EQ(summary(controller.matchedWordsArrayController()), summary(expected));
    EXPECT_LT(inserted.size(), expected.rows().size() / 10);
}

TEST(AnalysisController, AnnouncedPairsAreAppendedAfterTheStoredOnes)
{
    testsupport::AnalysisFixture f(QList<std::pair<QString, QString>>{{"hopeful", "hopful"}});
    auto& controller = f.open();
    const auto before = controller.matchedWordsArrayController().rows();
    QSignalSpy scrolled(&controller, &SpellErrorAnalysisController::scrollToEndRequested);
    controller.typewardenCallbackWithNotification(announcement("zyzzyva", "zyzyva"));
    const auto after = controller.matchedWordsArrayController().rows();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.mid(0, before.size()), before);
    EXPECT_EQ(after.last(), AnalysisRow::notListed("zyzzyva", "zyzyva"));
    EXPECT_TRUE(scrolled.wait(1000));

    // A malformed announcement changes nothing.
    controller.typewardenCallbackWithNotification(announcement(42, "x"));
    EXPECT_EQ(controller.matchedWordsArrayController().rows().size(), after.size());
}

TEST(AnalysisController, AnEmptyListShowsItsMessageOneSecondAfterTheWindowLoads)
{
    testsupport::AnalysisFixture f(QList<std::pair<QString, QString>>{});
    QElapsedTimer clock;
    clock.start();
    auto& controller = f.open();
    EXPECT_TRUE(controller.matchedWordsArrayController().rows().isEmpty());
    while (f.alerts.shown.isEmpty() && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(f.alerts.shown.size(), 1);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_TRUE(f.alerts.shown[0].sheet);
    EXPECT_EQ(f.alerts.shown[0].window, controller.window());
    EXPECT_EQ(f.alerts.shown[0].alert.messageText, "Your word error list is empty.");
}

TEST(AnalysisController, ADamagedListIsToldAsUnreadableNotAsEmptyAndLeftAsItIs)
{
    testsupport::AnalysisFixture f(QList<std::pair<QString, QString>>{});
    const QString path = f.app.preferencesController()->typewardenErrorListXMLPath();
    const QByteArray damaged = "<store format=\"orthova-store\" version=\"1\"><o e=";
    ASSERT_TRUE(testsupport::writeFile(path, damaged));
    auto& controller = f.open();
    QTest::qWait(1300); // past the moment an empty list would be told
    ASSERT_EQ(f.alerts.shown.size(), 1);
    EXPECT_EQ(f.alerts.shown[0].alert.messageText, "Your word error list could not be read.");
    EXPECT_TRUE(f.alerts.shown[0].alert.informativeText.contains("left as it is"));
    EXPECT_EQ(f.alerts.shown[0].window, controller.window());
    EXPECT_EQ(testsupport::readFile(path), damaged);
}

TEST(AnalysisController, TheCourseReadWithTheLessonsFileIsTheOneItsOpenedStoreGives)
{
    // Made while the file is read at start, before any context exists; a row outside any
    // section has no unit values either way.
    testsupport::AnalysisFixture f({});
    platform::ObjectContext& lessons = *f.stores.lessons.context;
    lessons.insertNewObject(model::entity::RelatedWords)
        ->setValue(model::key::word(2), QStringLiteral("stray"));
    ASSERT_TRUE(lessons.save());
    const auto contents = platform::StoreFile::read(f.stores.lessons.coordinator->storePath(),
                                                    *model::orthovaCoreData(), nullptr);
    ASSERT_TRUE(contents.has_value());

    testsupport::StoreOnDisk reopened(f.stores.lessons.coordinator->storePath());
    const auto opened = LessonsSnapshot::fromRows(reopened.all(model::entity::RelatedWords));
    const auto read = LessonsSnapshot::fromStore(*contents);
    ASSERT_GT(opened->rows().size(), 30000);
    EXPECT_TRUE(read->rows() == opened->rows());
    EXPECT_EQ(read->rows().last().words[1], QStringLiteral("stray"));
    EXPECT_FALSE(read->rows().last().unitNumber.has_value());
    EXPECT_EQ(read->lookup(1, QStringLiteral("receive")), opened->lookup(1, "receive"));
}
