#pragma once

#include <QString>
#include <QStringView>

namespace lexotrace
{

// Numbers of the curriculum are stored as text; this reads one back: the leading integer of the
// text (spaces, a sign, digits), 0 when there is none, held at the 32-bit limits.
int intValue(QStringView text);

} // namespace lexotrace
