#pragma once

#include <QString>

#include <optional>

namespace typewarden
{

// How alike two words are, from 0.0 to about 1.0: each character of `other` is looked up, left to
// right, in `receiver`; matches of the same case, at the start of what is left, or after a space
// score more, and a difference in length costs 0.1 a character. Equal words (ignoring accents'
// composition, punctuation and symbols) score exactly 1.0.
namespace score
{

enum Option { Plain = 1, NormaliseByReceiverLength = 2, WholeLengthRatio = 4 };

// Without fuzziness a character of `other` missing from `receiver` scores 0.0 at once.
double scoreAgainst(const QString& receiver, const QString& other,
                    std::optional<double> fuzziness = std::nullopt, int options = Plain);

} // namespace score
} // namespace typewarden
