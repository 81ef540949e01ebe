// The unit-rule text view: showing and editing the selected unit's rule, rules dropped from the
// rules window, the Control key and the focus ring.
#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "model/OrthovaModel.h"
#include "platform/ArrayController.h"
#include "platform/Pasteboard.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using lexotrace::GeneralRuleTextView;
using platform::ManagedObject;
namespace key = model::key;

namespace
{

struct RuleView {
    testsupport::StoreOnDisk store{testsupport::sandboxRoot() + "/rule-view.xml"};
    platform::ObjectContext* context = store.context.get();
    std::unique_ptr<platform::ArrayController> units;
    QWidget window;
    GeneralRuleTextView* view = new GeneralRuleTextView(&window);
    QLineEdit* code = new QLineEdit(&window);

    RuleView()
    {
        for (const char* rule : {"Drop the final e.", "Keep the final e."}) {
            ManagedObject* unit = context->insertNewObject(model::entity::Unit);
            unit->setValue(key::unitNumber, QString::number(context->insertedObjects().size()));
            unit->setValue(key::generalRule, rule);
        }
        units = std::make_unique<platform::ArrayController>(context, model::entity::Unit);
        units->setSortDescriptors({{key::unitNumber, true, platform::Comparison::Numeric}});
        units->setSelectionIndex(0);
        view->setUnitsArrayController(units.get());
        view->setCodeTextField(code);
    }
    ManagedObject& unit(int i) { return *units->arrangedObjects().at(i); }
    void tapLeftControl()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3, 0);
        QApplication::sendEvent(view, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37, 0xffe3, 0);
        QApplication::sendEvent(view, &release);
    }
};

QMimeData* rule(const QVariantMap& values)
{
    auto* data = new QMimeData;
    platform::pasteboard::setSingleType(*data, GeneralRuleTextView::kRuleDragType,
                                        platform::keyedArchive::archive(values).value());
    return data;
}

TEST(GeneralRuleTextView, ShowsAndEditsTheSelectedUnitsRule)
{
    RuleView v;
    EXPECT_EQ(v.view->toPlainText(), "Drop the final e.");
    v.view->selectAll();
    QTest::keyClicks(v.view, "Double it.");
    EXPECT_EQ(v.unit(0).string(key::generalRule), "Double it.");
    v.units->setSelectionIndex(1);
    EXPECT_EQ(v.view->toPlainText(), "Keep the final e.");
    EXPECT_EQ(v.unit(0).string(key::generalRule), "Double it.");
}

TEST(GeneralRuleTextView, ADroppedRuleSetsTheUnitsCodeAndRuleWithTheTextSelected)
{
    RuleView v;
    std::unique_ptr<QMimeData> dropped(
        rule({{"ruleCode", "12"}, {"rule", "Double the final consonant."}}));
    // As a real drag does: enter, then drop.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, dropped.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(v.view->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, dropped.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(v.view->viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(v.unit(0).string(key::generalRuleCode), "12");
    EXPECT_EQ(v.unit(0).string(key::generalRule), "Double the final consonant.");
    EXPECT_EQ(v.view->textCursor().selectedText(), "Double the final consonant.");
    EXPECT_EQ(v.code->selectedText(), "12");

    // Data without a rule is refused and changes nothing.
    std::unique_ptr<QMimeData> empty(rule({{"ruleCode", "99"}}));
    EXPECT_FALSE(v.view->readFromPasteboard(*empty));
    EXPECT_FALSE(v.view->readFromPasteboard(QMimeData()));
    EXPECT_EQ(v.unit(0).string(key::generalRuleCode), "12");
}

TEST(GeneralRuleTextView, EditCommandsGoToTheWindowAndControlAloneLastsUntilTyping)
{
    RuleView v;
    QSignalSpy copies(v.view, &GeneralRuleTextView::copyRequested);
    QSignalSpy pastes(v.view, &GeneralRuleTextView::pasteRequested);
    v.tapLeftControl();
    EXPECT_TRUE(v.view->controlKey());
    QTest::keyClick(v.view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(v.view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(copies.size(), 1);
    EXPECT_EQ(pastes.size(), 1);
    EXPECT_TRUE(v.view->controlKey()); // a shortcut is not typing
    QTest::keyClick(v.view, Qt::Key_X);
    EXPECT_FALSE(v.view->controlKey());
}

TEST(GeneralRuleTextView, TheRingFollowsTheFocusAndShowsWhileARuleIsDraggedOver)
{
    RuleView v;
    auto* other = new QLineEdit(&v.window);
    v.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v.window));
    v.view->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.view->focusRingShown(); }));
    other->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !v.view->focusRingShown(); }));

    std::unique_ptr<QMimeData> dragged(rule({{"ruleCode", "3"}, {"rule", "R"}}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(v.view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(v.view->focusRingShown());
    QDragLeaveEvent leave;
    QApplication::sendEvent(v.view->viewport(), &leave);
    EXPECT_FALSE(v.view->focusRingShown());
}

} // namespace
