#pragma once

#include "typewarden/capture/PairHandOver.h"

#include <QString>

namespace typewarden
{

// The fuzzy gate between a typed word and what the document now holds, and the hand-over of a
// correction to the store.
class TextParsingHelperMethods
{
public:
    static constexpr double kAcceptanceThreshold = 0.3;
    // Longer words are never taken as a correction.
    static constexpr qsizetype kLongestWord = 100;

    explicit TextParsingHelperMethods(PairHandOver handOver) : m_handOver(std::move(handOver)) {}

    // 0.0 unless the typed word has four characters or more and the lengths differ by at most
    // one; then the score of the lowercased words.
    static double fuzzyTest(const QString& beforeWord, const QString& afterWord);
    // Whether a score lets the pair through: at least the threshold, and not equal words.
    static bool passesGate(double score);

    // Hands over {cSpell, mSpell} unless the two are the same.
    void sendCorrectionToList(const QString& mSpell, const QString& cSpell);

private:
    PairHandOver m_handOver;
};

} // namespace typewarden
