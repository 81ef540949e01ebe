#pragma once

#include <QStringView>

namespace model
{

// Numbers of the curriculum are stored as text; these read one back: the leading integer of the
// text (spaces, a sign, digits), 0 when there is none ("12a" is 12, "" and "x" are 0), held at
// the limits of the type instead of wrapping round.
qint64 integerValue(QStringView text);
int intValue(QStringView text);

} // namespace model
