#include "model/NumberText.h"

#include <algorithm>
#include <limits>

namespace model
{

qint64 integerValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        value = value > (max - digit) / 10 ? max : value * 10 + digit;
    }
    return negative ? -value : value;
}

int intValue(QStringView text)
{
    return int(std::clamp<qint64>(integerValue(text), std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

} // namespace model
