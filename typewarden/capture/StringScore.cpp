#include "typewarden/capture/StringScore.h"

#include <cmath>
#include <cstdlib>

namespace typewarden::score
{

namespace
{

// Letters, marks, digits and spaces stay; everything else (punctuation, symbols, surrogate
// halves) goes, after canonical decomposition.
QString normalise(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString kept;
    kept.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c == u' ' || c.isLetter() || c.isMark() || c.isNumber())
            kept += c;
    }
    return kept;
}

} // namespace

double scoreAgainst(const QString& receiver, const QString& other, std::optional<double> fuzziness,
                    int options)
{
    QString s = normalise(receiver);
    const QString o = normalise(other);
    const qsizetype lengthS = s.size();
    const qsizetype lengthO = o.size();
    if (s == o)
        return 1.0;
    if (o.isEmpty())
        return 0.0;

    double total = 0;
    double fuzzies = 1.0;
    bool startBonus = false;
    for (qsizetype i = 0; i < lengthO; ++i) {
        const QChar c = o[i];
        double charScore = 0.1;
        const qsizetype lower = s.indexOf(QString(c).toLower());
        const qsizetype upper = s.indexOf(QString(c).toUpper());
        qsizetype index = -1;
        if (lower >= 0 && upper >= 0)
            index = std::min(lower, upper);
        else
            index = lower >= 0 ? lower : upper;
        if (index < 0) {
            if (!fuzziness)
                return 0.0;
            fuzzies += double(1.0f - float(*fuzziness));
        } else if (s[index] == c) {
            charScore += 0.1;
        }
        if (index == 0) {
            charScore += 0.6;
            if (i == 0)
                startBonus = true;
        } else if (index > 0 && s[index - 1] == u' ') {
            charScore += 0.8;
        }
        if (index >= 0)
            s = s.mid(index + 1); // matching goes left to right
        total += charScore;
    }

    if (options & NormaliseByReceiverLength)
        return total / double(lengthS);
    const double oScore = total / double(lengthO);
    double word = 0;
    if (options & WholeLengthRatio)
        word = oScore * double(lengthS == 0 ? 0 : lengthO / lengthS);
    else
        word = oScore * (double(lengthO) / double(lengthS));
    double result = (word + oScore) / 2;
    result = result / fuzzies - 0.1 * std::abs(int(lengthO - lengthS));
    if (startBonus && result + 0.15 < 1.0)
        result += 0.15;
    return result;
}

} // namespace typewarden::score
