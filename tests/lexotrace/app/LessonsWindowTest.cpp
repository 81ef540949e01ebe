// The lessons window over the factory curriculum: opening on the remembered lesson, showing a
// requested lesson and word, saving, reverting, closing with changes, dropped words, deleting,
// printing.
#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/lessons/EditWindowController.h"
#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "lexotrace/lessons/LessonWindowDelegate.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/store/LocalNotifications.h"
#include "lexotrace/store/PayloadFile.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"
#include "tests/lexotrace/app/LoadedProgram.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QTest>

using namespace lexotrace;
namespace key = model::key;

namespace
{

using Loaded = testsupport::LoadedProgram;

QString selectedWord(const RelatedWordsArrayController& words)
{
    const platform::ManagedObject* row = words.lastSelectedObject();
    return row ? row->string(key::word(1)) : QString();
}

void ask(Loaded& l, const QVariant& level, const QVariant& unit, const QString& word = {})
{
    l.app->notifications().post(notification::PopUpLessonIndex, nullptr,
                                {{"LevelIndex", level}, {"UnitIndex", unit}, {"cSpell", word}});
    QCoreApplication::processEvents();
}

TEST(LessonsWindow, OpensOnTheRememberedLessonAndShowsTheLessonsOthersAskFor)
{
    Loaded l;
    // The registered defaults are positions: the second level, its second unit.
    EXPECT_EQ(l.window->levelsArrayController()->selectionIndex(), 1);
    EXPECT_EQ(l.window->unitsArrayController()->selectionIndex(), 1);
    EXPECT_EQ(l.window->levelPopUpButton()->currentIndex(), 1);
    EXPECT_EQ(l.window->levelPopUpButton()->accessibleName(), "Level");
    EXPECT_EQ(l.window->tableWithTag(KVR_RelatedWordsLessonTableViewTag)->accessibleName(),
              "Related words");

    // The main menu's third item holds the "Edit lesson" submenu with "Add level".
    const QList<QAction*> menus = l.window->window()->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    QAction* editLesson = nullptr;
    for (QAction* item : menus[2]->menu()->actions())
        if (item->text() == "Edit lesson")
            editLesson = item;
    ASSERT_TRUE(editLesson && editLesson->menu());
    EXPECT_EQ(editLesson->menu()->actions().first()->text(), "Add level");
    EXPECT_EQ(editLesson->menu()->actions().first()->shortcut(), QKeySequence("Ctrl++"));

    // A word of the ninth level's sixth unit, in its second section.
    ask(l, "8", 5);
    const platform::ManagedObject* unit = l.window->unitsArrayController()->lastSelectedObject();
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(l.window->levelPopUpButton()->currentIndex(), 8);
    EXPECT_EQ(l.window->unitPopUpButton()->currentIndex(), 5);
    const auto sections = l.window->sectionsArrayController()->arrangedObjects();
    ASSERT_GE(sections.size(), 2);
    const QString word = sections[1]->toMany(key::relatedWords).first()->string(key::word(1));
    ask(l, 8, "5", word);
    EXPECT_EQ(l.window->sectionsArrayController()->selectionIndex(), 1);
    EXPECT_EQ(selectedWord(*l.window->relatedWordsArrayController()), word);

    // The lesson asked for is scrolled into view, in a level longer than its table.
    qsizetype longest = 0;
    const auto levels = l.window->levelsArrayController()->arrangedObjects();
    for (qsizetype i = 0; i < levels.size(); ++i)
        if (levels[i]->toMany(key::units).size() > levels[longest]->toMany(key::units).size())
            longest = i;
    const auto longUnits = levels[longest]->toMany(key::units);
    const auto lastRows = longUnits.last()->toMany(key::sections).last()->toMany(key::relatedWords);
    ask(l, int(longest), int(longUnits.size()) - 1, lastRows.last()->string(key::word(1)));
    for (LessonTableTag tag : {KVR_UnitLessonTableViewTag, KVR_RelatedWordsLessonTableViewTag}) {
        QTableView* table = l.window->tableWithTag(tag);
        const QModelIndexList rows = table->selectionModel()->selectedRows();
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_TRUE(table->viewport()->rect().contains(table->visualRect(rows.last()).center()))
            << "table " << tag;
    }
    ask(l, "8", 5);

    // Requests out of range are ignored.
    for (const auto& [level, unitIndex] : {std::pair{-1, -1}, {-1, 2}, {10000, 0}, {0, 10000}})
        ask(l, level, unitIndex, word);
    EXPECT_EQ(l.window->levelPopUpButton()->currentIndex(), 8);
    EXPECT_EQ(l.window->unitPopUpButton()->currentIndex(), 5);

    // Choosing a level shows its units.
    l.window->levelPopUpButton()->setCurrentIndex(2);
    EXPECT_EQ(l.window->levelsArrayController()->selectionIndex(), 2);
    EXPECT_EQ(l.window->unitsArrayController()->contentOwner(),
              l.window->levelsArrayController()->lastSelectedObject());

    // The page printed for it starts with its level and unit numbers.
    const platform::ManagedObject* level = l.window->levelsArrayController()->lastSelectedObject();
    const platform::ManagedObject* shown = l.window->unitsArrayController()->lastSelectedObject();
    EXPECT_TRUE(l.window->lessonWindowDelegate()->printText().startsWith(
        QString("L-%1 U-%2\n\n\n%3")
            .arg(level->string(key::levelNumber), shown->string(key::unitNumber),
                 shown->string(key::generalRule))));
    // And on paper, read back from the printed file.
    const QString pdf = testsupport::sandboxRoot() + "/lesson.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(l.window->lessonWindowDelegate()->printToPrinter(printer));
    const QStringList lines = testsupport::pdfLines(pdf);
    EXPECT_EQ(
        lines.value(0),
        QString("L-%1 U-%2").arg(level->string(key::levelNumber), shown->string(key::unitNumber)));
    EXPECT_TRUE(
        lines.join(' ').contains(shown->string(key::generalRule).simplified().section(' ', 0, 5)));
}

TEST(LessonsWindow, SaveRevertAndCloseSettleChangesAsTheUserSays)
{
    Loaded l;
    LessonWindowDelegate& d = *l.window->lessonWindowDelegate();
    const QString backup = testsupport::sandboxRoot() + "/lessons-backup.xml";
    l.app->lessons().setLessonsXMLSourcePath(backup);
    EXPECT_FALSE(d.validateUserInterfaceItem(LessonWindowDelegate::Action::Save));

    ASSERT_TRUE(l.window->unitsArrayController()->add());
    QCoreApplication::processEvents();
    EXPECT_TRUE(d.validateUserInterfaceItem(LessonWindowDelegate::Action::Save));
    l.alerts.answer = 1; // Cancel
    d.saveLessonData();
    EXPECT_EQ(l.lastSheet(), "Over write?");
    EXPECT_TRUE(l.lessons().hasChanges());
    l.alerts.answer = 0;
    d.saveLessonData();
    EXPECT_FALSE(l.lessons().hasChanges());
    EXPECT_TRUE(QFile::exists(backup)); // the XML copy at the lessons' source path

    ASSERT_TRUE(l.window->sectionsArrayController()->add());
    d.revertAction();
    EXPECT_FALSE(l.lessons().hasChanges());

    // Closing with changes asks; Cancel throws them away. The lesson shown is remembered.
    l.window->levelPopUpButton()->setCurrentIndex(3);
    l.window->unitPopUpButton()->setCurrentIndex(0);
    ASSERT_TRUE(l.window->levelsArrayController()->add());
    QCoreApplication::processEvents();
    l.alerts.answer = 1;
    l.window->window()->close();
    EXPECT_EQ(l.alerts.shown.last().alert.messageText, "Overwrite before closing?");
    EXPECT_FALSE(l.lessons().hasChanges());
    EXPECT_FALSE(l.window->window()->isVisible());
    EXPECT_EQ(l.app->defaults().stringForKey(model::defaults::LastLessonLevel), "3");
    EXPECT_EQ(l.app->defaults().stringForKey(model::defaults::LastLessonUnit), "0");
}

TEST(LessonsWindow, AWordDroppedFromTheAnalysisBecomesARowOfTheSelectedSection)
{
    Loaded l;
    LessonsTableView& rows = *l.window->tableWithTag(KVR_RelatedWordsLessonTableViewTag);
    QMimeData drop;
    platform::pasteboard::setSingleType(drop, LessonsTableView::kNotFoundWordDragType, "word");

    // No word in the payload file: refused, nothing added.
    QFile::remove(payloadFile::path());
    EXPECT_FALSE(rows.readFromPasteboard(drop));
    EXPECT_FALSE(l.lessons().hasChanges());

    ASSERT_TRUE(payloadFile::write(
        platform::keyedArchive::archive(QVariantMap{{"cSpell", "zyzzyva"}}).value()));
    l.window->sectionsArrayController()->setSelectionIndex(0);
    EXPECT_TRUE(rows.readFromPasteboard(drop));
    EXPECT_EQ(selectedWord(*l.window->relatedWordsArrayController()), "zyzzyva");

    // Rows dragged from the table carry their positions; another lessons table takes them without
    // a change.
    QMimeData dragged;
    ASSERT_TRUE(rows.writeRowsWithIndexes({2, 0}, dragged));
    EXPECT_EQ(platform::keyedArchive::unarchive(payloadFile::read().value()),
              QVariant::fromValue(QList<int>{2, 0}));
    ASSERT_TRUE(l.lessons().save());
    EXPECT_TRUE(l.window->tableWithTag(KVR_SectionLessonTableViewTag)->readFromPasteboard(dragged));
    EXPECT_FALSE(l.lessons().hasChanges());

    // Delete in the sections table removes the selection and leaves the other numbers.
    ask(l, 8, 5);
    SectionsArrayController& sections = *l.window->sectionsArrayController();
    QStringList before;
    for (const auto* s : sections.arrangedObjects())
        before << s->string(key::sectionNumber);
    ASSERT_GE(before.size(), 2);
    sections.setSelectionIndex(0);
    QTest::keyClick(l.window->tableWithTag(KVR_SectionLessonTableViewTag), Qt::Key_Delete);
    QCoreApplication::processEvents();
    QStringList after;
    for (const auto* s : sections.arrangedObjects())
        after << s->string(key::sectionNumber);
    EXPECT_EQ(after, before.mid(1));
}

TEST(LessonsWindow, EditCommandsCopyTextOrMoveAWholeUnitAfterControlAlone)
{
    Loaded l;
    ask(l, 8, 5);
    UnitsArrayController& units = *l.window->unitsArrayController();
    EditWindowController& edit = *l.window->editWindowController();
    GeneralRuleTextView& ruleView = *l.window->generalRuleTextView();
    const QString rule = units.lastSelectedObject()->string(key::generalRule);

    // Without Control alone, Copy takes the selected rule text only.
    ruleView.selectAll();
    edit.copyRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag);
    EXPECT_EQ(QApplication::clipboard()->text(), rule);

    // After it, the whole unit moves onto the unit pasted on; the flag is used up.
    ruleView.setControlKey(true);
    edit.copyRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag);
    EXPECT_FALSE(ruleView.controlKey());
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(rule + "\n\n"));
    const qsizetype count = units.arrangedObjects().size();
    units.setSelectionIndex(0);
    edit.pasteRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag);
    QCoreApplication::processEvents();
    EXPECT_EQ(units.arrangedObjects().size(), count - 1);
    EXPECT_EQ(units.arrangedObjects().first()->string(key::generalRule), rule);
    EXPECT_EQ(ruleView.toPlainText(), rule);
}

TEST(LessonsWindow, OpenLessonOnAnAnalysisRowShowsItsUnitWithTheWordSelected)
{
    Loaded l;
    SpellErrorAnalysisController& analysis = *l.app->controller().spellErrorAnalysisController();
    // receive is taught in unit 6 of level 9 (i before e, ei after c).
    analysis.matchedWordsArrayController().append(
        AnalysisRow{"9", "6", "9-6", "R", "ei after c", "receive", "recieve", ""});
    AnalysisTableView& table = *analysis.analysisWindowController().analysisTableView();
    table.selectRowIndexes({0});
    table.openLessonAction()->trigger();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return selectedWord(*l.window->relatedWordsArrayController()) == "receive"; }));
    EXPECT_EQ(l.window->levelsArrayController()->selectionIndex(), 8);
    EXPECT_EQ(l.window->unitsArrayController()->selectionIndex(), 5);
}

} // namespace
