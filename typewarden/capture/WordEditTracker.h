#pragma once

#include "platform/accessibility/DesktopAccessibility.h"
#include "platform/accessibility/GlobalEventMonitors.h"
#include "typewarden/capture/TextMirror.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <deque>
#include <optional>

namespace typewarden
{

// Finds the words a writer corrects in the text changes the watched application reports. A
// finished word that is taken apart (typed over, backspaced into, typed into, replaced from a
// menu, a dialog or by the editor's own correction) and made whole again gives its old and new
// spelling. A word still being typed is never compared, so a half-typed word never becomes a
// pair, however long the writer pauses.
//
// The words come from a copy of each text element's text that replays the changes in the order
// the application made them. A copy read while the writer was typing may hold a change twice; its
// words count only once it has matched the application's text, in a quiet moment or when a
// correction made in it is done.
class WordEditTracker : public QObject
{
    Q_OBJECT
public:
    struct Timing {
        // A word the application replaced in one step, or one the caret left, is done once nothing
        // followed for this long.
        int settleMs = 100;
        // A copy that cannot be trusted yet is checked after this long without changes.
        int verifyMs = 250;
        // After an undo, cut or paste, changes start no correction for this long.
        int suppressMs = 400;
    };
    // Copies kept; the one changed longest ago goes first.
    static constexpr int kMaxElements = 64;

    explicit WordEditTracker(QObject* parent = nullptr);
    explicit WordEditTracker(Timing timing, QObject* parent = nullptr);

    void textChanged(const platform::TextChange& change);
    // An undo, cut or paste: what it changes is no correction of the writer's.
    void discardPending();
    // A key the writer pressed. The keys tell the writer's typing from the application's own
    // one-letter changes; undo, cut and paste discard the word under correction.
    void keyPressed(const platform::KeyDownEvent& key);
    // The writer left the word under correction (another application, capture stopped): it is
    // compared as it stands.
    void finishPending();
    // Whether the application has reported text changes (then no other reading is needed).
    bool reportsTextOf(qint64 pid) const { return m_reportingPids.contains(pid); }

signals:
    void wordReplaced(const QString& before, const QString& after);

private:
    struct Element {
        TextMirror mirror;
        platform::AccessibilityElementRef element;
        bool trusted = false;
        // A word is being typed: it ends at typingEnd, where the next typed letter goes.
        bool typing = false;
        int typingStart = 0;
        int typingEnd = -1;
        qint64 lastChange = 0;
    };
    struct Pending {
        QString object;
        int start = 0;
        QString oldWord;
        bool replacedByApplication = false;
        // The caret went elsewhere; done unless the word changes again at once (an editor may
        // move the caret between taking the old word out and putting the new one in).
        bool caretLeft = false;
        // The last change, when it was one letter: typed, or the application's own.
        std::optional<QChar> lastLetter = std::nullopt; // a null character: one taken out
        qint64 lastChangeAt = 0;
    };
    // A letter taken out at the end of the word being typed, as a backspace would.
    struct Deletion {
        QString object;
        int offset = 0;
        int wordStart = 0;
        QString oldWord;
        qint64 at = 0;
    };
    struct Key {
        qint64 at = 0;
        QChar character; // null for a deletion key
    };

    void baseline(const platform::TextChange& change, const std::u32string& text);
    void resync(const QString& object, Element& element);
    bool changeInPending(Element& element, const platform::TextChange& change,
                         const std::u32string& text);
    void freshChange(Element& element, const platform::TextChange& change,
                     const std::u32string& text, const std::optional<Deletion>& lastDeletion);
    // The element is null when it has no copy.
    void caretMoved(Element* element, const platform::TextChange& change);
    void focused(const platform::TextChange& change);
    static void typed(Element& element, int offset, const std::u32string& text);
    void startPending(Pending pending);
    // Whether the writer pressed the key for that letter (null: a deletion key) about then.
    bool pressedAround(QChar character, qint64 at) const;
    void settled();
    bool suppressed() const;
    void finish();
    void verifyQuietCopies();
    void dropOldest();

    Timing m_timing;
    QHash<QString, Element> m_elements;
    std::optional<Pending> m_pending;
    QSet<qint64> m_reportingPids;
    QTimer m_settle;
    QTimer m_verify;
    QElapsedTimer m_clock;
    qint64 m_suppressedUntil = -1;
    std::deque<Key> m_keys;
    bool m_keysSeen = false;
    std::optional<Deletion> m_lastDeletion;
};

} // namespace typewarden
