#pragma once

#include <QList>
#include <QString>

namespace platform
{

class ManagedObject;

// Plain compares UTF-16 code units; Numeric compares runs of digits by their value (2 before 10,
// 1.2 before 1.10); CaseInsensitive ignores case.
enum class Comparison { Plain, Numeric, CaseInsensitive };

int compareWithNumericSearch(QStringView a, QStringView b);

struct SortDescriptor {
    QString key;
    bool ascending = true;
    Comparison comparison = Comparison::Plain;
};

// Stable sort of objects by the descriptors; an absent value sorts before any present one.
void sortObjects(QList<ManagedObject*>& objects, const QList<SortDescriptor>& descriptors);

} // namespace platform
