#include "typewarden/capture/WordEditTracker.h"

#include "typewarden/capture/AccessibilityReads.h"

#include <QLoggingCategory>

#include <algorithm>

namespace typewarden
{

namespace
{

Q_LOGGING_CATEGORY(lcWordEdits, "typewarden.capture.edits")

using Kind = platform::TextChange::Kind;

// The element's whole text, read now; nothing when it cannot be read.
std::optional<QString> readText(const platform::AccessibilityElementRef& element)
{
    const QVariant value = axread::valueOfUIElement(element);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

WordEditTracker::WordEditTracker(QObject* parent) : WordEditTracker(Timing{}, parent) {}

WordEditTracker::WordEditTracker(Timing timing, QObject* parent) : QObject(parent), m_timing(timing)
{
    m_clock.start();
    m_settle.setSingleShot(true);
    m_verify.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &WordEditTracker::settled);
    connect(&m_verify, &QTimer::timeout, this, &WordEditTracker::verifyQuietCopies);
}

namespace
{
// How far apart a key and the change it made can be reported.
constexpr qint64 kKeyBeforeChangeMs = 500;
constexpr qint64 kKeyAfterChangeMs = 300;
constexpr qint64 kKeptKeysMs = 3000;
} // namespace

void WordEditTracker::keyPressed(const platform::KeyDownEvent& key)
{
    m_keysSeen = true;
    const QChar first = key.characters.isEmpty() ? QChar() : key.characters.front();
    if (key.commandAlone) {
        if (first == u'x' || first == u'v' || first == u'z')
            discardPending();
        return;
    }
    if (key.command || key.control)
        return;
    const qint64 now = m_clock.elapsed();
    // Forward Delete arrives as a private-use character, BackSpace as the Delete key.
    if (key.key == platform::KeyDownEvent::Key::Delete || first == QChar(0xF728))
        m_keys.push_back({now, QChar()});
    else if (key.characters.size() == 1 && first.isPrint() &&
             first.category() != QChar::Other_PrivateUse)
        m_keys.push_back({now, first});
    while (!m_keys.empty() && now - m_keys.front().at > kKeptKeysMs)
        m_keys.pop_front();
}

bool WordEditTracker::pressedAround(QChar character, qint64 at) const
{
    for (const Key& key : m_keys)
        if (key.at >= at - kKeyBeforeChangeMs && key.at <= at + kKeyAfterChangeMs &&
            key.character.toCaseFolded() == character.toCaseFolded())
            return true;
    return false;
}

void WordEditTracker::settled()
{
    if (!m_pending)
        return;
    // One letter changed with no key for it is the application's own change (a suggestion or
    // correction that differs from the word by one letter).
    const bool byApplication = m_pending->replacedByApplication ||
                               (m_keysSeen && m_pending->lastLetter &&
                                !pressedAround(*m_pending->lastLetter, m_pending->lastChangeAt));
    if (!byApplication && !m_pending->caretLeft)
        return;
    // A word taken out and not yet put back in waits for its replacement, however late the
    // application's report of it comes.
    const auto found = m_elements.constFind(m_pending->object);
    if (found != m_elements.cend() && m_pending->start <= found->mirror.size() &&
        found->mirror.wordAround(m_pending->start, m_pending->start).isEmpty())
        return;
    finish();
}

void WordEditTracker::textChanged(const platform::TextChange& change)
{
    if (change.kind == Kind::Inserted || change.kind == Kind::Deleted)
        m_reportingPids.insert(change.pid);
    if (change.kind == Kind::Focused) {
        focused(change);
        return;
    }
    const auto found = m_elements.find(change.object);
    if (change.kind == Kind::CaretMoved) {
        caretMoved(found != m_elements.end() ? &*found : nullptr, change);
        return;
    }
    // What a backspace at the end of a typed word left, for the change right after it only.
    const std::optional<Deletion> lastDeletion = std::exchange(m_lastDeletion, std::nullopt);
    std::u32string text = change.text.toStdU32String();
    if (text.empty())
        return;
    // Some toolkits report the text they took out as that many spaces.
    if (change.kind == Kind::Deleted && found != m_elements.end() &&
        std::all_of(text.begin(), text.end(), [](char32_t c) { return c == U' '; })) {
        std::u32string gone = found->mirror.slice(change.offset, int(text.size()));
        if (!gone.empty())
            text = std::move(gone);
    }
    if (found == m_elements.end()) {
        if (m_pending)
            finish();
        baseline(change, text);
        return;
    }
    Element& element = *found;
    element.lastChange = m_clock.elapsed();
    if (change.element)
        element.element = change.element;
    if (!m_pending || m_pending->object != change.object ||
        !changeInPending(element, change, text)) {
        if (m_pending)
            finish();
        freshChange(element, change, text, lastDeletion);
    }
    if (!element.trusted)
        m_verify.start(m_timing.verifyMs);
}

void WordEditTracker::baseline(const platform::TextChange& change, const std::u32string& text)
{
    // Read now, the copy most likely holds this change already.
    const std::optional<QString> now = readText(change.element);
    if (!now)
        return;
    if (m_elements.size() >= kMaxElements)
        dropOldest();
    Element element{TextMirror(*now), change.element};
    element.lastChange = m_clock.elapsed();
    if (change.kind == Kind::Inserted)
        typed(element, change.offset, text);
    m_elements.insert(change.object, std::move(element));
    m_verify.start(m_timing.verifyMs);
}

void WordEditTracker::focused(const platform::TextChange& change)
{
    if (m_pending && m_pending->object != change.object)
        finish();
    const auto found = m_elements.find(change.object);
    if (found != m_elements.end() && found->trusted)
        return;
    // The writer has not typed into it yet: what it holds now is the text before any change.
    const std::optional<QString> now = readText(change.element);
    if (!now)
        return;
    if (found == m_elements.end() && m_elements.size() >= kMaxElements)
        dropOldest();
    Element element{TextMirror(*now), change.element, true};
    element.lastChange = m_clock.elapsed();
    m_elements.insert(change.object, std::move(element));
    qCDebug(lcWordEdits) << "read" << change.object << "as it took the focus:" << now->size()
                         << "characters";
}

void WordEditTracker::resync(const QString& object, Element& element)
{
    qCDebug(lcWordEdits) << "the copy of" << object << "missed a change: read again";
    if (m_pending && m_pending->object == object) {
        m_pending.reset();
        m_settle.stop();
    }
    if (const std::optional<QString> now = readText(element.element))
        element.mirror = TextMirror(*now);
    element.trusted = false;
    element.typing = false;
    element.typingEnd = -1;
    m_verify.start(m_timing.verifyMs);
}

bool WordEditTracker::changeInPending(Element& element, const platform::TextChange& change,
                                      const std::u32string& text)
{
    TextMirror& mirror = element.mirror;
    const int start = m_pending->start;
    if (start > mirror.size())
        return false;
    const TextMirror::Span word = mirror.wordAround(start, start);
    const int length = int(text.size());
    const int editEnd = change.kind == Kind::Deleted ? change.offset + length : change.offset;
    if (change.offset < word.begin || editEnd > word.end)
        return false;

    m_pending->caretLeft = false;
    m_pending->lastChangeAt = m_clock.elapsed();
    m_pending->lastLetter.reset();
    if (change.kind == Kind::Deleted) {
        if (!mirror.remove(change.offset, text)) {
            resync(change.object, element);
            return true;
        }
        element.typing = false;
        element.typingEnd = change.offset;
        // One letter taken out: a backspace, unless no key took it. Letters taken out in one step
        // may be the second half of the application's replacement.
        if (length == 1) {
            m_pending->replacedByApplication = false;
            m_pending->lastLetter = QChar();
        }
        m_settle.start(m_timing.settleMs);
        return true;
    }
    if (!mirror.insert(change.offset, text)) {
        resync(change.object, element);
        return true;
    }
    typed(element, change.offset, text);
    if (!TextMirror::isAllWord(text)) {
        // Letters and then what ends a word, put in at the word's end, make the word whole (an
        // editor's own correction can bring the space typed after it); anywhere else they split
        // the word, which is then no correction of it.
        const auto letters =
            std::find_if_not(text.begin(), text.end(), TextMirror::isWordCharacter);
        const bool endsWord = std::none_of(letters, text.end(), TextMirror::isWordCharacter);
        if (change.offset == word.end && endsWord)
            finish();
        else
            m_pending.reset();
        return true;
    }
    element.typing = false; // letters go into the word under correction, not a new one
    m_pending->replacedByApplication = length >= 2;
    if (length == 1)
        m_pending->lastLetter = QString::fromStdU32String(text).front();
    m_settle.start(m_timing.settleMs);
    return true;
}

void WordEditTracker::freshChange(Element& element, const platform::TextChange& change,
                                  const std::u32string& text,
                                  const std::optional<Deletion>& lastDeletion)
{
    TextMirror& mirror = element.mirror;
    const int offset = change.offset;
    const int length = int(text.size());
    const bool mayStart = !suppressed();
    std::optional<Pending> pending;

    if (change.kind == Kind::Deleted) {
        const int end = offset + length;
        // A backspace at the end of the word being typed is part of typing it.
        const bool backspace = element.typing && length == 1 && end == element.typingEnd &&
                               TextMirror::isWordCharacter(text.front());
        if (backspace) {
            const TextMirror::Span word = mirror.wordAround(offset, end);
            m_lastDeletion =
                Deletion{change.object, offset, word.begin, mirror.text(word), m_clock.elapsed()};
        } else if (mayStart) {
            if (TextMirror::isAllWord(text)) {
                const TextMirror::Span word = mirror.wordAround(offset, end);
                pending = Pending{change.object, word.begin, mirror.text(word)};
                if (length == 1)
                    pending->lastLetter = QChar();
            } else if (!TextMirror::hasWord(text) && mirror.wordBefore(offset) &&
                       !mirror.wordAfter(end)) {
                // Backspacing over what ended a word opens the word again.
                const TextMirror::Span word = mirror.wordAround(offset, offset);
                pending = Pending{change.object, word.begin, mirror.text(word)};
            }
        }
        if (!mirror.remove(offset, text)) {
            resync(change.object, element);
            return;
        }
        element.typing = backspace && offset > element.typingStart;
        element.typingEnd = offset;
        if (pending)
            startPending(std::move(*pending));
        return;
    }

    if (lastDeletion && lastDeletion->object == change.object && lastDeletion->offset == offset &&
        mayStart && m_keysSeen && !pressedAround(QChar(), lastDeletion->at)) {
        // No key took the word's last letter: the application replaced the word's end, with the
        // space typed after it (an automatic correction).
        m_pending = Pending{change.object, lastDeletion->wordStart, lastDeletion->oldWord};
        if (changeInPending(element, change, text))
            return;
        m_pending.reset();
    }
    const bool continuing = element.typing && offset == element.typingEnd;
    if (!continuing && mayStart && TextMirror::isAllWord(text) &&
        (mirror.wordBefore(offset) || mirror.wordAfter(offset))) {
        // Letters put into a finished word, or at one of its ends.
        const TextMirror::Span word = mirror.wordAround(offset, offset);
        pending = Pending{change.object, word.begin, mirror.text(word), length >= 2};
        if (length == 1)
            pending->lastLetter = QString::fromStdU32String(text).front();
    }
    if (!mirror.insert(offset, text)) {
        resync(change.object, element);
        return;
    }
    typed(element, offset, text);
    if (pending) {
        element.typing = false;
        startPending(std::move(*pending));
    }
}

void WordEditTracker::caretMoved(Element* element, const platform::TextChange& change)
{
    const int caret = change.offset;
    // The caret can be reported just before the letter that moved it.
    if (element && element->typing &&
        (caret < element->typingStart || caret > element->typingEnd + 1))
        element->typing = false;
    if (!m_pending)
        return;
    if (!element || m_pending->object != change.object) {
        // In another element now: done, once the word is whole.
        m_pending->caretLeft = true;
        m_settle.start(m_timing.settleMs);
        return;
    }
    if (m_pending->start > element->mirror.size()) {
        m_pending.reset();
        return;
    }
    const TextMirror::Span word = element->mirror.wordAround(m_pending->start, m_pending->start);
    m_pending->caretLeft = caret < word.begin || caret > word.end;
    if (m_pending->caretLeft || m_pending->replacedByApplication)
        m_settle.start(m_timing.settleMs);
    else
        m_settle.stop();
}

void WordEditTracker::typed(Element& element, int offset, const std::u32string& text)
{
    const int end = offset + int(text.size());
    element.typingEnd = end;
    element.typing = TextMirror::isWordCharacter(text.back());
    if (element.typing)
        element.typingStart = element.mirror.wordAround(end, end).begin;
}

void WordEditTracker::startPending(Pending pending)
{
    if (pending.oldWord.isEmpty())
        return;
    m_pending = std::move(pending);
    m_pending->lastChangeAt = m_clock.elapsed();
    m_settle.start(m_timing.settleMs);
}

bool WordEditTracker::suppressed() const
{
    return m_suppressedUntil >= 0 && m_clock.elapsed() < m_suppressedUntil;
}

void WordEditTracker::discardPending()
{
    m_pending.reset();
    m_settle.stop();
    m_suppressedUntil = m_clock.elapsed() + m_timing.suppressMs;
}

void WordEditTracker::finishPending()
{
    finish();
}

void WordEditTracker::finish()
{
    if (!m_pending)
        return;
    const Pending pending = *m_pending;
    m_pending.reset();
    m_settle.stop();
    const auto found = m_elements.find(pending.object);
    if (found == m_elements.end() || pending.start > found->mirror.size())
        return;
    const QString now = found->mirror.text(found->mirror.wordAround(pending.start, pending.start));
    if (now.isEmpty() || now == pending.oldWord)
        return;
    if (!found->trusted) {
        // A copy read while the writer typed may hold a change twice: it must match the
        // application's text before its words count.
        const std::optional<QString> live = readText(found->element);
        if (!live || !found->mirror.sameAs(*live)) {
            qCDebug(lcWordEdits) << "the copy of" << pending.object << "does not match: read again";
            resync(pending.object, *found);
            return;
        }
        found->trusted = true;
    }
    qCDebug(lcWordEdits).noquote() << "word replaced:" << pending.oldWord << "->" << now;
    emit wordReplaced(pending.oldWord, now);
}

void WordEditTracker::verifyQuietCopies()
{
    const qint64 now = m_clock.elapsed();
    qint64 nextCheck = -1;
    for (auto it = m_elements.begin(); it != m_elements.end(); ++it) {
        Element& element = *it;
        if (element.trusted)
            continue;
        const qint64 quietFor = now - element.lastChange;
        if (quietFor < m_timing.verifyMs) {
            const qint64 due = m_timing.verifyMs - quietFor;
            nextCheck = nextCheck < 0 ? due : std::min(nextCheck, due);
            continue;
        }
        const std::optional<QString> text = readText(element.element);
        if (!text)
            continue; // gone: stays untrusted until its next change
        if (!element.mirror.sameAs(*text)) {
            element.mirror = TextMirror(*text);
            element.typing = false;
            element.typingEnd = -1;
            if (m_pending && m_pending->object == it.key())
                m_pending.reset();
        }
        element.trusted = true;
    }
    if (nextCheck >= 0)
        m_verify.start(int(nextCheck));
}

void WordEditTracker::dropOldest()
{
    auto oldest = m_elements.end();
    for (auto it = m_elements.begin(); it != m_elements.end(); ++it)
        if ((!m_pending || m_pending->object != it.key()) &&
            (oldest == m_elements.end() || it->lastChange < oldest->lastChange))
            oldest = it;
    if (oldest != m_elements.end())
        m_elements.erase(oldest);
}

} // namespace typewarden
