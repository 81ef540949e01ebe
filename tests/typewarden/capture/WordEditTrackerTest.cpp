// Corrections found in the text changes an editor reports, replayed the way editors report them.
#include "typewarden/capture/WordEditTracker.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace typewarden;
using Kind = platform::TextChange::Kind;
using platform::KeyDownEvent;

namespace
{

constexpr WordEditTracker::Timing kTiming{20, 40, 150};

// One text element of an editor: its text, its caret, and the changes it reports.
struct Editor {
    WordEditTracker tracker{kTiming};
    QSignalSpy replaced{&tracker, &WordEditTracker::wordReplaced};
    std::shared_ptr<platform::MemoryAccessibilityElement> element =
        platform::MemoryAccessibilityElement::make(platform::ax::TextField);
    QString object = QStringLiteral(":1.5:/org/a11y/text/1");
    std::u32string text;
    int caret = 0;
    bool reportCaret = true;
    bool caretFirst = false; // some toolkits report the caret before the letter that moved it
    std::u32string inFlight; // typed, not reported yet: the application's text holds it already

    // The document as the writer finds it; the copy is trusted after a quiet moment.
    explicit Editor(const QString& document)
    {
        text = document.toStdU32String();
        caret = int(text.size());
        type(" ");
        QTest::qWait(kTiming.verifyMs * 3);
    }

    void report(Kind kind, int offset, const std::u32string& part)
    {
        element->setAttribute(platform::ax::Value, QString::fromStdU32String(text + inFlight));
        tracker.textChanged(
            {kind, 77, "TextEdit", object, offset, QString::fromStdU32String(part), element});
    }
    void moveCaret(int offset)
    {
        caret = offset;
        if (reportCaret)
            tracker.textChanged({Kind::CaretMoved, 77, "TextEdit", object, offset, {}, element});
    }
    void insert(int offset, const QString& part)
    {
        const std::u32string chars = part.toStdU32String();
        text.insert(std::size_t(offset), chars);
        report(Kind::Inserted, offset, chars);
    }
    void remove(int offset, int length)
    {
        const std::u32string gone = text.substr(std::size_t(offset), std::size_t(length));
        text.erase(std::size_t(offset), std::size_t(length));
        report(Kind::Deleted, offset, gone);
    }
    // Letters typed one at a time at the caret, each key reported before its letter.
    void type(const QString& letters, int pauseMs = 0)
    {
        for (QChar c : letters) {
            tracker.keyPressed(KeyDownEvent{QString(c)});
            const int at = caret;
            if (caretFirst)
                moveCaret(at + 1);
            insert(at, QString(c));
            if (!caretFirst)
                moveCaret(at + 1);
            if (pauseMs)
                QTest::qWait(pauseMs);
        }
    }
    void backspace(int count)
    {
        for (int i = 0; i < count; ++i) {
            tracker.keyPressed(KeyDownEvent{QStringLiteral("\x7f"), KeyDownEvent::Key::Delete});
            remove(caret - 1, 1);
            moveCaret(caret - 1);
        }
    }
    int find(const QString& word) const { return int(text.find(word.toStdU32String())); }
    // Double-click on the word and type over the selection.
    void selectAndType(const QString& word, const QString& letters)
    {
        const int at = find(word);
        remove(at, int(word.size()));
        moveCaret(at);
        type(letters);
    }
    // The caret to the end, and a moment for the word it left.
    void end()
    {
        moveCaret(int(text.size()));
        QTest::qWait(kTiming.settleMs * 3);
    }
    QList<QStringList> pairs() const
    {
        QList<QStringList> all;
        for (const QList<QVariant>& args : replaced)
            all << QStringList{args[0].toString(), args[1].toString()};
        return all;
    }
};

using Pairs = QList<QStringList>;

} // namespace

TEST(WordEditTracker, TypingAtAnySpeedIsNoCorrection)
{
    Editor e("Dear Anna,");
    e.type("The river is plea");
    QTest::qWait(kTiming.verifyMs * 3); // a pause inside a word
    e.type("sant, the lette", 5);
    QTest::qWait(kTiming.verifyMs * 3);
    e.type("r is wron");
    e.backspace(2); // a slip mended while the word is being typed
    e.caretFirst = true;
    e.type("ong. rivers");
    e.backspace(1); // and a slip mended with the space typed at once
    e.type(" ");
    QTest::qWait(kTiming.verifyMs * 3);
    e.type("Wait\n");
    EXPECT_EQ(e.pairs(), Pairs{});
    EXPECT_TRUE(e.tracker.reportsTextOf(77));
    EXPECT_FALSE(e.tracker.reportsTextOf(78));
}

TEST(WordEditTracker, AWordTypedOverOrBackspacedIntoIsComparedWhenWhole)
{
    Editor e("I recieve letters");
    // Typed over: done when the caret leaves the word.
    e.selectAndType("recieve", "receive");
    QTest::qWait(kTiming.settleMs * 3);
    EXPECT_EQ(e.pairs(), Pairs{});
    e.end();
    EXPECT_EQ(e.pairs(), (Pairs{{"recieve", "receive"}}));

    // Backspaced into from the space after it, retyped, and done with the next space.
    e.type("wich ");
    e.backspace(4);
    e.type("hich");
    EXPECT_EQ(e.pairs().size(), 1); // a pause before the space changes nothing
    QTest::qWait(kTiming.settleMs * 3);
    EXPECT_EQ(e.pairs().size(), 1);
    e.type(" ");
    EXPECT_EQ(e.pairs().last(), (QStringList{"wich", "which"}));

    // A letter put into a finished word, with no caret reports: done at the next change elsewhere.
    e.reportCaret = false;
    e.caret = e.find("letters") + 3;
    e.type("t");
    e.end();
    e.type("x");
    EXPECT_EQ(e.pairs().last(), (QStringList{"letters", "lettters"}));

    // Letters typed before a word and then a space split it: no correction of either.
    e.reportCaret = true;
    e.caret = e.find("which");
    e.type("or ");
    e.end();
    EXPECT_EQ(e.pairs().size(), 3);

    // Capture stops: the word is taken as it stands.
    e.selectAndType("lettters", "letters");
    e.tracker.finishPending();
    EXPECT_EQ(e.pairs().last(), (QStringList{"lettters", "letters"}));
}

TEST(WordEditTracker, TheApplicationsOwnReplacementIsDoneWhenItSettles)
{
    Editor e("I recieve letters from teh office");
    // A menu choice replaces the whole word, the caret jumping away in between.
    const int at = e.find("recieve");
    e.remove(at, 7);
    e.moveCaret(e.find("from"));
    QTest::qWait(kTiming.settleMs * 3); // the report of the new word can come late
    e.insert(at, "receive");
    EXPECT_EQ(e.pairs(), Pairs{});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !e.pairs().isEmpty(); }, 1000));
    EXPECT_EQ(e.pairs(), (Pairs{{"recieve", "receive"}}));

    // An editor that reports only the letters that differ; the writer types on at once.
    const int teh = e.find("teh");
    e.remove(teh + 1, 2);
    e.insert(teh + 1, "he");
    e.end();
    e.type(" today");
    EXPECT_EQ(e.pairs().last(), (QStringList{"teh", "the"}));

    // The editor's own correction of the word just typed brings the space typed after it.
    e.type(" I acheive");
    e.remove(e.find("acheive") + 3, 4);
    e.insert(e.find("ach") + 3, "ieve ");
    EXPECT_EQ(e.pairs().last(), (QStringList{"acheive", "achieve"}));
    // ... or takes the word's last letter out for it.
    e.type(" untill");
    e.remove(e.caret - 1, 1);
    e.insert(e.caret - 1, " ");
    EXPECT_EQ(e.pairs().last(), (QStringList{"untill", "until"}));
    // A suggestion one letter away: no key typed that letter.
    e.end();
    e.type(" It occured");
    QTest::qWait(600); // the writer opens the context menu
    e.moveCaret(e.find("occured"));
    e.insert(e.find("occured") + 5, "r");
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.pairs().size() == 5; }, 1000));
    EXPECT_EQ(e.pairs().last(), (QStringList{"occured", "occurred"}));

    // A suggestion of two words for one is no correction of it.
    const int alot = e.find("office");
    e.remove(alot, 6);
    e.insert(alot, "of ice");
    e.end();
    EXPECT_EQ(e.pairs().size(), 5);

    // A document that took the focus before any change: its first change can be a correction.
    e.object = QStringLiteral(":1.5:/org/a11y/text/3");
    e.text = U"Dear Anna, I recieve";
    e.element->setAttribute(platform::ax::Value, QString::fromStdU32String(e.text));
    e.tracker.textChanged({Kind::Focused, 78, "TextEdit", e.object, 0, {}, e.element});
    EXPECT_FALSE(e.tracker.reportsTextOf(78)); // a focus alone tells nothing of its changes
    e.remove(e.find("recieve"), 7);
    e.insert(e.find("I ") + 2, "receive");
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.pairs().size() == 6; }, 1000));
}

TEST(WordEditTracker, UndoAndCopiesThatMissedAChangeStartNoCorrection)
{
    Editor e("I recieve letters");
    const int at = e.find("recieve");
    e.tracker.keyPressed(KeyDownEvent{"z", KeyDownEvent::Key::Other, true, false, true}); // undo
    e.remove(at, 7);
    e.insert(at, "receive");
    QTest::qWait(kTiming.settleMs * 5);
    EXPECT_EQ(e.pairs(), Pairs{});

    // The copy missed a change: it reads the text again and trusts it only when quiet.
    QTest::qWait(kTiming.suppressMs);
    e.text.insert(0, U"Yes, ");
    e.element->setAttribute(platform::ax::Value, QString::fromStdU32String(e.text));
    e.selectAndType("receive", "recieve"); // the deletion does not match the stale copy
    e.end();
    EXPECT_EQ(e.pairs(), Pairs{});
    QTest::qWait(kTiming.verifyMs * 3);
    e.selectAndType("recieve", "receive");
    e.end();
    EXPECT_EQ(e.pairs(), (Pairs{{"recieve", "receive"}}));

    // A copy read while the writer types holds a letter twice: its correction does not count.
    e.object = QStringLiteral(":1.5:/org/a11y/text/2");
    e.text = U"I recieve";
    e.caret = int(e.text.size());
    e.inFlight = U"t";
    e.type(" ");
    e.inFlight.clear();
    e.type("t");
    e.selectAndType("recieve", "receive");
    e.end();
    EXPECT_EQ(e.pairs().size(), 1);
    // Read again, it counts.
    e.selectAndType("receive", "recieve");
    e.end();
    EXPECT_EQ(e.pairs().last(), (QStringList{"receive", "recieve"}));
}
