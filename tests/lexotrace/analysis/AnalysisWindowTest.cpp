// The analysis window's copy, print, drag, open-lesson and empty-list operations, through the
// controller and its table as the window uses them.
#include "lexotrace/analysis/AnalysisRowsModel.h"
#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "platform/Pasteboard.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>

#include <functional>

using namespace lexotrace;
using platform::keyedArchive::unarchiveDictionary;

namespace
{

struct Window : testsupport::ControllerFixture {
    AnalysisRowsModel rows;
    QMainWindow window;
    AnalysisWindowController controller{AnalysisServices{stores, alerts, notifications}, rows,
                                        &window};
    AnalysisTableView& table = *controller.analysisTableView();
    QObject receiver;
    QList<std::pair<QObject*, QVariantMap>> posted;

    Window()
    {
        window.setCentralWidget(&table);
        notifications.addObserver(AnalysisWindowController::kPopUpLessonIndexNotification,
                                  &receiver, [this](QObject* object, const QVariantMap& info) {
                                      posted.append({object, info});
                                  });
        // Level, unit, reference, rule code, rule, correct and wrong spelling, root.
        rows.append(AnalysisRow{"3", "12", "3-12", "R12", "i before e except after c", "receive",
                                "recieve", ""});
        rows.append(AnalysisRow::notListed("zyzzyva", "zyzyva"));
        rows.append(
            AnalysisRow{"2", "4", "2-4", "R4", "drop the final e", "hoping", "hopping", "hope"});
    }
    // A Ctrl key pressed and released, with native key symbols as X11 and Wayland report them;
    // `between` runs while it is held.
    void tapControl(bool left, Qt::KeyboardModifiers modifiers = Qt::ControlModifier,
                    const std::function<void()>& between = {})
    {
        const quint32 sym = left ? 0xffe3 : 0xffe4;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, modifiers, 37, sym, 0);
        QApplication::sendEvent(&table, &press);
        if (between)
            between();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37, sym, 0);
        QApplication::sendEvent(&table, &release);
    }
};

} // namespace

TEST(AnalysisWindowCopy, SelectedRowsBecomePlainTextLinesInDisplayOrder)
{
    Window w;
    // Selected bottom first, copied top to bottom, through the table's own Copy key.
    w.table.selectRowIndexes({2, 1});
    QTest::keyClick(&w.table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "zyzzyva  zyzyva  " + AnalysisRow::kNotListed +
                                                        "  <null>\n"
                                                        "hoping  hopping  drop the final e  2-4\n");

    w.table.selectionModel()->clearSelection();
    EXPECT_TRUE(w.controller.prepareAnalysisContentForPaste());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST(AnalysisWindowPrint, EveryRowIsALineAndAnEmptyLineInOrderAtNinetyPercentInsideTheMargins)
{
    Window w;
    QStringList expected{"receive recieve i before e except after c 3-12", "",
                         "zyzzyva zyzyva " + AnalysisRow::kNotListed.simplified() + " <null>", "",
                         "hoping hopping drop the final e 2-4"};
    // Enough rows to run over several pages.
    for (int i = 0; i < 120; ++i) {
        w.rows.append(AnalysisRow::likelyTypo(QString("word%1").arg(i), "x"));
        expected << "" << QString("word%1 x %2 <null>").arg(i).arg(AnalysisRow::kLikelyTypo);
    }
    const QString pdf = testsupport::sandboxRoot() + "/analysis.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(w.controller.printToPrinter(printer));

    // A page break stands for the empty line that ends its page.
    EXPECT_EQ(testsupport::pdfLines(pdf).join('\n').trimmed(), expected.join('\n'));
    const auto pages =
        QRegularExpression(R"(Pages:\s+(\d+))").match(testsupport::toolOutput("pdfinfo", {pdf}));
    EXPECT_GT(pages.captured(1).toInt(), 1) << "several pages";
    EXPECT_TRUE(testsupport::toolOutput("pdffonts", {pdf}).contains("Sans"));

    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Point), QMarginsF(50, 50, 50, 50));
    static const QRegularExpression firstWord(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    const auto box =
        firstWord.match(testsupport::toolOutput("pdftotext", {"-bbox", "-l", "1", pdf, "-"}));
    EXPECT_EQ(box.captured(4), "receive");
    const double left = box.captured(1).toDouble(), top = box.captured(2).toDouble();
    EXPECT_NEAR(left, 50.0, 1.0);
    EXPECT_TRUE(top > 49.5 && top < 55.0) << top;
    // The word is 0.9 of its width at full scale.
    const double fullWidth = QFontMetricsF(AnalysisWindowController::printSetup().font, &printer)
                                 .horizontalAdvance("receive") *
                             72 / printer.resolution();
    EXPECT_NEAR((box.captured(3).toDouble() - left) / fullWidth, 0.9, 0.01);
}

TEST(AnalysisWindowDrag, OnlyTheLastDraggedRowsWordTravelsInThePayloadAndTheFile)
{
    Window w;
    w.table.setControlKey(true);
    w.table.setAllowsMultipleSelection(false);
    const QString format = "application/x-KVRDragNDropNotFoundWordRecordType";
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    QMimeData data;
    data.setText("left over");
    EXPECT_TRUE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({2, 0, 1}, &data));
    EXPECT_EQ(data.formats(), QStringList{format});
    EXPECT_EQ(unarchiveDictionary(data.data(format)), (QVariantMap{{"cSpell", "hoping"}}));
    EXPECT_EQ(unarchiveDictionary(testsupport::readFile(documents + "/appData.data")),
              (QVariantMap{{"cSpell", "hoping"}}));
    EXPECT_FALSE(w.table.controlKey());
    EXPECT_TRUE(w.table.allowsMultipleSelection());

    // A drag started on the table asks its model for the payload of the dragged rows.
    QAbstractItemModel& model = *w.table.model();
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled);
    std::unique_ptr<QMimeData> drag(
        model.mimeData({model.index(0, 0), model.index(0, 3), model.index(1, 0)}));
    EXPECT_EQ(unarchiveDictionary(drag->data(format)), (QVariantMap{{"cSpell", "zyzzyva"}}));

    // A missing documents folder is made; one that cannot be made is reported after the drag,
    // which still carries the word.
    ASSERT_TRUE(QDir(documents).removeRecursively());
    EXPECT_TRUE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({0}, &data));
    EXPECT_EQ(unarchiveDictionary(testsupport::readFile(documents + "/appData.data")),
              (QVariantMap{{"cSpell", "receive"}}));
    ASSERT_TRUE(QDir(documents).removeRecursively());
    ASSERT_TRUE(testsupport::writeFile(documents, "a file where the folder should be"));
    EXPECT_TRUE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({1}, &data));
    EXPECT_EQ(unarchiveDictionary(data.data(format)), (QVariantMap{{"cSpell", "zyzzyva"}}));
    EXPECT_TRUE(w.alerts.shown.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.alerts.shown.isEmpty(); }));
    EXPECT_TRUE(w.alerts.shown[0].sheet);
    EXPECT_TRUE(w.alerts.shown[0].alert.informativeText.contains(documents));
    ASSERT_TRUE(QFile::remove(documents));

    QMimeData none;
    EXPECT_FALSE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({7}, &none));
    EXPECT_TRUE(none.formats().isEmpty());
}

TEST(AnalysisWindowOpenLesson, PostsZeroBasedIndexesOfTheLastSelectedRow)
{
    Window w;
    const struct {
        QList<int> selected;
        QString level, unit, word;
    } cases[] = {
        {{0}, "2", "11", "receive"},
        {{1}, "-1", "-1", "zyzzyva"}, // a fallback row names no lesson
        {{2, 0}, "1", "3", "hope"},   // the last of several, named by its root
    };
    for (const auto& c : cases) {
        w.table.selectRowIndexes(c.selected);
        EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
        ASSERT_FALSE(w.posted.isEmpty());
        EXPECT_EQ(w.posted.takeFirst(), std::make_pair(static_cast<QObject*>(&w.controller),
                                                       QVariantMap{{"LevelIndex", c.level},
                                                                   {"UnitIndex", c.unit},
                                                                   {"CntrlKyDwn", "NO"},
                                                                   {"cSpell", c.word}}));
    }
    w.table.selectionModel()->clearSelection();
    EXPECT_FALSE(w.controller.transmitSelectedRowDataToLessonsTableView());
    EXPECT_TRUE(w.posted.isEmpty());

    // Open Lesson asks for the lessons window first and tells it on the next turn.
    QSignalSpy shown(&w.controller, &AnalysisWindowController::lessonsWindowRequested);
    w.table.selectRowIndexes({0});
    w.table.openLessonAction()->trigger();
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(w.posted.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.posted.size() == 1; }));
}

TEST(AnalysisWindowOpenLesson, LeftControlAloneKeepsAFallbackRowToSingleSelection)
{
    Window w;
    w.table.selectRowIndexes({1});
    // Right Ctrl, left Ctrl with another modifier, and left Ctrl as part of a shortcut are not
    // the rule's key: Ctrl+A still selects every row.
    w.tapControl(false);
    w.tapControl(true, Qt::ControlModifier | Qt::ShiftModifier);
    w.tapControl(true, Qt::ControlModifier,
                 [&] { QTest::keyClick(&w.table, Qt::Key_A, Qt::ControlModifier); });
    EXPECT_FALSE(w.table.controlKey());
    EXPECT_TRUE(w.table.allowsMultipleSelection());
    EXPECT_EQ(w.table.selectedRowIndexes(), (QList<int>{0, 1, 2}));

    w.table.selectRowIndexes({1});
    w.tapControl(true);
    EXPECT_TRUE(w.table.controlKey());
    EXPECT_FALSE(w.table.allowsMultipleSelection());
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    EXPECT_FALSE(w.table.allowsMultipleSelection());
    EXPECT_FALSE(w.table.controlKey());

    // A shortcut or a Ctrl-click after Control alone works on many rows again.
    w.tapControl(true);
    QTest::keyClick(&w.table, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.table.selectedRowIndexes(), (QList<int>{0, 1, 2}));
    w.table.selectRowIndexes({1});
    w.tapControl(true);
    ASSERT_FALSE(w.table.allowsMultipleSelection());
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    const QPoint third = w.table.visualRect(w.table.model()->index(2, 0)).center();
    QTest::mouseClick(w.table.viewport(), Qt::LeftButton, Qt::ControlModifier, third);
    EXPECT_EQ(w.table.selectedRowIndexes(), (QList<int>{1, 2}));
    EXPECT_FALSE(w.table.controlKey());

    // On a lesson row the key only re-allows multiple selection.
    w.table.selectRowIndexes({0});
    w.tapControl(true, Qt::NoModifier);
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    EXPECT_EQ(w.posted.last().second.value("UnitIndex"), "11");
    EXPECT_TRUE(w.table.allowsMultipleSelection());
    EXPECT_FALSE(w.table.controlKey());
}

TEST(AnalysisWindowEmptyList, TheSheetAppearsOnTheWindowAfterOneSecondAndNotBefore)
{
    Window w;
    QElapsedTimer clock;
    clock.start();
    w.controller.postEmptyListMessage();
    QTest::qWait(800);
    EXPECT_TRUE(w.alerts.shown.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.alerts.shown.isEmpty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 1000);
    ASSERT_EQ(w.alerts.shown.size(), 1);
    const auto& [alert, window, sheet] = w.alerts.shown[0];
    EXPECT_TRUE(sheet);
    EXPECT_EQ(window, &w.window);
    EXPECT_EQ(alert.messageText, "Your word error list is empty.");
}

TEST(AnalysisWindowTable, ScrollsToTheEndOfALongList)
{
    Window w;
    for (int i = 0; i < 200; ++i)
        w.rows.append(AnalysisRow::likelyTypo(QString("w%1").arg(i), "x"));
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    w.table.scrollToEndOfList();
    const QScrollBar* bar = w.table.verticalScrollBar();
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(AnalysisWindowTable, ColumnsFitTheirTitlesInTheSessionsLanguage)
{
    // German titles are longer than the English ones the column widths were made for. The
    // translator leaves the application with this test.
    QTranslator german;
    ASSERT_TRUE(german.load(ORTHOVA_BINARY_DIR "/resources/translations/orthova_de.qm"));
    QCoreApplication::installTranslator(&german);
    Window w;
    const QString title = w.rows.headerData(0, Qt::Horizontal).toString();
    EXPECT_NE(title, "Correct spelling");
    EXPECT_EQ(title, german.translate("lexotrace::AnalysisRowsModel", "Correct spelling"));
    const QHeaderView* header = w.table.horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (column == AnalysisRowsModel::RuleColumn)
            continue;
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << column;
    }
}
