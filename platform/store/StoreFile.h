#pragma once

#include "platform/store/EntityModel.h"
#include "platform/store/StoreError.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace platform
{

// One object as the store file holds it: attribute values by attribute index, to-one targets by
// relationship index as object numbers (0 for none). To-many relationships are not written; they
// are rebuilt from their inverses.
struct StoreRecord {
    const EntityDescription* entity = nullptr;
    qint64 number = 0;
    QList<QVariant> values;
    QList<qint64> toOne;
};

struct StoreContents {
    QString uuid;
    qint64 nextNumber = 1;
    QList<StoreRecord> records;
};

// Reads and writes the store file: UTF-8 XML, replaced atomically on write (a temporary file in the
// same folder, flushed to disk, then renamed over the old one).
class StoreFile
{
public:
    // A missing file gives nothing and no error; an unreadable or foreign file gives an error.
    static std::optional<StoreContents> read(const QString& path, const ObjectModel& model,
                                             StoreError* error);
    static bool write(const QString& path, const StoreContents& contents, StoreError* error);
};

} // namespace platform
