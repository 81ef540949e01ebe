#include "platform/store/StoreCoordinator.h"

#include "platform/store/StoreReadAhead.h"

#include <QFileInfo>
#include <QUuid>

namespace platform
{

StoreCoordinator::StoreCoordinator(ObjectModelPtr model) : m_model(std::move(model)) {}

bool StoreCoordinator::addStore(const QString& path, StoreError* error, StoreReadAhead* ahead)
{
    if (path.isEmpty()) {
        setError(error, StoreError::make(StoreError::FileUnreadable,
                                         QObject::tr("No store file was named.")));
        return false;
    }
    std::optional<StoreRead> read = ahead ? ahead->take(path) : std::nullopt;
    if (!read)
        read = StoreRead::of(path, *m_model);
    if (read->error.isError()) {
        setError(error, read->error);
        return false;
    }
    m_path = path;
    m_open = true;
    m_lastFileSize = QFileInfo(path).size();
    if (read->contents) {
        m_contents = std::move(*read->contents);
    } else {
        m_contents = {};
        m_contents.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
    return true;
}

std::optional<ObjectID>
StoreCoordinator::managedObjectIDForURIRepresentation(const QString& uri) const
{
    auto id = ObjectID::fromUriString(uri);
    if (!id || !m_model->entity(id->entityName()))
        return std::nullopt;
    if (!id->isTemporary() && (!m_open || id->storeUuid() != m_contents.uuid))
        return std::nullopt;
    return id;
}

QList<StoreRecord> StoreCoordinator::takeLoadedRecords()
{
    return std::exchange(m_contents.records, {});
}

std::optional<StoreFileWriter> StoreCoordinator::beginWrite(qint64 nextNumber,
                                                            StoreError* error) const
{
    if (!m_open) {
        setError(error, StoreError::make(StoreError::NoStore,
                                         QObject::tr("This store coordinator has no store.")));
        return std::nullopt;
    }
    if (m_readOnly) {
        setError(error,
                 StoreError::make(StoreError::WriteFailed,
                                  QObject::tr("The store “%1” is read-only.").arg(m_path), m_path));
        return std::nullopt;
    }
    return writerForCopy(nextNumber);
}

bool StoreCoordinator::commitWrite(StoreFileWriter& writer, qint64 nextNumber, StoreError* error)
{
    if (!writer.commit(m_path, error))
        return false;
    m_contents.nextNumber = nextNumber;
    m_lastFileSize = writer.size();
    return true;
}

} // namespace platform
