// The word-bits dictionary over the factory curriculum: every row listed by first word with case
// ignored, words looked up, rows copied as text, and the lesson of a row asked for.
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/rules/BitsRelatedWordsArrayController.h"
#include "lexotrace/rules/SpellBitsTableView.h"
#include "lexotrace/rules/SpellBitsWindowController.h"
#include "lexotrace/store/LocalNotifications.h"
#include "model/OrthovaModel.h"
#include "tests/lexotrace/app/LoadedProgram.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace lexotrace;
namespace key = model::key;
using platform::ManagedObject;

namespace
{

struct Bits {
    testsupport::LoadedProgram l;
    SpellBitsWindowController window{l.app->notifications(),
                                     l.app->controller().lessonCoreDataAppDelegate()};
    BitsRelatedWordsArrayController& words = *window.relatedWordsArrayController();
    SpellBitsTableView& table = *window.spellBitsTableView();
    QObject receiver;
    QList<std::pair<QObject*, QVariantMap>> posted;

    Bits()
    {
        l.app->notifications().addObserver(notification::PopUpLessonIndex, &receiver,
                                           [this](QObject* object, const QVariantMap& info) {
                                               posted.append({object, info});
                                           });
        window.showWindow();
    }
    // A row of words and bits by slot; an invalid value stays absent. Listed once the context
    // has announced it.
    ManagedObject* addRow(const QList<std::pair<QVariant, QVariant>>& wordBits)
    {
        ManagedObject* row = l.lessons().insertNewObject(model::entity::RelatedWords);
        for (int slot = 1; slot <= wordBits.size(); ++slot) {
            row->setValue(key::word(slot), wordBits[slot - 1].first);
            row->setValue(key::bit(slot), wordBits[slot - 1].second);
        }
        return row;
    }
    int rowOf(ManagedObject* row) const { return int(words.arrangedObjects().indexOf(row)); }
    void selectInView(const QList<ManagedObject*>& rows)
    {
        table.clearSelection();
        for (ManagedObject* row : rows)
            table.selectionModel()->select(table.model()->index(rowOf(row), 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // The left Ctrl key pressed and released alone, with its key symbol as X11 reports it.
    void tapControl()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3, 0);
        QApplication::sendEvent(&table, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37, 0xffe3, 0);
        QApplication::sendEvent(&table, &release);
    }
    // Where a click lands on the row, scrolled into view.
    QPoint centreOf(ManagedObject* row)
    {
        const QModelIndex index = table.model()->index(rowOf(row), 0);
        table.scrollTo(index);
        return table.visualRect(index).center();
    }
    QString shownWord(int row) const { return table.model()->index(row, 0).data().toString(); }
};

QVariantMap request(const QString& level, const QString& unit, const QString& word)
{
    return {{"LevelIndex", level}, {"UnitIndex", unit}, {"cSpell", word}};
}

} // namespace

TEST(BitsWindow, ListsEveryRowByFirstWordWithCaseIgnoredAndCopiesRowsAsText)
{
    Bits b;
    ManagedObject* able = b.addRow({{"able", "a"}, {"table", "ble"}});
    ManagedObject* cabin = b.addRow({{"Qzabin", "ab"}, {"qzabins", "ins"}, {}, {"qzabinet", "et"}});
    ManagedObject* ably = b.addRow({{"ably", {}}, {"", "x"}});
    ManagedObject* later = b.addRow({{"qqfirst", "q"}, {"wwsecond", "w"}});
    QCoreApplication::processEvents(); // the context announces the new rows

    const int count = b.table.model()->rowCount();
    EXPECT_EQ(count, b.l.lessons().count(platform::FetchRequest::all("RelatedWords")).value_or(-1));
    EXPECT_GT(count, 15000);
    for (int row = 1; row < count; ++row)
        ASSERT_LE(b.shownWord(row - 1).compare(b.shownWord(row), Qt::CaseInsensitive), 0)
            << "rows " << row - 1 << " and " << row << ": " << b.shownWord(row - 1).toStdString()
            << ", " << b.shownWord(row).toStdString();
    EXPECT_EQ(b.table.model()->headerData(0, Qt::Horizontal).toString(), "Word 1");
    EXPECT_EQ(b.table.model()->headerData(9, Qt::Horizontal).toString(), "Bit 5");
    EXPECT_FALSE(b.table.model()->flags(b.table.model()->index(0, 0)) & Qt::ItemIsEditable);

    // Looking a word up selects the first row whose first word begins with it, else the first
    // where a later word does.
    QTest::keyClicks(b.window.lookUpField(), "QZABI");
    EXPECT_EQ(b.words.lastSelectedObject(), cabin);
    b.window.lookUpField()->clear();
    QTest::keyClicks(b.window.lookUpField(), "wwsec");
    EXPECT_EQ(b.words.lastSelectedObject(), later);
    EXPECT_FALSE(b.window.lookUpWord("wwzz"));
    EXPECT_EQ(b.words.lastSelectedObject(), later);

    // Selected bottom first, copied in display order through the table's Copy key: absent words
    // are skipped, an empty one is kept, an absent bit of a set word is "(null)".
    b.selectInView({cabin, ably, able});
    QTest::keyClick(&b.table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "able  a  table  ble  \n"
                                                    "ably  (null)    x  \n"
                                                    "Qzabin  ab  qzabins  ins  qzabinet  et  \n");

    // The Edit menu's Copy copies the rows too; with none selected, empty text.
    b.selectInView({able});
    QAction* copy = nullptr;
    for (QAction* menu : b.window.window()->menuBar()->actions())
        if (menu->menu() && menu->text() == "&Edit")
            copy = menu->menu()->actions().value(0);
    ASSERT_TRUE(copy && copy->text() == "Copy");
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "able  a  table  ble  \n");
    b.table.clearSelection();
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");

    // What changed while the window was closed is listed when it shows again.
    b.window.window()->close();
    ManagedObject* added = b.addRow({{"aardvarks", "s"}});
    b.l.lessons().deleteObject(able);
    QCoreApplication::processEvents();
    b.window.showWindow();
    EXPECT_EQ(b.table.model()->rowCount(), count);
    EXPECT_GE(b.rowOf(added), 0);
    EXPECT_EQ(b.rowOf(able), -1);
}

TEST(BitsWindow, AsksForTheLessonOfARowAfterControlAloneOrFromOpenLesson)
{
    Bits b;
    // The first row of level 1, unit 1, and the last row listed, of a later lesson.
    ManagedObject* first = nullptr;
    for (ManagedObject* row : b.words.arrangedObjects())
        if (!first && row->valueForKeyPath("section.unit.level.levelNumber") == "1" &&
            row->valueForKeyPath("section.unit.unitNumber") == "1")
            first = row;
    ASSERT_NE(first, nullptr);
    ManagedObject* last = b.words.arrangedObjects().last();
    const QString lastLevel = last->valueForKeyPath("section.unit.level.levelNumber").toString();
    const QString lastUnit = last->valueForKeyPath("section.unit.unitNumber").toString();
    ASSERT_NE(lastLevel, "1");

    // Without Control alone, activating a row asks for nothing.
    b.words.setSelectedObjects({last});
    QTest::keyClick(&b.table, Qt::Key_Return);
    QTest::mouseClick(b.table.viewport(), Qt::LeftButton, {}, b.centreOf(first));
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.posted.isEmpty());

    // After Control alone, activating a row asks once, on the next turn, for the lesson of the
    // row then selected; the table then works on many rows again.
    b.words.setSelectedObjects({last});
    b.tapControl();
    EXPECT_TRUE(b.table.controlKey());
    EXPECT_FALSE(b.table.allowsMultipleSelection());
    // A click and Return in one turn ask once.
    QTest::mouseClick(b.table.viewport(), Qt::LeftButton, {}, b.centreOf(first));
    QTest::keyClick(&b.table, Qt::Key_Return);
    EXPECT_TRUE(b.posted.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(b.posted.size(), 1);
    EXPECT_EQ(b.posted[0].first, &b.window);
    EXPECT_EQ(b.posted[0].second, request("0", "0", first->string(key::word(1))));
    EXPECT_FALSE(b.table.controlKey());
    EXPECT_TRUE(b.table.allowsMultipleSelection());
    QTest::keyClick(&b.table, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.posted.size(), 1);

    // "Open Lesson" brings the lessons window forward, then asks it for the row's lesson, which
    // it shows with the row's first word selected.
    QObject::connect(&b.window, &SpellBitsWindowController::lessonsWindowRequested,
                     &b.l.app->controller(), &LXMainAppController::showSpellLessonsWindow);
    QSignalSpy opened(&b.window, &SpellBitsWindowController::lessonsWindowRequested);
    b.words.setSelectedObjects({last});
    QTest::mouseClick(b.window.openLessonButton(), Qt::LeftButton);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(b.posted.size(), 1);
    QCoreApplication::processEvents();
    ASSERT_EQ(b.posted.size(), 2);
    EXPECT_EQ(b.posted[1].second,
              request(QString::number(lastLevel.toInt() - 1), QString::number(lastUnit.toInt() - 1),
                      last->string(key::word(1))));
    QCoreApplication::processEvents(); // the lessons window shows it on its next turn
    EXPECT_EQ(b.l.window->relatedWordsArrayController()->lastSelectedObject(), last);
}
