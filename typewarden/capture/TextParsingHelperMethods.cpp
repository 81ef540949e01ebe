#include "typewarden/capture/TextParsingHelperMethods.h"

#include "typewarden/capture/StringScore.h"

#include <QLoggingCategory>

#include <cmath>
#include <cstdlib>

namespace typewarden
{

double TextParsingHelperMethods::fuzzyTest(const QString& beforeWord, const QString& afterWord)
{
    // No word is this long: such a "word" is pasted data, and scoring it costs time that grows
    // with the square of its length.
    if (beforeWord.size() > kLongestWord || afterWord.size() > kLongestWord)
        return 0.0;
    // Lengths as the typed-word path has always measured them: 16-bit signed.
    const qint16 before = qint16(beforeWord.size());
    const qint16 after = qint16(afterWord.size());
    if (std::abs(before - after) >= 2 || before < 4 || after < 1)
        return 0.0;
    return score::scoreAgainst(beforeWord.toLower(), afterWord.toLower(), 1.0, score::Plain);
}

bool TextParsingHelperMethods::passesGate(double score)
{
    if (std::isinf(score))
        score = 0;
    return score >= kAcceptanceThreshold && score != 1.0;
}

void TextParsingHelperMethods::sendCorrectionToList(const QString& mSpell, const QString& cSpell)
{
    if (mSpell == cSpell || !m_handOver)
        return;
    m_handOver({cSpell, mSpell});
}

} // namespace typewarden
