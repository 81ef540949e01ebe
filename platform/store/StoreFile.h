#pragma once

#include "platform/store/EntityModel.h"
#include "platform/store/StoreError.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <span>
#include <string>

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

// Builds the bytes of a store file one object at a time, then replaces the file with them. Object
// and attribute names are converted once per entity, and plain ASCII values are copied as they
// are, so that a save of a large store costs little more than writing its bytes.
class StoreFileWriter
{
public:
    StoreFileWriter(const QString& uuid, qint64 nextNumber, qsizetype sizeHint = 0);

    // Values by attribute index (invalid ones are absent); to-one targets by relationship index as
    // object numbers, 0 for none.
    void add(const EntityDescription& entity, qint64 number, const QList<QVariant>& values,
             std::span<const qint64> toOne);
    // Writes the file atomically; on failure the old file is left as it was.
    bool commit(const QString& path, StoreError* error);
    qsizetype size() const { return qsizetype(m_bytes.size()); }

private:
    struct Names {
        const EntityDescription* entity = nullptr;
        QByteArray objectHead; // <o e="Entity" id="
        QList<QByteArray> attributes, relationships;
    };
    const Names& namesFor(const EntityDescription& entity);

    std::string m_bytes;
    QList<Names> m_names;
};

// Reads the store file: UTF-8 XML, written by StoreFileWriter and replaced atomically (a
// temporary file in the same folder, flushed to disk, then renamed over the old one).
class StoreFile
{
public:
    // A missing file gives nothing and no error; an unreadable or foreign file gives an error.
    static std::optional<StoreContents> read(const QString& path, const ObjectModel& model,
                                             StoreError* error);
};

} // namespace platform
