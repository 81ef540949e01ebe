// The analysis window's copy, print, drag, open-lesson and empty-list operations, through the
// controller and its table as the window uses them.
#include "lexotrace/analysis/AnalysisRowsModel.h"
#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "lexotrace/app/LXMainAppController.h"
#include "platform/Pasteboard.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

using namespace lexotrace;

namespace
{

AnalysisRow lessonRow(const QString& cSpell, const QString& mSpell, const QString& level,
                      const QString& unit, const QString& rule, const QString& root = {})
{
    AnalysisRow row;
    row.levelNumber = level;
    row.unitNumber = unit;
    row.reference = level + "-" + unit;
    row.generalRuleCode = "R" + unit;
    row.generalRule = rule;
    row.cSpell = cSpell;
    row.mSpell = mSpell;
    row.rootCSpell = root;
    return row;
}

struct Posted {
    QObject* object;
    QVariantMap userInfo;
};

struct Window : testsupport::ControllerFixture {
    AnalysisRowsModel rows;
    QMainWindow window;
    AnalysisWindowController controller{app, rows, &window};
    AnalysisTableView& table = *controller.analysisTableView();
    QObject receiver;
    QList<Posted> posted;

    Window()
    {
        app.setQuitHandler([] {});
        window.setCentralWidget(&table);
        notifications.addObserver(AnalysisWindowController::kPopUpLessonIndexNotification,
                                  &receiver, [this](QObject* object, const QVariantMap& info) {
                                      posted.append({object, info});
                                  });
    }
    void fill()
    {
        rows.append(lessonRow("receive", "recieve", "3", "12", "i before e except after c"));
        rows.append(AnalysisRow::notListed("zyzzyva", "zyzyva"));
        rows.append(lessonRow("hoping", "hopping", "2", "4", "drop the final e", "hope"));
    }
    void pressControl(quint32 keySym, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, modifiers, 37, keySym, 0);
        QApplication::sendEvent(&table, &press);
    }
};

constexpr quint32 kLeftControl = 0xffe3;
constexpr quint32 kRightControl = 0xffe4;

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

// Output of a poppler tool on the file; fails the test when the tool is missing.
QString popplerOutput(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing (poppler-utils, see scripts/deps)";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().data();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString printToPdf(const AnalysisWindowController& controller, const QString& name,
                   QPrinter& printer)
{
    const QString path = testsupport::sandboxRoot() + "/" + name;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    EXPECT_TRUE(controller.printToPrinter(printer));
    return path;
}

QStringList collapsedLines(const QString& text)
{
    // Compatibility forms undo the font's ligatures ("fi").
    QStringList lines = text.normalized(QString::NormalizationForm_KC).split('\n');
    for (QString& line : lines)
        line = line.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct WordBox {
    double xMin = 0, yMin = 0, xMax = 0;
};

// Page positions, in points, of each word on the first page (pdftotext -bbox).
QList<std::pair<QString, WordBox>> wordBoxes(const QString& pdf)
{
    const QString html = popplerOutput("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    QList<std::pair<QString, WordBox>> boxes;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        boxes.append(
            {m.captured(4),
             {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()}});
    }
    return boxes;
}

} // namespace

TEST(AnalysisWindowCopy, SelectedRowsBecomePlainTextLinesInDisplayOrder)
{
    Window w;
    w.fill();
    QGuiApplication::clipboard()->setText("stale");

    w.table.selectRowIndexes({0});
    EXPECT_TRUE(w.controller.prepareAnalysisContentForPaste());
    EXPECT_EQ(clipboardText(), "receive  recieve  i before e except after c  3-12\n");

    // Selected bottom first: still copied top to bottom; the fallback row has no reference.
    w.table.selectionModel()->clearSelection();
    for (int row : {2, 1})
        w.table.selectionModel()->select(w.table.model()->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // The Copy key of the table, not the view's default single-cell copy.
    QTest::keyClick(&w.table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "zyzzyva  zyzyva  " + AnalysisRow::kNotListed +
                                   "  <null>\n"
                                   "hoping  hopping  drop the final e  2-4\n");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{"text/plain"});

    w.table.selectionModel()->clearSelection();
    EXPECT_TRUE(w.controller.prepareAnalysisContentForPaste());
    EXPECT_EQ(clipboardText(), "");
}

TEST(AnalysisWindowPrint, EveryRowIsPrintedAsALineAndAnEmptyLineInOrder)
{
    Window w;
    w.fill();
    EXPECT_EQ(w.controller.printText().section('\n', 0, 1),
              "receive   recieve   i before e except after c   3-12\n");

    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = printToPdf(w.controller, "analysis.pdf", printer);
    const QStringList lines = collapsedLines(popplerOutput("pdftotext", {"-layout", pdf, "-"}));
    EXPECT_EQ(lines,
              (QStringList{"receive recieve i before e except after c 3-12", "",
                           "zyzzyva zyzyva " + AnalysisRow::kNotListed.simplified() + " <null>", "",
                           "hoping hopping drop the final e 2-4"}));

    // The printer keeps the page set-up it was printed with.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Point);
    EXPECT_EQ(margins, QMarginsF(50, 50, 50, 50));
    EXPECT_TRUE(popplerOutput("pdffonts", {pdf}).contains("Sans"));
}

TEST(AnalysisWindowPrint, TextStartsInsideTheMarginsAndIsDrawnAtNinetyPercent)
{
    Window w;
    w.rows.append(lessonRow("separate", "seperate", "1", "1", "rule"));
    QPrinter printer(QPrinter::HighResolution);
    const auto printed = wordBoxes(printToPdf(w.controller, "scaled.pdf", printer));
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_EQ(printed[0].first, "separate");
    EXPECT_NEAR(printed[0].second.xMin, 50.0, 1.0);
    EXPECT_GT(printed[0].second.yMin, 49.5);
    EXPECT_LT(printed[0].second.yMin, 55.0);

    // The same text and font at full scale is wider by 1/0.9.
    QPrinter full(QPrinter::HighResolution);
    full.setOutputFormat(QPrinter::PdfFormat);
    const QString fullPdf = testsupport::sandboxRoot() + "/full.pdf";
    full.setOutputFileName(fullPdf);
    platform::TextPageSetup setup = AnalysisWindowController::printSetup();
    setup.scale = 1.0;
    ASSERT_TRUE(platform::printPlainText(full, w.controller.printText(), setup));
    const auto unscaled = wordBoxes(fullPdf);
    ASSERT_FALSE(unscaled.isEmpty());
    const double ratio = (printed[0].second.xMax - printed[0].second.xMin) /
                         (unscaled[0].second.xMax - unscaled[0].second.xMin);
    EXPECT_NEAR(ratio, 0.9, 0.01);
}

TEST(AnalysisWindowPrint, ALongListRunsOverSeveralPagesWithoutLosingARow)
{
    Window w;
    for (int i = 0; i < 120; ++i)
        w.rows.append(AnalysisRow::likelyTypo(QString("word%1").arg(i), QString("wrod%1").arg(i)));
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = printToPdf(w.controller, "long.pdf", printer);
    const QRegularExpression pages(R"(Pages:\s+(\d+))");
    EXPECT_GT(pages.match(popplerOutput("pdfinfo", {pdf})).captured(1).toInt(), 1);

    QStringList words;
    for (const QString& line : popplerOutput("pdftotext", {"-layout", pdf, "-"}).split('\n'))
        if (line.trimmed().startsWith("word"))
            words.append(line.simplified().section(' ', 0, 0));
    ASSERT_EQ(words.size(), 120);
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(words[i], QString("word%1").arg(i));
}

TEST(AnalysisWindowDrag, OnlyTheLastDraggedRowsWordTravelsInThePayloadAndTheFile)
{
    Window w;
    w.fill();
    w.table.setControlKey(true);
    w.table.setAllowsMultipleSelection(false);

    QMimeData data;
    data.setText("left over");
    EXPECT_TRUE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({2, 0, 1}, &data));
    const QString format = "application/x-KVRDragNDropNotFoundWordRecordType";
    EXPECT_EQ(data.formats(), QStringList{format});
    const QVariantMap expected{{"cSpell", "hoping"}};
    EXPECT_EQ(platform::keyedArchive::unarchiveDictionary(data.data(format)), expected);
    const QByteArray file = testsupport::readFile(
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath("appData.data"));
    EXPECT_EQ(platform::keyedArchive::unarchiveDictionary(file), expected);
    EXPECT_FALSE(w.table.controlKey());
    EXPECT_TRUE(w.table.allowsMultipleSelection());

    // A drag started on the table asks its model for the payload of the selected rows.
    const QModelIndexList dragged{w.table.model()->index(0, 0), w.table.model()->index(0, 3),
                                  w.table.model()->index(1, 0)};
    EXPECT_TRUE(w.table.model()->flags(dragged[0]) & Qt::ItemIsDragEnabled);
    std::unique_ptr<QMimeData> drag(w.table.model()->mimeData(dragged));
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(platform::keyedArchive::unarchiveDictionary(drag->data(format)),
              (QVariantMap{{"cSpell", "zyzzyva"}}));

    // Without a documents folder the file cannot be written; the drag still carries the word.
    ASSERT_TRUE(QDir(testsupport::sandboxRoot() + "/Documents").removeRecursively());
    QMimeData noFile;
    EXPECT_TRUE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({0}, &noFile));
    EXPECT_EQ(platform::keyedArchive::unarchiveDictionary(noFile.data(format)),
              (QVariantMap{{"cSpell", "receive"}}));

    QMimeData none;
    EXPECT_FALSE(w.controller.prepareAnalysisContentForDragToLessonWithRowIndexes({7}, &none));
    EXPECT_TRUE(none.formats().isEmpty());
}

TEST(AnalysisWindowOpenLesson, PostsZeroBasedIndexesOfTheLastSelectedRow)
{
    Window w;
    w.fill();
    w.table.selectRowIndexes({0});
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    ASSERT_EQ(w.posted.size(), 1);
    EXPECT_EQ(w.posted[0].object, &w.controller);
    EXPECT_EQ(w.posted[0].userInfo, (QVariantMap{{"LevelIndex", "2"},
                                                 {"UnitIndex", "11"},
                                                 {"CntrlKyDwn", "NO"},
                                                 {"cSpell", "receive"}}));

    // The last of several; a row reached through its root names the root.
    w.table.selectRowIndexes({2, 0});
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    ASSERT_EQ(w.posted.size(), 2);
    EXPECT_EQ(w.posted[1].userInfo.value("LevelIndex"), "1");
    EXPECT_EQ(w.posted[1].userInfo.value("UnitIndex"), "3");
    EXPECT_EQ(w.posted[1].userInfo.value("cSpell"), "hope");

    w.table.selectionModel()->clearSelection();
    EXPECT_FALSE(w.controller.transmitSelectedRowDataToLessonsTableView());
    EXPECT_EQ(w.posted.size(), 2);
}

TEST(AnalysisWindowOpenLesson, AFallbackRowNamesNoLessonAndTheLeftControlKeyRuleApplies)
{
    Window w;
    w.fill();
    w.table.selectRowIndexes({1});
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    ASSERT_EQ(w.posted.size(), 1);
    EXPECT_EQ(w.posted[0].userInfo, (QVariantMap{{"LevelIndex", "-1"},
                                                 {"UnitIndex", "-1"},
                                                 {"CntrlKyDwn", "NO"},
                                                 {"cSpell", "zyzzyva"}}));
    EXPECT_TRUE(w.table.allowsMultipleSelection());

    // Right Ctrl, or left Ctrl with another modifier, is not the rule's key.
    w.pressControl(kRightControl);
    w.pressControl(kLeftControl, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(w.table.controlKey());
    EXPECT_TRUE(w.table.allowsMultipleSelection());

    w.pressControl(kLeftControl);
    EXPECT_TRUE(w.table.controlKey());
    EXPECT_FALSE(w.table.allowsMultipleSelection());
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    ASSERT_EQ(w.posted.size(), 2);
    EXPECT_EQ(w.posted[1].userInfo.value("LevelIndex"), "-1");
    EXPECT_FALSE(w.table.allowsMultipleSelection());
    EXPECT_FALSE(w.table.controlKey());

    // On a lesson row the key only re-allows multiple selection.
    w.table.selectRowIndexes({0});
    w.pressControl(kLeftControl, Qt::NoModifier);
    EXPECT_TRUE(w.controller.transmitSelectedRowDataToLessonsTableView());
    EXPECT_EQ(w.posted[2].userInfo.value("UnitIndex"), "11");
    EXPECT_TRUE(w.table.allowsMultipleSelection());
    EXPECT_FALSE(w.table.controlKey());
}

TEST(AnalysisWindowOpenLesson, OpensTheLessonsWindowFirstAndTellsItOnTheNextTurn)
{
    Window w;
    w.fill();
    w.table.selectRowIndexes({0});
    w.table.openLessonAction()->trigger();
    ASSERT_NE(w.app.spellLessonsWindowController(), nullptr);
    EXPECT_TRUE(w.posted.isEmpty());
    QTRY_COMPARE(w.posted.size(), 1);
    EXPECT_EQ(w.posted[0].userInfo.value("UnitIndex"), "11");
}

TEST(AnalysisWindowEmptyList, TheSheetAppearsOnTheWindowAfterOneSecondAndNotBefore)
{
    Window w;
    QElapsedTimer clock;
    clock.start();
    w.controller.postEmptyListMessage();
    QTest::qWait(800);
    EXPECT_EQ(w.alerts.sheetCount(), 0);
    while (w.alerts.sheetCount() == 0 && clock.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_GE(clock.elapsed(), 1000);
    ASSERT_EQ(w.alerts.shown.size(), 1);
    const auto& shown = w.alerts.shown[0];
    EXPECT_TRUE(shown.sheet);
    EXPECT_EQ(shown.window, &w.window);
    EXPECT_EQ(shown.alert.messageText, "Your word error list is empty.");
    EXPECT_EQ(shown.alert.informativeText,
              "Check to make sure you have any word errors in your Typewarden list.");
    EXPECT_EQ(shown.alert.buttons, QStringList{"OK"});
}

TEST(AnalysisWindowTable, ScrollsToTheEndOfALongList)
{
    Window w;
    for (int i = 0; i < 200; ++i)
        w.rows.append(AnalysisRow::likelyTypo(QString("w%1").arg(i), "x"));
    w.window.resize(400, 200);
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    QScrollBar* bar = w.table.verticalScrollBar();
    EXPECT_EQ(bar->value(), 0);
    w.table.scrollToEndOfList();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}
