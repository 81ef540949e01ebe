// The agent's word-pair store: taking captured pairs, announcing them, saving, and what happens
// when the store cannot be opened or saved.
#include "typewarden/store/TypewardenModel.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "model/TypewardenDefaults.h"
#include "platform/Paths.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"
#include "tests/typewarden/store/RecordingNotifications.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

using typewarden::TypewardenModel;
namespace key = model::key;

namespace
{

// "cSpell/mSpell@stamp" for each pair, sorted: the time stamp travels with the words.
QStringList entries(const QList<platform::ManagedObject*>& pairs)
{
    QStringList list;
    for (const platform::ManagedObject* p : pairs)
        list << p->string(key::cSpell) + '/' + p->string(key::mSpell) + '@' +
                    QString::number(p->date(key::tStamp).toMSecsSinceEpoch());
    list.sort();
    return list;
}

// The pairs a store file holds, as a fresh process would read them.
QStringList pairsInFile(const QString& path)
{
    const testsupport::StoreOnDisk file(path);
    if (!QFileInfo::exists(path) || !file.opened)
        return {"<cannot open " + path + ">"};
    return entries(file.all(model::entity::WordPair));
}

class TypewardenModelTest : public ::testing::Test
{
protected:
    void makeStore()
    {
        store = std::make_unique<TypewardenModel>(defaults, notifications, alerts);
        QObject::connect(store.get(), &TypewardenModel::scrollToEndRequested,
                         [this] { refreshes.append("scroll"); });
        store->wake();
    }
    unsigned pairCount() { return store->countEntityObjects(model::entity::WordPair); }

    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    testsupport::RecordingNotifications notifications;
    testsupport::RecordingAlerts alerts;
    std::unique_ptr<TypewardenModel> store;
    QString storePath = typewarden::registerErrorListPathDefault(defaults);
    QStringList refreshes;
};

TEST_F(TypewardenModelTest, EveryPairIsStoredAndAnnouncedBeepingOnlyWhenTheSettingIsOn)
{
    makeStore();
    EXPECT_TRUE(store->addWordPairs({"separate", "seperate"})); // no setting means no beep
    defaults.registerDefaults({{typewarden::defaults::Beep, false}});
    notifications.postResult = false; // nobody listening loses nothing
    EXPECT_TRUE(store->addWordPairs({"separate", "seperate"}));
    EXPECT_EQ(alerts.beeps, 0);

    defaults.registerDefaults({{typewarden::defaults::Beep, true}});
    EXPECT_TRUE(store->addWordPairs({"same", "same"}));
    EXPECT_TRUE(store->addWordPairs({"same", "same"}));
    EXPECT_EQ(alerts.beeps, 2);
    EXPECT_EQ(pairCount(), 4u);
    EXPECT_EQ(notifications.posted.size(), 4);
    EXPECT_EQ(refreshes.size(), 4);

    // Missing or empty words are dropped silently, but the list is refreshed.
    for (const model::WordPair& p : {model::WordPair{"", "teh"}, model::WordPair{"the", {}}})
        EXPECT_FALSE(store->addWordPairs(p)) << qPrintable(p.cSpell + '/' + p.mSpell);
    EXPECT_EQ(refreshes.size(), 6);
    EXPECT_EQ(pairCount(), 4u);
    EXPECT_EQ(notifications.posted.size(), 4);
    EXPECT_EQ(alerts.beeps, 2);
}

TEST_F(TypewardenModelTest, AnnouncementCarriesTheWordsAndComesBeforeAnySaveToTheSharedFile)
{
    EXPECT_EQ(storePath, testsupport::sandboxRoot() +
                             "/data/group.com.Orthova.data/Library/Application Support/"
                             "spellErrorList.xml");
    EXPECT_TRUE(QFileInfo(QFileInfo(storePath).absolutePath()).isDir());
    makeStore();
    bool unsavedAtPost = false;
    notifications.onPost = [&] {
        unsavedAtPost = !QFileInfo::exists(storePath) && store->wordErrorDBase()->hasChanges();
    };
    const QDateTime before = QDateTime::currentDateTime();
    ASSERT_TRUE(store->addWordPairs({"receive", "recieve"}));

    ASSERT_EQ(notifications.posted.size(), 1);
    const auto& posted = notifications.posted.first();
    EXPECT_EQ(QStringList({posted.name, posted.object}),
              (QStringList{"KVRTypewardenActivityDistributedNotification",
                           "com.brellum.kvrdesk.OrthovaTarget"}));
    EXPECT_EQ(posted.userInfo,
              (QVariantMap{
                  {"addedWordPair", QVariantMap{{"cSpell", "receive"}, {"mSpell", "recieve"}}}}));
    EXPECT_TRUE(unsavedAtPost);

    // Stamped now; nothing reaches the file until a save point.
    ASSERT_EQ(store->unsavedPairs().size(), 1);
    const QDateTime stamp = store->unsavedPairs().first()->date(key::tStamp);
    EXPECT_TRUE(stamp >= before && stamp <= QDateTime::currentDateTime());
    EXPECT_FALSE(QFileInfo::exists(storePath));
    ASSERT_TRUE(store->saveContext());
    EXPECT_EQ(pairsInFile(storePath),
              QStringList{QString("receive/recieve@%1").arg(stamp.toMSecsSinceEpoch())});
}

TEST_F(TypewardenModelTest, AnAddIsOneUndoStepAndWakingStartsAFreshHistory)
{
    makeStore();
    store->addWordPairs({"necessary", "neccessary"});
    QCoreApplication::processEvents(); // the event-loop turn ends the undo group
    ASSERT_TRUE(store->undoManager()->canUndo());
    store->undoManager()->undo();
    EXPECT_EQ(pairCount(), 0u);
    EXPECT_TRUE(alerts.shown.isEmpty()) << "counting none is no failure";

    store->undoManager()->redo(); // history for the next wake to forget
    store->wake();
    EXPECT_EQ(store->wordErrorDBase()->undoManager(), store->undoManager());
    EXPECT_FALSE(store->undoManager()->canUndo());
}

TEST_F(TypewardenModelTest, AnUnreadableStoreIsNeverWrittenAndItsPairsAreKeptAside)
{
    const QByteArray garbage("<not a store");
    ASSERT_TRUE(testsupport::writeFile(storePath, garbage));
    testsupport::LogCapture log("typewarden.store");
    makeStore();

    EXPECT_EQ(log.count("Unresolved error "), 1);
    EXPECT_EQ(log.count("wordErrorPathUrl: " + QUrl::fromLocalFile(storePath).toString()), 1);
    // The pairs go on being captured and announced, into a recovery file beside the list.
    const QString kept = store->keptAsidePath();
    EXPECT_EQ(QFileInfo(kept).absolutePath(), QFileInfo(storePath).absolutePath());
    EXPECT_TRUE(store->addWordPairs({"their", "thier"}));
    EXPECT_EQ(notifications.posted.size(), 1);
    EXPECT_TRUE(store->saveContext());
    EXPECT_EQ(pairsInFile(kept).size(), 1);
    EXPECT_EQ(pairCount(), 1u);
    EXPECT_EQ(testsupport::readFile(storePath), garbage);
    // Told once in words, with where the pairs are, and without taking the keys.
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().alert.messageText, "Typewarden cannot open its word list.");
    EXPECT_TRUE(alerts.shown.first().alert.informativeText.contains(kept));
    EXPECT_TRUE(alerts.shown.first().alert.withoutFocus);
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(TypewardenModelTest, AStoreInAMissingFolderIsNotMadeAndWithNowhereToKeepPairsTheyAreRefused)
{
    const QString folder = testsupport::sandboxRoot() + "/data/nowhere";
    defaults.registerDefaults({{model::defaults::ErrorListPath, folder + "/spellErrorList.xml"}});
    const QString documents = platform::paths::documentsDirectory();
    ASSERT_TRUE(QDir(documents).removeRecursively());
    makeStore();
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_TRUE(alerts.shown.first().alert.informativeText.contains(folder));
    EXPECT_TRUE(store->keptAsidePath().isEmpty());
    EXPECT_FALSE(store->acceptsPairs());
    EXPECT_FALSE(store->addWordPairs({"their", "thier"}));
    EXPECT_TRUE(notifications.posted.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder));
    // A count the store cannot answer is put to the user too.
    EXPECT_EQ(pairCount(), 0u);
    ASSERT_EQ(alerts.shown.size(), 2);
    EXPECT_FALSE(alerts.shown.last().sheet);

    // With a documents folder, the pairs are kept there.
    ASSERT_TRUE(QDir().mkpath(documents));
    makeStore();
    EXPECT_EQ(QFileInfo(store->keptAsidePath()).absolutePath(), documents);
    EXPECT_TRUE(store->addWordPairs({"their", "thier"}));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(TypewardenModelTest, AFailedSaveKeepsThePairsAndTellsTheUserOnce)
{
    makeStore();
    store->addWordPairs({"rhythm", "rythm"});
    // A folder where the file should go makes the store file impossible to replace.
    ASSERT_TRUE(QDir().mkpath(storePath));
    EXPECT_FALSE(store->saveContext());
    store->addWordPairs({"weird", "wierd"});
    EXPECT_FALSE(store->saveContext());
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_FALSE(alerts.shown.first().sheet);
    const QStringList unsaved = entries(store->unsavedPairs());
    EXPECT_EQ(unsaved.size(), 2);

    // Once the file can be written again, both pairs reach it.
    ASSERT_TRUE(QDir(storePath).removeRecursively());
    EXPECT_TRUE(store->saveContext());
    EXPECT_FALSE(store->lastSaveFailed());
    EXPECT_EQ(pairsInFile(storePath), unsaved);
}

TEST_F(TypewardenModelTest, TheRecoveryFileHoldsExactlyTheUnsavedPairsAndReplacesNothing)
{
    makeStore();
    store->addWordPairs({"saved", "savd"});
    ASSERT_TRUE(store->saveContext());
    store->addWordPairs({"accommodate", "accomodate"});
    store->addWordPairs({"definitely", "definately"});
    const QStringList unsaved = entries(store->unsavedPairs());
    ASSERT_EQ(unsaved.size(), 2);
    const QString folder = QFileInfo(storePath).absolutePath();

    QString recovery;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&recovery));
    const QRegularExpression beside('^' + QRegularExpression::escape(folder) +
                                    R"(/spellErrorList-unsaved-\d{8}-\d{6}\.xml$)");
    EXPECT_TRUE(beside.match(recovery).hasMatch()) << recovery.toStdString();
    EXPECT_EQ(pairsInFile(recovery), unsaved);
    // The store and the recovery file: no temporary file is left behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A second recovery file never replaces the first.
    store->addWordPairs({"rhythm", "rythm"});
    QString second;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&second));
    EXPECT_NE(second, recovery);
    EXPECT_EQ(pairsInFile(recovery), unsaved);
    EXPECT_EQ(pairsInFile(second).size(), 3);

    // Without the store's folder it goes to the documents folder, and the folder is not made.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QString third;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&third));
    EXPECT_EQ(QFileInfo(third).absolutePath(),
              QFileInfo(platform::paths::documentsDirectory()).absoluteFilePath());
    EXPECT_EQ(pairsInFile(third), entries(store->unsavedPairs()));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

} // namespace
