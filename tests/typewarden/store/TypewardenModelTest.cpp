// The agent's word-pair store: taking captured pairs, announcing them, saving, and what happens
// when the store cannot be opened or saved.
#include "typewarden/store/TypewardenModel.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/Paths.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/RecordingAlerts.h"
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

struct Words {
    QString cSpell;
    QString mSpell;
    QDateTime tStamp;
};

QVariantMap pair(const QString& cSpell, const QString& mSpell)
{
    return {{key::cSpell, cSpell}, {key::mSpell, mSpell}};
}

// The pairs a store file holds, as a fresh process would read them; nothing when it cannot open.
std::optional<QList<Words>> pairsInFile(const QString& path)
{
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    if (!QFileInfo::exists(path) || !coordinator->addStore(path, nullptr))
        return std::nullopt;
    platform::ObjectContext context(coordinator);
    platform::FetchRequest all = platform::FetchRequest::all(model::entity::WordPair);
    all.sortDescriptors = {platform::SortDescriptor{key::cSpell}};
    QList<Words> words;
    for (const platform::ManagedObject* p :
         context.fetch(all).value_or(QList<platform::ManagedObject*>{}))
        words.append({p->string(key::cSpell), p->string(key::mSpell), p->date(key::tStamp)});
    return words;
}

class TypewardenModelTest : public ::testing::Test
{
protected:
    void SetUp() override { storePath = typewarden::registerErrorListPathDefault(defaults); }

    TypewardenModel& makeStore()
    {
        store = std::make_unique<TypewardenModel>(defaults, notifications, alerts);
        QObject::connect(store.get(), &TypewardenModel::selectLastRowRequested,
                         [this] { refreshes.append(QStringLiteral("select")); });
        QObject::connect(store.get(), &TypewardenModel::scrollToEndRequested,
                         [this] { refreshes.append(QStringLiteral("scroll")); });
        store->awakeFromNib();
        return *store;
    }

    qsizetype pairsInContext() const
    {
        return store->wordErrorDBase()
            ->count(platform::FetchRequest::all(model::entity::WordPair))
            .value_or(-1);
    }

    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    testsupport::RecordingNotifications notifications;
    testsupport::RecordingAlerts alerts;
    std::unique_ptr<TypewardenModel> store;
    QString storePath;
    QStringList refreshes;
};

TEST_F(TypewardenModelTest, StorePathIsTheSharedWordPairFileAndItsFolderIsCreated)
{
    EXPECT_EQ(storePath, testsupport::sandboxRoot() +
                             "/data/group.com.Orthova.data/Library/Application Support/"
                             "spellErrorList.xml");
    EXPECT_TRUE(QFileInfo(QFileInfo(storePath).absolutePath()).isDir());
    EXPECT_EQ(makeStore().typewardenErrorListXMLPath(), storePath);
    EXPECT_TRUE(store->acceptsPairs());
    EXPECT_EQ(store->wordErrorManager()->storePath(), storePath);
}

TEST_F(TypewardenModelTest, MissingOrEmptyWordsAreDroppedSilentlyButTheListIsRefreshed)
{
    defaults.registerDefaults({{typewarden::BeepDefaultKey, true}});
    makeStore();
    const QList<QVariantMap> rejected{
        pair(QString(QLatin1String("")), QStringLiteral("teh")),
        pair(QStringLiteral("the"), QString(QLatin1String(""))),
        {{key::mSpell, QStringLiteral("teh")}},
        {{key::cSpell, QStringLiteral("the")}},
        {},
        {{key::cSpell, 42}, {key::mSpell, QStringLiteral("teh")}},
    };
    for (const QVariantMap& p : rejected) {
        refreshes.clear();
        EXPECT_FALSE(store->addWordPairs(p)) << p.keys().join(u',').toStdString();
        EXPECT_EQ(refreshes, (QStringList{"select", "scroll"}));
    }
    EXPECT_EQ(pairsInContext(), 0);
    EXPECT_FALSE(store->wordErrorDBase()->hasChanges());
    EXPECT_TRUE(notifications.posted.isEmpty());
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(TypewardenModelTest, EveryPairIsStoredAndAnnouncedEvenWhenRepeated)
{
    makeStore();
    EXPECT_TRUE(store->addWordPairs(pair("separate", "seperate")));
    EXPECT_TRUE(store->addWordPairs(pair("separate", "seperate")));
    EXPECT_EQ(pairsInContext(), 2);
    EXPECT_EQ(notifications.posted.size(), 2);
    EXPECT_EQ(refreshes, (QStringList{"select", "scroll", "select", "scroll"}));
    // The same words in both directions are not this store's concern either.
    EXPECT_TRUE(store->addWordPairs(pair("same", "same")));
    EXPECT_EQ(pairsInContext(), 3);
}

TEST_F(TypewardenModelTest, AnnouncementCarriesTheWordsAndComesBeforeAnySave)
{
    makeStore();
    bool fileExistedAtPost = true;
    bool unsavedAtPost = false;
    notifications.onPost = [&] {
        fileExistedAtPost = QFileInfo::exists(storePath);
        unsavedAtPost = store->wordErrorDBase()->hasChanges();
    };
    const QDateTime before = QDateTime::currentDateTime();
    ASSERT_TRUE(store->addWordPairs(pair("receive", "recieve")));
    const QDateTime after = QDateTime::currentDateTime();

    ASSERT_EQ(notifications.posted.size(), 1);
    const auto& posted = notifications.posted.first();
    EXPECT_EQ(posted.name, "KVRTypewardenActivityDistributedNotification");
    EXPECT_EQ(posted.object, "com.brellum.kvrdesk.OrthovaTarget");
    const QVariantMap expected{
        {"addedWordPair", QVariantMap{{"cSpell", "receive"}, {"mSpell", "recieve"}}}};
    EXPECT_EQ(posted.userInfo, expected);
    EXPECT_EQ(posted.userInfo.value("addedWordPair").typeId(), QMetaType::QVariantMap);
    EXPECT_FALSE(fileExistedAtPost);
    EXPECT_TRUE(unsavedAtPost);

    // Nothing reaches the file until a save point.
    EXPECT_FALSE(QFileInfo::exists(storePath));
    ASSERT_TRUE(store->saveContext());
    const auto saved = pairsInFile(storePath);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 1);
    EXPECT_EQ(saved->first().cSpell, "receive");
    EXPECT_EQ(saved->first().mSpell, "recieve");
    EXPECT_GE(saved->first().tStamp, before.addMSecs(-1000));
    EXPECT_LE(saved->first().tStamp, after.addMSecs(1000));
    EXPECT_EQ(notifications.posted.size(), 1);
}

TEST_F(TypewardenModelTest, AFailedPostStillKeepsThePair)
{
    notifications.postResult = false;
    makeStore();
    EXPECT_TRUE(store->addWordPairs(pair("their", "thier")));
    EXPECT_EQ(pairsInContext(), 1);
}

TEST_F(TypewardenModelTest, BeepsForEachPairOnlyWhenTheBeepSettingIsOn)
{
    makeStore();
    store->addWordPairs(pair("beep", "bepe"));
    EXPECT_EQ(alerts.beeps, 0) << "no setting means no beep";

    defaults.registerDefaults({{typewarden::BeepDefaultKey, false}});
    store->addWordPairs(pair("beep", "bepe"));
    EXPECT_EQ(alerts.beeps, 0);

    defaults.registerDefaults({{typewarden::BeepDefaultKey, true}});
    store->addWordPairs(pair("beep", "bepe"));
    store->addWordPairs(pair("beep", "bepe"));
    EXPECT_EQ(alerts.beeps, 2);
}

TEST_F(TypewardenModelTest, AnAddIsOneUndoStep)
{
    makeStore();
    ASSERT_NE(store->undoManager(), nullptr);
    EXPECT_EQ(store->wordErrorDBase()->undoManager(), store->undoManager());
    store->addWordPairs(pair("necessary", "neccessary"));
    QCoreApplication::processEvents(); // the event-loop turn ends the undo group
    ASSERT_TRUE(store->undoManager()->canUndo());

    store->undoManager()->undo();
    EXPECT_EQ(pairsInContext(), 0);
    EXPECT_FALSE(store->wordErrorDBase()->hasChanges());

    store->undoManager()->redo();
    EXPECT_EQ(pairsInContext(), 1);
    ASSERT_TRUE(store->saveContext());
    EXPECT_EQ(pairsInFile(storePath)->size(), 1);

    // Waking again starts a fresh history.
    platform::UndoManager* first = store->undoManager();
    store->awakeFromNib();
    EXPECT_NE(store->undoManager(), first);
    EXPECT_EQ(store->wordErrorDBase()->undoManager(), store->undoManager());
    EXPECT_FALSE(store->undoManager()->canUndo());
}

TEST_F(TypewardenModelTest, AnUnreadableStoreRefusesPairsAndIsNeverWritten)
{
    const QByteArray garbage("<not a store");
    ASSERT_TRUE(testsupport::writeFile(storePath, garbage));
    testsupport::LogCapture log("typewarden.store");
    makeStore();

    EXPECT_FALSE(store->acceptsPairs());
    EXPECT_EQ(store->wordErrorManager(), nullptr);
    EXPECT_EQ(store->wordErrorDBase(), nullptr);
    EXPECT_TRUE(store->openError().isError());
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_TRUE(alerts.shown.isEmpty());
    EXPECT_EQ(log.count("Unresolved error "), 1);
    EXPECT_EQ(log.count("wordErrorPathUrl: " + QUrl::fromLocalFile(storePath).toString()), 1);

    EXPECT_FALSE(store->addWordPairs(pair("their", "thier")));
    EXPECT_TRUE(notifications.posted.isEmpty());
    EXPECT_EQ(refreshes, (QStringList{"select", "scroll"}));
    EXPECT_TRUE(store->saveContext());
    QString recovery;
    EXPECT_TRUE(store->writeUnsavedPairsToRecoveryFile(&recovery));
    EXPECT_TRUE(recovery.isEmpty());
    EXPECT_EQ(testsupport::readFile(storePath), garbage);
    EXPECT_EQ(alerts.beeps, 1) << "the failure is sounded once, not on every pair";
}

TEST_F(TypewardenModelTest, AStoreInAMissingFolderIsRefusedAndTheFolderIsNotMade)
{
    const QString folder = testsupport::sandboxRoot() + "/data/nowhere";
    defaults.registerDefaults({{model::defaults::ErrorListPath, folder + "/spellErrorList.xml"}});
    makeStore();
    EXPECT_FALSE(store->acceptsPairs());
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_FALSE(store->addWordPairs(pair("their", "thier")));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(TypewardenModelTest, AFailedSaveKeepsThePairsAndTellsTheUserOnce)
{
    makeStore();
    testsupport::LogCapture log("typewarden.store");
    store->addWordPairs(pair("rhythm", "rythm"));
    // A folder where the file should go makes the store file impossible to replace.
    ASSERT_TRUE(QDir().mkpath(storePath));

    EXPECT_FALSE(store->saveContext());
    EXPECT_TRUE(store->lastSaveFailed());
    EXPECT_EQ(log.count("Unresolved error "), 1);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_FALSE(alerts.shown.first().sheet);
    EXPECT_EQ(store->unsavedPairs().size(), 1);
    EXPECT_TRUE(store->wordErrorDBase()->hasChanges());

    store->addWordPairs(pair("weird", "wierd"));
    EXPECT_FALSE(store->saveContext());
    EXPECT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(store->unsavedPairs().size(), 2);

    // Once the file can be written again, both pairs reach it.
    ASSERT_TRUE(QDir(storePath).removeRecursively());
    EXPECT_TRUE(store->saveContext());
    EXPECT_FALSE(store->lastSaveFailed());
    const auto saved = pairsInFile(storePath);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 2);
    EXPECT_EQ(saved->at(0).cSpell, "rhythm");
    EXPECT_EQ(saved->at(1).cSpell, "weird");
    EXPECT_TRUE(store->unsavedPairs().isEmpty());
}

TEST_F(TypewardenModelTest, TheRecoveryFileHoldsExactlyTheUnsavedPairs)
{
    makeStore();
    store->addWordPairs(pair("saved", "savd"));
    ASSERT_TRUE(store->saveContext());
    store->addWordPairs(pair("accommodate", "accomodate"));
    store->addWordPairs(pair("definitely", "definately"));
    const QList<platform::ManagedObject*> unsaved = store->unsavedPairs();
    ASSERT_EQ(unsaved.size(), 2);
    const QString folder = QFileInfo(storePath).absolutePath();
    // The store file is replaced by a folder, so saving fails while its folder stays writable.
    ASSERT_TRUE(QFile::remove(storePath));
    ASSERT_TRUE(QDir().mkpath(storePath));
    ASSERT_FALSE(store->saveContext());

    QString recovery;
    platform::StoreError error;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&recovery, &error))
        << error.message.toStdString();
    EXPECT_EQ(QFileInfo(recovery).absolutePath(), folder);
    EXPECT_TRUE(QRegularExpression(R"(^spellErrorList-unsaved-\d{8}-\d{6}\.xml$)")
                    .match(QFileInfo(recovery).fileName())
                    .hasMatch())
        << recovery.toStdString();

    const auto recovered = pairsInFile(recovery);
    ASSERT_TRUE(recovered) << "the recovery file opens as a word-pair store";
    ASSERT_EQ(recovered->size(), 2);
    EXPECT_EQ(recovered->at(0).cSpell, "accommodate");
    EXPECT_EQ(recovered->at(0).mSpell, "accomodate");
    EXPECT_EQ(recovered->at(0).tStamp, unsaved.at(0)->date(key::tStamp));
    EXPECT_EQ(recovered->at(1).cSpell, "definitely");
    EXPECT_EQ(recovered->at(1).mSpell, "definately");
    // No temporary files are left behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(TypewardenModelTest, ARecoveryFileIsWrittenOnlyForUnsavedPairsAndNeverReplacesAnother)
{
    makeStore();
    QString none = QStringLiteral("untouched");
    EXPECT_TRUE(store->writeUnsavedPairsToRecoveryFile(&none));
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(QDir(QFileInfo(storePath).absolutePath()).isEmpty());

    store->addWordPairs(pair("accommodate", "accomodate"));
    QString first;
    QString second;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&first));
    const QByteArray firstBytes = testsupport::readFile(first);
    store->addWordPairs(pair("definitely", "definately"));
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&second));
    EXPECT_NE(first, second);
    EXPECT_EQ(testsupport::readFile(first), firstBytes);
    EXPECT_EQ(pairsInFile(first)->size(), 1);
    EXPECT_EQ(pairsInFile(second)->size(), 2);
}

TEST_F(TypewardenModelTest, RecoveryGoesToTheDocumentsFolderWhenTheStoreFolderIsGone)
{
    const QString folder = testsupport::sandboxRoot() + "/data/moved";
    ASSERT_TRUE(QDir().mkpath(folder));
    defaults.registerDefaults({{model::defaults::ErrorListPath, folder + "/spellErrorList.xml"}});
    makeStore();
    ASSERT_TRUE(store->acceptsPairs());
    store->addWordPairs(pair("rhythm", "rythm"));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_FALSE(store->saveContext());

    QString recovery;
    ASSERT_TRUE(store->writeUnsavedPairsToRecoveryFile(&recovery));
    EXPECT_EQ(QFileInfo(recovery).absolutePath(),
              QFileInfo(platform::paths::documentsDirectory()).absoluteFilePath());
    EXPECT_EQ(pairsInFile(recovery)->size(), 1);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(TypewardenModelTest, CountsObjectsOrAlertsAndAnswersZero)
{
    makeStore();
    store->addWordPairs(pair("rhythm", "rythm"));
    store->addWordPairs(pair("weird", "wierd"));
    EXPECT_EQ(store->countEntityObjects(model::entity::WordPair), 2u);
    EXPECT_EQ(store->countEntityObjects(model::entity::Levels), 0u);
    EXPECT_TRUE(alerts.shown.isEmpty());

    EXPECT_EQ(store->countEntityObjects(QStringLiteral("NoSuchEntity")), 0u);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_FALSE(alerts.shown.first().sheet);
}

} // namespace
