#pragma once

#include "platform/store/Predicate.h"
#include "platform/store/SortDescriptor.h"

namespace platform
{

struct FetchRequest {
    QString entityName;
    Predicate predicate;
    QList<SortDescriptor> sortDescriptors;
    qsizetype fetchLimit = 0; // 0: no limit

    static FetchRequest all(const QString& entity) { return FetchRequest{entity, {}, {}, 0}; }
};

} // namespace platform
