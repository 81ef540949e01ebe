#pragma once

#include <QString>

#include <random>
#include <utility>

namespace bench
{

// The word with one letter dropped, doubled or swapped with the next, as hands misspell.
inline QString misspell(const QString& word, std::mt19937& random)
{
    QString m = word;
    if (m.isEmpty())
        return m;
    const int at = int(random() % m.size());
    switch (random() % 3) {
    case 0:
        m.remove(at, 1);
        break;
    case 1:
        m.insert(at, m[at]);
        break;
    default:
        if (at + 1 < m.size())
            std::swap(m[at], m[at + 1]);
    }
    return m;
}

} // namespace bench
