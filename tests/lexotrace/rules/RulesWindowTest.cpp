// The rules window over the factory rules: order, the lessons a rule names and the jump to them,
// adding and deleting, copy and print, save, revert and close, export and import.
#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/rules/RulesArrayController.h"
#include "lexotrace/rules/SpellRulesTableView.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "lexotrace/rules/SpellRulesWindowDelegate.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"
#include "model/OrthovaModel.h"
#include "tests/lexotrace/app/LoadedProgram.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMainWindow>
#include <QMimeData>
#include <QPdfWriter>
#include <QStringDecoder>
#include <QUrl>

using namespace lexotrace;
namespace key = model::key;

namespace
{

using Action = SpellRulesWindowDelegate::Action;

struct RulesProgram : testsupport::LoadedProgram {
    SpellRulesWindowController* rules = nullptr;
    RulesProgram()
    {
        app->controller().showSpellRuleWindow();
        rules = app->controller().spellRulesWindowController();
        QCoreApplication::processEvents();
    }
    RulesArrayController& list() { return *rules->rulesArrayController(); }
    SpellRulesWindowDelegate& delegate() { return *rules->spellRulesWindowDelegate(); }
    platform::ObjectContext& context()
    {
        return *app->controller().spellRuleCoreDataAppDelegate()->rulesDBase();
    }
    QStringList codes()
    {
        QStringList all;
        for (const platform::ManagedObject* rule : list().arrangedObjects())
            all.append(rule->string(key::ruleCode));
        return all;
    }
    QStringList popUpItems()
    {
        QStringList items;
        for (int i = 0; i < rules->popUpButton()->count(); ++i)
            items.append(rules->popUpButton()->itemText(i));
        return items;
    }
    void selectCode(const QString& code) { list().setSelectionIndex(codes().indexOf(code)); }
};

// The import runs on the turn after its question; the list follows on the turn after that.
void settle()
{
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
}

QByteArray rulesFile(const QList<std::array<QString, 3>>& rules)
{
    QString text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rulesData>\n";
    for (const auto& [code, rule, reference] : rules)
        text += QString("<ruleObject><ruleCode>%1</ruleCode><rule>%2</rule><reference>%3"
                        "</reference></ruleObject>\n")
                    .arg(code, rule, reference);
    return (text + "</rulesData>\n").toUtf8();
}

TEST(RulesWindow, ReferencesBecomePopUpItemsThatOpenTheirLesson)
{
    const QList<std::pair<QStringList, QStringList>> forms{
        {{"2-U14", "U15", "3-U2"}, {"2-14", "2-15", "3-2"}},
        {{"U4", "5-U1", "U3"}, {"-4", "5-1", "5-3"}},
        {{"7-U", "x", "12-U3-U4"}, {"7-", "7-x", "12-3"}},
    };
    for (const auto& [entries, items] : forms)
        EXPECT_EQ(SpellRulesWindowController::parseAndOrderCodeArray(entries), items);

    RulesProgram p;
    // Numeric order of code, all of the factory rules.
    const QStringList codes = p.codes();
    ASSERT_GT(codes.size(), 100);
    for (qsizetype i = 0; i < codes.size(); ++i)
        EXPECT_EQ(codes[i], QString::number(i + 1));
    EXPECT_EQ(p.rules->spellRulesTableView()->accessibleName(), "Rules");
    EXPECT_EQ(p.rules->popUpButton()->accessibleName(), "Lessons of the rule");

    // A rule that names two lessons: selecting it lists them; choosing the second shows it in
    // the lessons window, which is asked for again once it is shown.
    platform::ManagedObject* rule = p.list().arrangedObjects()[4];
    rule->setValue(key::reference, "3-U2, U4");
    int lessonsRequested = 0;
    QObject::connect(p.rules, &SpellRulesWindowController::lessonsWindowRequested,
                     [&] { ++lessonsRequested; });
    p.selectCode("5");
    EXPECT_EQ(p.popUpItems(), QStringList({"3-2", "3-4"}));
    p.rules->popUpButton()->setCurrentIndex(1);
    emit p.rules->popUpButton()->activated(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(lessonsRequested, 1);
    EXPECT_EQ(p.window->levelsArrayController()->selectionIndex(), 2);
    EXPECT_EQ(p.window->unitsArrayController()->selectionIndex(), 3);

    // A rule without lessons shows the empty item, not the last rule's.
    rule->setValue(key::reference, QVariant());
    p.selectCode("6");
    p.selectCode("5");
    EXPECT_EQ(p.popUpItems(), QStringList{"Empty"});
    // Neither does an item without a level, nor one naming a unit its level does not have.
    rule->setValue(key::reference, "U9, 2-U99");
    p.selectCode("6");
    p.selectCode("5");
    for (int item : {0, 1}) {
        p.rules->popUpButton()->setCurrentIndex(item);
        emit p.rules->popUpButton()->activated(item);
        QCoreApplication::processEvents();
        EXPECT_EQ(p.window->levelsArrayController()->selectionIndex(), 2);
        EXPECT_EQ(p.window->unitsArrayController()->selectionIndex(), 3);
    }

    // The selected rule dragged onto a unit's general rule gives it the rule's code and text.
    const QTableView* table = p.rules->spellRulesTableView();
    EXPECT_TRUE(table->dragEnabled() &&
                table->model()->flags(table->model()->index(4, 1)) & Qt::ItemIsDragEnabled);
    QMimeData drag;
    ASSERT_TRUE(p.delegate().writeRulesToPasteboard(drag));
    ASSERT_TRUE(p.window->generalRuleTextView()->readFromPasteboard(drag));
    EXPECT_EQ(p.window->unitsArrayController()->lastSelectedObject()->string(key::generalRuleCode),
              "5");
}

TEST(RulesWindow, AddDeleteCopyAndPrintKeepEachRuleWithItsOwnCodeAndLessons)
{
    RulesProgram p;
    const qsizetype factory = p.codes().size();
    ASSERT_GT(factory, 100);
    EXPECT_FALSE(p.delegate().validateUserInterfaceItem(Action::Save));
    ASSERT_TRUE(p.list().add());
    EXPECT_EQ(p.codes().last(), QString::number(factory + 1));
    EXPECT_EQ(p.list().selectionIndexes(), QList<qsizetype>{factory});
    EXPECT_TRUE(p.delegate().validateUserInterfaceItem(Action::Save));

    // Deleting leaves a gap: the next rule still gets a code of its own.
    p.selectCode("3");
    p.list().remove();
    ASSERT_EQ(p.codes().size(), factory);
    p.list().add();
    EXPECT_EQ(p.codes().last(), QString::number(factory + 2));
    p.delegate().undo();
    p.delegate().undo();
    QCoreApplication::processEvents();
    EXPECT_EQ(p.codes().mid(1, 3), QStringList({"2", "3", "4"}));

    p.list().arrangedObjects()[2]->setValue(key::reference, "2-U14, U15");
    p.list().arrangedObjects()[3]->setValue(key::reference, "4-U1");
    p.list().setSelectionIndexes({3, 2});
    const QString copied = p.rules->deriveRulesCopyContent();
    const auto line = [&](int i, const QString& lessons) {
        const platform::ManagedObject* rule = p.list().arrangedObjects()[i];
        return QString("%1.  %2     Lessons: %3\n")
            .arg(rule->string(key::ruleCode), rule->string(key::rule), lessons);
    };
    EXPECT_EQ(copied, line(2, "2-14, 2-15") + line(3, "4-1"));
    EXPECT_EQ(QApplication::clipboard()->text(), copied);

    const QStringList printed = p.delegate().printText().split('\n');
    ASSERT_EQ(printed.size(), factory + 2) << "the rules, the added one and the last line's end";
    const platform::ManagedObject* third = p.list().arrangedObjects()[2];
    EXPECT_EQ(printed[2], QString("3   %1   2-14, 2-15").arg(third->string(key::rule)));

    const QString pdf = testsupport::sandboxRoot() + "/rules.pdf";
    {
        QPdfWriter writer(pdf);
        ASSERT_TRUE(p.delegate().printToDevice(writer));
    }
    const QString pdfText = testsupport::pdfLines(pdf).join(' ');
    EXPECT_TRUE(pdfText.contains("3 " + third->string(key::rule).simplified().left(30)));
    EXPECT_TRUE(pdfText.contains("2-14, 2-15"));
}

TEST(RulesWindow, SaveRevertAndCloseSettleChangesAsTheUserSays)
{
    RulesProgram p;
    platform::ManagedObject* first = p.list().arrangedObjects().first();
    const QString original = first->string(key::rule);
    first->setValue(key::rule, "Edited");
    p.delegate().revertAction();
    EXPECT_EQ(p.list().arrangedObjects().first()->string(key::rule), original);
    EXPECT_FALSE(p.delegate().validateUserInterfaceItem(Action::Revert));

    // Closing with changes: Cancel drops them, OK saves them; the window closes either way.
    for (const int answer : {1, 0}) {
        p.rules->showWindow();
        p.list().arrangedObjects().first()->setValue(key::rule, "Edited");
        p.alerts.answer = answer;
        p.alerts.shown.clear();
        p.rules->window()->close();
        EXPECT_FALSE(p.rules->window()->isVisible());
        EXPECT_EQ(p.lastSheet(), "Over write?");
        EXPECT_FALSE(p.context().hasChanges());
        EXPECT_EQ(p.list().arrangedObjects().first()->string(key::rule),
                  answer == 0 ? "Edited" : original);
    }
}

TEST(RulesWindow, ImportReplacesTheRulesWithTheExportedFileOnlyWhenItHoldsRules)
{
    RulesProgram p;
    const QString file = testsupport::sandboxRoot() + "/Orthova rules.xml";
    p.panels.chosen = file;
    p.rules->exportXML();
    const QByteArray exported = testsupport::readFile(file);
    auto decode =
        QStringDecoder(QStringDecoder::encodingForData(exported).value_or(QStringDecoder::Utf8));
    EXPECT_EQ(QString(decode(exported)).count("<ruleObject>"), p.codes().size());

    // The file edited elsewhere, then imported after the question.
    ASSERT_TRUE(testsupport::writeFile(file, rulesFile({{"1", "One", "1-U1"}, {"2", "Two", ""}})));
    p.rules->importXML();
    settle();
    EXPECT_EQ(p.codes(), QStringList({"1", "2"}));
    EXPECT_FALSE(p.context().hasChanges()) << "an import is saved";

    // Files that yield no rules leave the rules as they were: one without rules is told, and
    // one that cannot be read is told by the reader.
    for (const QByteArray& bad : {rulesFile({}), QByteArray("\x01 not xml")}) {
        ASSERT_TRUE(testsupport::writeFile(file, bad));
        p.alerts.shown.clear();
        p.rules->importXML();
        settle();
        EXPECT_EQ(p.codes(), QStringList({"1", "2"}));
        EXPECT_FALSE(p.context().hasChanges());
        EXPECT_EQ(p.alerts.shown.size(), 2) << "the question and the reason";
    }

    // A file dropped on the window is imported, after the same question; anything else is not.
    const QString dropped = testsupport::sandboxRoot() + "/dropped.xml";
    ASSERT_TRUE(testsupport::writeFile(dropped, rulesFile({{"7", "Seven", "2-U3"}})));
    for (const QUrl& url : {QUrl("https://example.org/rules.xml"), QUrl::fromLocalFile(dropped)}) {
        QMimeData data;
        data.setUrls({url});
        p.delegate().performDragOperation(data);
        settle();
    }
    EXPECT_EQ(p.codes(), QStringList{"7"});
}

} // namespace
