// The typing path: rebuilding the typed word from key presses, and when it asks for comparisons.
#include "typewarden/capture/TypingCapture.h"
#include "platform/defaults/UserDefaults.h"
#include "tests/support/FakeEventMonitors.h"
#include "typewarden/capture/SpellingPanelReader.h"
#include "typewarden/capture/TextComparison.h"

#include <gtest/gtest.h>

using namespace typewarden;
using platform::KeyDownEvent;

namespace
{

struct Typing {
    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    testsupport::FakeEventMonitors monitors;
    SpellingPanelReader panel;
    bool controlFlag = false, panelFlag = false;
    TextComparison comparison{defaults, [](const model::WordPair&) {}, FlagAccess::of(controlFlag),
                              FlagAccess::of(panelFlag)};
    QStringList requests; // "application|old text|before word" at the time of each request
    int toggles = 0, saves = 0;
    std::unique_ptr<TypingCapture> keyboard;

    Typing()
    {
        keyboard = std::make_unique<TypingCapture>(
            panel, [](const model::WordPair&) {},
            TypingCapture::TypingPeers{&monitors,
                                       &comparison,
                                       [this](const QString& app, const QString& old) {
                                           requests
                                               << app + "|" + old + "|" + keyboard->baseString();
                                           return true;
                                       },
                                       [this] { ++toggles; },
                                       [this] { ++saves; },
                                       {}});
        keyboard->consoleDirectoryInputForApp("TextEdit");
        comparison.setOldDocText("The document");
        requests.clear();
    }
    void type(const QString& text)
    {
        for (QChar c : text)
            monitors.key(KeyDownEvent{QString(c)});
    }
    void press(KeyDownEvent::Key key) { monitors.key(KeyDownEvent{QStringLiteral("\r"), key}); }
};

} // namespace

TEST(TypingCapture, AWordBoundaryAsksForAComparisonWithTheTypedWord)
{
    Typing t;
    t.type("teh ");
    EXPECT_EQ(t.requests, QStringList{"TextEdit|The document|teh"});
    EXPECT_EQ(t.comparison.beforeWord(), "teh");
    EXPECT_EQ(t.keyboard->baseString(), "");
    // Tabs and hyphens do not end a word; accents are kept whole.
    t.type("well-known\tcafé!");
    EXPECT_EQ(t.comparison.beforeWord(), "well-known\tcafé");
}

TEST(TypingCapture, ReturnDeleteAndTheEditShortcuts)
{
    Typing t;
    t.type("teh");
    t.press(KeyDownEvent::Key::Return);
    EXPECT_EQ(t.requests.last(), "TextEdit|The document|teh");
    EXPECT_EQ(t.keyboard->baseString(), "");
    EXPECT_EQ(t.comparison.oldDocText(), "");

    t.comparison.setOldDocText("Text");
    t.type("wrod");
    t.press(KeyDownEvent::Key::Delete);
    EXPECT_EQ(t.requests.last(), "TextEdit||");
    EXPECT_EQ(t.comparison.oldDocText(), "");

    // Copy with the left Ctrl alone drops the partial word and the baseline; with Shift it types.
    t.comparison.setOldDocText("Text");
    t.type("par");
    t.monitors.key(KeyDownEvent{"c", KeyDownEvent::Key::Other, true, false, true});
    EXPECT_EQ(t.keyboard->baseString(), "");
    EXPECT_EQ(t.comparison.oldDocText(), "");
    t.monitors.key(KeyDownEvent{"C", KeyDownEvent::Key::Other, true, false, false});
    EXPECT_EQ(t.keyboard->baseString(), "C");
    // Undo compares against no baseline.
    const auto before = t.requests.size();
    t.monitors.key(KeyDownEvent{"z", KeyDownEvent::Key::Other, true, false, true});
    EXPECT_EQ(t.requests.size(), before + 1);
    EXPECT_EQ(t.requests.last(), "TextEdit||C");
    EXPECT_EQ(t.keyboard->baseString(), "");
}

TEST(TypingCapture, ToggleShortcutAndContextClick)
{
    Typing t;
    t.monitors.key(KeyDownEvent{"a", KeyDownEvent::Key::Other, true, true, false});
    EXPECT_EQ(t.toggles, 1);
    EXPECT_EQ(t.keyboard->baseString(), "a"); // the key is then processed as usual

    t.monitors.mouse({false});
    EXPECT_FALSE(t.keyboard->controlKeyDownFlag());
    EXPECT_TRUE(t.requests.isEmpty());
    t.monitors.mouse({true});
    EXPECT_TRUE(t.keyboard->controlKeyDownFlag());
    EXPECT_EQ(t.requests, QStringList{"TextEdit|The document|a"});
}

TEST(TypingCapture, MonitorsAreInstalledOnceAndRemovingTheKeyMonitorSaves)
{
    Typing t;
    t.keyboard->consoleDirectoryInputForApp("Pages");
    EXPECT_EQ(t.monitors.installs, 2);
    EXPECT_EQ(t.requests, QStringList{"Pages||"}); // a new baseline, for the new name
    t.keyboard->removeKeyDownMonitor();
    t.keyboard->removeKeyDownMonitor();
    EXPECT_EQ(t.saves, 1);
    EXPECT_FALSE(t.monitors.hasKeyDownMonitor());
    t.keyboard->removeMouseUpMonitor();
    EXPECT_FALSE(t.monitors.hasMouseUpMonitor());
}
