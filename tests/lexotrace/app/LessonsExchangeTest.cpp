// Export and import of the curriculum from the lessons window, through the program's object graph.
#include "model/OrthovaModel.h"
#include "tests/lexotrace/app/LoadedProgram.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using namespace lexotrace;

namespace
{

using Loaded = testsupport::LoadedProgram;

TEST(LessonsExchange, AnImportReadsTheExportedFileInPlaceOfTheCurriculumUnsaved)
{
    Loaded l;
    const qsizetype factory = l.levels();
    ASSERT_GE(factory, 3);

    // Nothing exported yet: the user is told, nothing changes.
    l.window->retrieveBookmarkAndWriteLessonData();
    EXPECT_TRUE(l.lastSheet().startsWith("No lessons file has been exported yet"));
    EXPECT_EQ(l.levels(), factory);

    // A cancelled save sheet writes and remembers nothing.
    l.window->exportXML();
    EXPECT_FALSE(l.app->defaults().isStored(SpellLessonsWindowController::kBookmarkKey));

    const QString file = testsupport::sandboxRoot() + "/Orthova lessons.xml";
    l.panels.chosen = file;
    l.window->exportXML();
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(l.app->defaults().dataForKey(SpellLessonsWindowController::kBookmarkKey),
              file.toUtf8());

    // A level removed and saved comes back with the import, which stays unsaved.
    const auto all = l.lessons().fetch(platform::FetchRequest::all("Levels")).value();
    l.lessons().deleteObject(all.first());
    ASSERT_TRUE(l.lessons().save());
    QCoreApplication::processEvents();
    l.window->importXML();
    EXPECT_EQ(l.alerts.shown.last().alert.buttons, (QStringList{"OK", "Cancel"}));
    EXPECT_EQ(l.lastSheet(), "Your import file will over-write current lesson data. Are you sure "
                             "you wish to proceed?");
    EXPECT_TRUE(QTest::qWaitFor([&] { return l.levels() == factory; }, 2000));
    EXPECT_TRUE(l.lessons().hasChanges());
    EXPECT_EQ(l.app->lessons().lessonsXMLSourcePath(), file);

    // Undo takes the whole import back at once.
    QCoreApplication::processEvents();
    l.app->lessons().undoManager()->undo();
    EXPECT_EQ(l.levels(), factory - 1);
}

TEST(LessonsExchange, AFileWithoutLessonsIsReportedAndTheCurriculumStaysAsItWas)
{
    Loaded l;
    const qsizetype factory = l.levels();
    const QString source = l.app->lessons().lessonsXMLSourcePath();
    const QString file = testsupport::sandboxRoot() + "/edited.xml";
    l.panels.chosen = file;
    l.window->exportXML();
    ASSERT_TRUE(testsupport::writeFile(file, "<lessons>not what was exported</lessons>"));

    l.window->retrieveBookmarkAndWriteLessonData();
    EXPECT_EQ(l.lastSheet(), "The file “edited.xml” holds no lessons.");
    EXPECT_EQ(l.levels(), factory);
    EXPECT_FALSE(l.lessons().hasChanges());
    EXPECT_EQ(l.app->lessons().lessonsXMLSourcePath(), source);

    // A file that is gone is told too.
    ASSERT_TRUE(QFile::remove(file));
    const int told = l.alerts.sheetCount();
    l.window->retrieveBookmarkAndWriteLessonData();
    EXPECT_EQ(l.alerts.sheetCount(), told + 1);
    EXPECT_EQ(l.levels(), factory);
}

} // namespace
