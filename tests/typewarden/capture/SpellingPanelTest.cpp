// The Spelling-panel path: reading the panel under the pointer and committing on "Change".
#include "typewarden/capture/AccessibilityReads.h"
#include "typewarden/capture/SpellingPanelReader.h"
#include "typewarden/capture/TypingCapture.h"

#include <gtest/gtest.h>

using namespace typewarden;
using platform::MemoryAccessibilityElement;
namespace ax = platform::ax;

namespace
{

using Node = std::shared_ptr<MemoryAccessibilityElement>;

struct Panel {
    Node app, window, change, copy;
};

// A panel window with decoys: a text field that is not a direct child, a second word field, a
// scroll area without a table and a row without a cell.
Panel makePanel(const QString& title, bool rowLevels = true, const QString& word = "recieve")
{
    Panel p;
    p.app = MemoryAccessibilityElement::make("AXApplication", "TextEdit");
    p.window = p.app->add(ax::Window, title);
    p.window->add("AXGroup")->add(ax::TextField, {}, "nested");
    p.window->add(ax::TextField, {}, word);
    p.window->add(ax::TextField, {}, "second");
    p.window->add(ax::ScrollArea)->add(ax::TextField, {}, "not a guess");
    if (rowLevels) {
        Node table = p.window->add(ax::ScrollArea)->add(ax::Table);
        table->add(ax::Row)->add("AXStaticText", {}, "no cell");
        table->add(ax::Row)->add(ax::TextField, {}, "receive");
        table->add(ax::Row)->add(ax::TextField, {}, "relieve");
    } else {
        Node table = p.window->add(ax::Table);
        table->add(ax::TextField, {}, "receive");
        table->add(ax::TextField, {}, "relieve");
    }
    p.change = p.window->add("AXGroup")->add(ax::Button, "Change");
    p.copy = p.window->add(ax::Button, "Copy");
    return p;
}

class SpellingPanel : public ::testing::Test
{
protected:
    bool hover(const Node& element)
    {
        return panel.getSpellingAndGrammarWindowButtonWithElement(element, "TextEdit");
    }
    void expectWords(std::optional<QString> mSpell, std::optional<QString> cSpell)
    {
        EXPECT_EQ(panel.mSpell(), mSpell);
        EXPECT_EQ(panel.cSpell(), cSpell);
    }

    const QString title = SpellingPanelReader::kPanelTitle;
    QList<model::WordPair> handed;
    SpellingPanelReader panel;
    TypingCapture keyboard{panel, [this](const model::WordPair& pair) { handed << pair; }};
};

} // namespace

TEST_F(SpellingPanel, ChangeCommitsOnePairUntilTheButtonIsReadAgain)
{
    const Panel p = makePanel(title);
    ASSERT_TRUE(hover(p.change));
    expectWords("recieve", "receive");
    EXPECT_EQ(panel.titleOfUIElement(), "Change");
    keyboard.transactWithSpellingCorrectionConsole();
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], (model::WordPair{"receive", "recieve"}));
    expectWords("", "");
    EXPECT_EQ(panel.titleOfUIElement(), "Change");

    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_EQ(handed.size(), 1);
    hover(p.change);
    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_EQ(handed.size(), 2);

    // Guesses are found without the row and scroll-area levels too.
    const Panel flat = makePanel(title, false);
    ASSERT_TRUE(hover(flat.change));
    expectWords("recieve", "receive");
}

TEST_F(SpellingPanel, StopTitledControlIsSearchedFromItselfAndCommitsNothing)
{
    const Panel p = makePanel(title);
    EXPECT_EQ(axread::getLineageOfElement(p.copy), std::nullopt);
    hover(p.change);
    ASSERT_TRUE(hover(p.copy));
    expectWords(std::nullopt, std::nullopt);
    EXPECT_EQ(panel.titleOfUIElement(), "Copy");
    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_TRUE(handed.isEmpty());
}

TEST_F(SpellingPanel, OtherWindowTitlesNeverStoreOrRaiseTheFlag)
{
    for (const QString& other :
         {QString("Orthographe et grammaire"), QString("spelling and grammar")}) {
        const Panel p = makePanel(other);
        EXPECT_FALSE(hover(p.change)) << other.toStdString();
    }
    EXPECT_FALSE(hover(nullptr));
    expectWords("", "");
    EXPECT_EQ(panel.titleOfUIElement(), std::nullopt);
    EXPECT_FALSE(panel.spellCheckWindowOpenFlag());
    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_TRUE(handed.isEmpty());
}

TEST_F(SpellingPanel, ApplicationsOwnDialogsThroughTheirProfiles)
{
    // A GTK editor's dialog: the word is a label beside its caption, the replacement the entry
    // beside "Change to:", and either change button commits.
    const Node app = MemoryAccessibilityElement::make("AXApplication", "TextEdit");
    const Node dialog = app->add(ax::Window, "Check Spelling");
    const Node grid = dialog->add("AXFiller")->add("AXPanel");
    grid->add(ax::Button, "Check Word");
    grid->add(ax::TextField, {}, "receive");
    grid->add("AXLabel", "Change to:");
    grid->add("AXLabel", "recieve");
    grid->add("AXLabel", "Misspelled word:");
    const Node changeAll = dialog->add("AXPanel")->add(ax::Button, "Change All");
    ASSERT_TRUE(hover(changeAll));
    expectWords("recieve", "receive");
    keyboard.transactWithSpellingCorrectionConsole();
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], (model::WordPair{"receive", "recieve"}));

    // A word processor's dialog: hovering it confirms the correction it makes in the document,
    // its own button commits nothing.
    panel.setSpellCheckWindowOpenFlag(false);
    const Node writer = app->add(ax::Window, "Spelling: English (USA)");
    const Node correct = writer->add(ax::Button, "Correct");
    writer->add(ax::TextField, {}, "recieve");
    ASSERT_TRUE(hover(correct));
    EXPECT_TRUE(panel.spellCheckWindowOpenFlag());
    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_EQ(handed.size(), 1);
    EXPECT_FALSE(hover(app->add(ax::Window, "Spelling")->add(ax::Button, "Correct")));
}

TEST_F(SpellingPanel, HoverRaisesTheFlagAndResetKeepsIt)
{
    const Panel p = makePanel(title);
    hover(p.change);
    EXPECT_TRUE(panel.spellCheckWindowOpenFlag());
    EXPECT_EQ(panel.currentElement(), p.change);
    panel.resetConsoleMonitoringElements();
    expectWords("", "");
    EXPECT_EQ(panel.currentElement(), nullptr);
    EXPECT_TRUE(panel.spellCheckWindowOpenFlag());
    keyboard.transactWithSpellingCorrectionConsole();
    EXPECT_TRUE(handed.isEmpty());
}

TEST_F(SpellingPanel, OnlyTheFirstWordFieldIsReadAndAMissingWordIsLeftOut)
{
    const Panel p = makePanel(title, true, "");
    ASSERT_TRUE(hover(p.change));
    expectWords(std::nullopt, "receive");
    keyboard.transactWithSpellingCorrectionConsole();
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], (model::WordPair{"receive", ""})); // the store refuses it
    expectWords("", "");
}

TEST(SpellingPanelReading, LineageFollowsParentsAndStopsOnlyOnExactTitles)
{
    const Node app = MemoryAccessibilityElement::make("AXApplication");
    const Node window = app->add(ax::Window, "Spelling and Grammar");
    const Node unnamed = window->add({});
    EXPECT_EQ(axread::getLineageOfElement(unnamed->add(ax::Button, "copy")),
              (QStringList{ax::Button, ax::Window, "AXApplication"}));
    EXPECT_NE(axread::getLineageOfElement(window->add(ax::Button, "Font\u2026")), std::nullopt);
    EXPECT_EQ(axread::getLineageOfElement(window->add(ax::Button, "Font...")), std::nullopt);
    EXPECT_EQ(axread::getLineageOfElement(window->add(ax::Button, "ignore")), std::nullopt);
    EXPECT_EQ(axread::getLineageOfElement(nullptr), QStringList());
    EXPECT_EQ(axread::topLevelUIElement(unnamed), window);
    EXPECT_FALSE(axread::valueOfAttribute(ax::Title, nullptr).isValid());
    EXPECT_EQ(axread::roleOfUIElement(unnamed), std::nullopt);
}
