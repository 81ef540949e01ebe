#include "typewarden/capture/StringScore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

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

// Where each character stands in the receiver, so that finding the next match after a position is a
// binary search, not a scan: the score stays linear in the words' lengths.
class Positions
{
public:
    explicit Positions(const QString& text) : m_text(text)
    {
        for (qsizetype i = 0; i < text.size(); ++i)
            m_at[text[i].unicode()].push_back(i);
    }

    // The first place at or after `from` where `needle` stands, or -1.
    qsizetype find(const QString& needle, qsizetype from) const
    {
        // Case mappings of more than one character (rare) are looked up as text.
        if (needle.size() != 1)
            return m_text.indexOf(needle, from);
        const auto list = m_at.find(needle[0].unicode());
        if (list == m_at.end())
            return -1;
        const auto next = std::lower_bound(list->second.begin(), list->second.end(), from);
        return next == list->second.end() ? -1 : *next;
    }

private:
    const QString& m_text;
    std::unordered_map<char16_t, std::vector<qsizetype>> m_at;
};

} // namespace

double scoreAgainst(const QString& receiver, const QString& other, std::optional<double> fuzziness,
                    int options)
{
    const QString s = normalise(receiver);
    const QString o = normalise(other);
    const qsizetype lengthS = s.size();
    const qsizetype lengthO = o.size();
    if (s == o)
        return 1.0;
    if (o.isEmpty())
        return 0.0;

    const Positions positions(s);
    // Matching goes left to right: what is left of the receiver starts here.
    qsizetype from = 0;
    double total = 0;
    double fuzzies = 1.0;
    bool startBonus = false;
    for (qsizetype i = 0; i < lengthO; ++i) {
        const QChar c = o[i];
        double charScore = 0.1;
        const qsizetype lower = positions.find(QString(c).toLower(), from);
        const qsizetype upper = positions.find(QString(c).toUpper(), from);
        qsizetype at = -1;
        if (lower >= 0 && upper >= 0)
            at = std::min(lower, upper);
        else
            at = lower >= 0 ? lower : upper;
        if (at < 0) {
            if (!fuzziness)
                return 0.0;
            fuzzies += double(1.0f - float(*fuzziness));
        } else if (s[at] == c) {
            charScore += 0.1;
        }
        if (at == from) {
            charScore += 0.6;
            if (i == 0)
                startBonus = true;
        } else if (at > from && s[at - 1] == u' ') {
            charScore += 0.8;
        }
        if (at >= 0)
            from = at + 1;
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
