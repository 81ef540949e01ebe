// Export of the word-pair list into a file the user names, and import of that file back.
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "model/TypewardenDefaults.h"
#include "platform/ui/FilePanels.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"
#include "tests/typewarden/store/RecordingNotifications.h"
#include "typewarden/store/TypewardenImportDelegate.h"
#include "typewarden/store/TypewardenModel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QUrl>
#include <QWidget>

using typewarden::TypewardenImportDelegate;
using typewarden::TypewardenModel;
namespace key = model::key;

namespace
{

// A save sheet that stays open until the test answers it.
struct HeldSavePanel : platform::FilePanels {
    void beginSaveSheet(QWidget* sheetWindow, const SaveRequest& request,
                        std::function<void(std::optional<QString>)> completion) override
    {
        window = sheetWindow;
        proposedName = request.proposedName;
        pending = std::move(completion);
    }
    void beginFolderPanel(const FolderRequest&,
                          std::function<void(std::optional<QString>)> completion) override
    {
        completion(std::nullopt);
    }
    QWidget* window = nullptr;
    QString proposedName;
    std::function<void(std::optional<QString>)> pending;
};

using Pair = std::tuple<QString, QString, QDateTime>; // cSpell, mSpell, tStamp

QList<Pair> pairsOf(const platform::ObjectContext& context)
{
    QList<Pair> pairs;
    for (const platform::ManagedObject* p :
         context.fetch(platform::FetchRequest::all(model::entity::WordPair))
             .value_or(QList<platform::ManagedObject*>{}))
        pairs.append({p->string(key::cSpell), p->string(key::mSpell), p->date(key::tStamp)});
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The pairs of a store file as a fresh coordinator reads them; nothing when it cannot be opened.
std::optional<QList<Pair>> pairsInFile(const QString& path)
{
    const testsupport::StoreOnDisk file(path);
    if (!QFileInfo::exists(path) || !file.opened)
        return std::nullopt;
    return pairsOf(*file.context);
}

class ExportImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        storePath = typewarden::registerErrorListPathDefault(defaults);
        model.wake();
        delegate.setWindow(&window);
        model.addWordPairs({"the", "teh"});
        model.addWordPairs({"which", "wich"});
        // Old stamps, so that copies stamped at import are told apart.
        const auto pairs = context().fetch(platform::FetchRequest::all(model::entity::WordPair));
        int day = 0;
        for (platform::ManagedObject* p : pairs.value())
            p->setValue(key::tStamp, QDateTime(QDate(2020, 1, ++day), QTime(3, 4, 5, 678)));
    }

    platform::ObjectContext& context() { return *model.wordErrorDBase(); }
    void exportTo(const std::optional<QString>& path)
    {
        delegate.exportWordPairs();
        ASSERT_TRUE(panel.pending);
        std::exchange(panel.pending, {})(path);
    }

    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    testsupport::RecordingNotifications notifications;
    testsupport::RecordingAlerts alerts;
    HeldSavePanel panel;
    TypewardenModel model{defaults, notifications, alerts};
    TypewardenImportDelegate delegate{defaults, alerts, panel, model};
    QWidget window;
    QString storePath;
    const QString folder = testsupport::sandboxRoot() + QStringLiteral("/Documents/");
    const QString exportPath = folder + QStringLiteral("Exported error list");
};

TEST_F(ExportImportTest, EachExportAddsEveryPairWithItsStampToAnErrorListTheAgentCanOpen)
{
    testsupport::LogCapture log("typewarden.store");
    exportTo(exportPath);
    EXPECT_EQ(panel.window, &window);
    EXPECT_EQ(panel.proposedName, "Exported error list");
    EXPECT_EQ(log.count("thisURL: " + QUrl::fromLocalFile(exportPath).toString()), 1);
    const QList<Pair> listed = pairsOf(context());
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(pairsInFile(exportPath), listed); // unsaved pairs too, stamps unchanged
    EXPECT_EQ(defaults.dataForKey(typewarden::defaults::ExportBookmark), exportPath.toUtf8());
    {
        platform::UserDefaults otherDefaults{QStringLiteral("TypewardenReader")};
        otherDefaults.registerDefaults({{model::defaults::ErrorListPath, exportPath}});
        TypewardenModel reader(otherDefaults, notifications, alerts);
        ASSERT_TRUE(reader.acceptsPairs());
        EXPECT_EQ(pairsOf(*reader.wordErrorDBase()), listed);
    }

    exportTo(exportPath);
    QList<Pair> twice = listed + listed;
    std::sort(twice.begin(), twice.end());
    EXPECT_EQ(pairsInFile(exportPath), twice);
    EXPECT_EQ(pairsOf(context()), listed);
    EXPECT_TRUE(context().hasChanges()); // exporting does not save the list

    context().rollback();
    exportTo(folder + "empty");
    EXPECT_EQ(pairsInFile(folder + "empty"), QList<Pair>{});
    EXPECT_TRUE(alerts.shown.isEmpty());
}

TEST_F(ExportImportTest, ImportOfTheExportedFileAddsUnsavedCopiesStampedWithTheImportTime)
{
    ASSERT_TRUE(model.saveContext());
    exportTo(exportPath);
    const QList<Pair> before = pairsOf(context());
    const qsizetype announced = notifications.posted.size();
    QSignalSpy scrolled(&delegate, &TypewardenImportDelegate::scrollToEndOfListRequested);
    testsupport::LogCapture log("typewarden.store");
    const QDateTime start = QDateTime::currentDateTime();
    EXPECT_TRUE(delegate.importWordPairs());
    EXPECT_EQ(log.count("Bookmarked url resolved successfully!"), 1);
    QList<Pair> copies;
    for (const auto& [c, m, stamp] : pairsOf(context()))
        if (!before.contains(Pair{c, m, stamp})) {
            EXPECT_GE(stamp, start) << stamp.toString().toStdString();
            copies.append({c, m, {}});
        }
    EXPECT_EQ(copies, (QList<Pair>{{"the", "teh", {}}, {"which", "wich", {}}}));
    EXPECT_TRUE(context().hasChanges());
    EXPECT_EQ(pairsInFile(storePath), before); // not saved
    EXPECT_EQ(notifications.posted.size(), announced);
    EXPECT_TRUE(alerts.shown.isEmpty());
    EXPECT_EQ(scrolled.count(), 0);
    EXPECT_TRUE(scrolled.wait(3000)); // half a second later
}

TEST_F(ExportImportTest, AFileThatIsNoErrorListIsReportedAndNeitherReadNorWritten)
{
    {
        testsupport::StoreOnDisk lessons(folder + "lessons store");
        ASSERT_TRUE(lessons.opened);
        lessons.context->insertNewObject(model::entity::Levels)->setValue(key::levelNumber, "1");
        typewarden::makeNewWordPairWithOrdinationForCSpell(*lessons.context, "their", "thier");
        ASSERT_TRUE(lessons.context->save());
    }
    ASSERT_TRUE(testsupport::writeFile(folder + "garbage", QByteArray("\0\x01<store", 8)));
    ASSERT_TRUE(QFile::copy(ORTHOVA_SOURCE_DIR "/resources/Lessons_Initiation_Data.xml",
                            folder + "lessons.xml"));
    const QList<Pair> before = pairsOf(context());
    for (const char* name : {"garbage", "lessons store", "lessons.xml"}) {
        alerts.shown.clear();
        defaults.setObject((folder + name).toUtf8(), typewarden::defaults::ExportBookmark);
        EXPECT_FALSE(delegate.importWordPairs()) << name;
        EXPECT_EQ(alerts.shown.size(), 1) << name;
        EXPECT_EQ(pairsOf(context()), before) << name;
    }
    alerts.shown.clear(); // exporting onto such a file leaves it as it was
    const QByteArray lessons = testsupport::readFile(folder + "lessons store");
    exportTo(folder + "lessons store");
    EXPECT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(testsupport::readFile(folder + "lessons store"), lessons);
}

TEST_F(ExportImportTest, ImportWithoutAResolvableBookmarkOnlyLogsAndAFailedExportLeavesNone)
{
    const QList<Pair> before = pairsOf(context());
    testsupport::LogCapture log("typewarden.store");
    EXPECT_FALSE(delegate.importWordPairs());
    EXPECT_EQ(log.count("No bookmark stored"), 1);
    // A cancelled export writes nothing and remembers nothing.
    exportTo(std::nullopt);
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_FALSE(defaults.isStored(typewarden::defaults::ExportBookmark));
    EXPECT_EQ(log.count("thisURL"), 0);

    exportTo(exportPath);
    ASSERT_TRUE(QFile::remove(exportPath));
    EXPECT_FALSE(delegate.importWordPairs());
    EXPECT_EQ(log.count("Error resolving URL from bookmark: "), 1);
    EXPECT_EQ(pairsOf(context()), before);
    EXPECT_TRUE(alerts.shown.isEmpty());

    // An export that cannot be written is told and forgets the last one.
    exportTo(folder + "missing folder/list");
    EXPECT_EQ(alerts.shown.size(), 2); // the failed save, then the missing file
    EXPECT_FALSE(defaults.isStored(typewarden::defaults::ExportBookmark));
}

} // namespace
