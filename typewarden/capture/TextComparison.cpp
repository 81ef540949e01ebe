#include "typewarden/capture/TextComparison.h"

#include "model/TypewardenDefaults.h"
#include "platform/defaults/UserDefaults.h"

namespace typewarden
{

TextComparison::TextComparison(const platform::UserDefaults& defaults, PairHandOver handOver,
                               FlagAccess controlKeyDown, FlagAccess spellCheckWindowOpen)
    : m_defaults(defaults), m_helper(std::move(handOver)),
      m_controlKeyDown(std::move(controlKeyDown)),
      m_spellCheckWindowOpen(std::move(spellCheckWindowOpen))
{
}

bool TextComparison::evaluate(const QStringList& answer)
{
    const qsizetype n = answer.size();
    if (n == 0)
        return false;
    // A lone empty item is no document: keep the baseline for the next run.
    if (n == 1 && answer[0].isEmpty())
        return false;

    QString before;
    QString after;
    if (n == 1) {
        after = answer[0].chopped(1);
        before = m_beforeWord;
    } else if (n == 2) {
        after = answer[1];
        before = m_beforeWord;
    } else if (n == 3) {
        after = answer[1];
        before = answer[2];
    }
    // More than three items name no single change: both words stay empty and fail the gate.
    m_oldDocText = answer[0];
    return evaluateWords(before, after);
}

bool TextComparison::evaluateWords(const QString& before, const QString& after)
{
    const bool retain = m_defaults.boolForKey(defaults::AutoCheckRetention);
    if (!TextParsingHelperMethods::passesGate(TextParsingHelperMethods::fuzzyTest(before, after)))
        return false;
    if (retain) {
        m_helper.sendCorrectionToList(before, after);
        return true;
    }
    const bool confirmed = (m_controlKeyDown.isSet && m_controlKeyDown.isSet()) ||
                           (m_spellCheckWindowOpen.isSet && m_spellCheckWindowOpen.isSet());
    if (!confirmed)
        return false;
    m_helper.sendCorrectionToList(before, after);
    for (const FlagAccess* flag : {&m_controlKeyDown, &m_spellCheckWindowOpen})
        if (flag->clear)
            flag->clear();
    return true;
}

} // namespace typewarden
