#pragma once

#include "platform/store/EntityModel.h"
#include "platform/store/ObjectID.h"
#include "platform/store/StoreError.h"
#include "platform/store/StoreFile.h"

#include <optional>

namespace platform
{

// Owns one store file of a model: opens it, hands its contents to a context, writes the context's
// objects back, and maps object URIs to IDs.
class StoreCoordinator
{
public:
    explicit StoreCoordinator(ObjectModelPtr model);

    const ObjectModelPtr& model() const { return m_model; }

    // Opens the store at path. A missing file opens as an empty store; an unreadable or foreign
    // file fails with an error, leaves the coordinator without a store and is never written.
    // A read of the same file started ahead is taken from `ahead` instead of reading it again.
    bool addStore(const QString& path, StoreError* error, class StoreReadAhead* ahead = nullptr);
    bool hasStore() const { return m_open; }
    // A read-only store is never written: saves fail and the file stays as it is.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    const QString& storePath() const { return m_path; }
    const QString& storeUuid() const { return m_contents.uuid; }

    // The ID the URI names, when it belongs to this store and this model.
    std::optional<ObjectID> managedObjectIDForURIRepresentation(const QString& uri) const;

    // For contexts: the records read at opening, handed over once.
    QList<StoreRecord> takeLoadedRecords();
    qint64 nextNumber() const { return m_contents.nextNumber; }
    // A writer for the whole store, when the store may be written; then commitWrite() replaces
    // the file with what was added to it, and keeps nextNumber once it was written.
    std::optional<StoreFileWriter> beginWrite(qint64 nextNumber, StoreError* error) const;
    bool commitWrite(StoreFileWriter& writer, qint64 nextNumber, StoreError* error);
    // A writer of this store's contents for another file (a read-only store's too).
    StoreFileWriter writerForCopy(qint64 nextNumber) const
    {
        return StoreFileWriter(m_contents.uuid, nextNumber, m_lastFileSize + m_lastFileSize / 8);
    }

private:
    ObjectModelPtr m_model;
    QString m_path;
    bool m_open = false;
    bool m_readOnly = false;
    StoreContents m_contents;
    qsizetype m_lastFileSize = 0; // the size to reserve for the next write
};

} // namespace platform
