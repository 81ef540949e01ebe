#pragma once

#include "typewarden/capture/TextParsingHelperMethods.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace platform
{
class UserDefaults;
}

namespace typewarden
{

// A confirmation flag that lives with another part of the capture (the typing path's
// control-click, the spelling panel's visit).
struct FlagAccess {
    std::function<bool()> isSet;
    std::function<void()> clear;

    // Reads and clears a flag owned by the caller, which must outlive the access.
    static FlagAccess of(bool& flag)
    {
        return {[&flag] { return flag; }, [&flag] { flag = false; }};
    }
};

// Decides from a comparison script's answer whether the typed word was corrected, and hands the
// correction over. Main thread only.
class TextComparison
{
public:
    TextComparison(const platform::UserDefaults& defaults, PairHandOver handOver,
                   FlagAccess controlKeyDown, FlagAccess spellCheckWindowOpen);

    // The document text at the previous comparison: what the next run is given.
    const QString& oldDocText() const { return m_oldDocText; }
    void setOldDocText(const QString& text) { m_oldDocText = text; }
    // The word the user typed last.
    const QString& beforeWord() const { return m_beforeWord; }
    void setBeforeWord(const QString& word) { m_beforeWord = word; }

    // Item 1 is the document text now; the rest name the changed words. True when a pair was
    // handed over.
    bool evaluate(const QStringList& answer);
    // The same decision for a word the writer changed from `before` to `after`.
    bool evaluateWords(const QString& before, const QString& after);

private:
    const platform::UserDefaults& m_defaults;
    TextParsingHelperMethods m_helper;
    FlagAccess m_controlKeyDown;
    FlagAccess m_spellCheckWindowOpen;
    QString m_oldDocText;
    QString m_beforeWord;
};

} // namespace typewarden
