#include "platform/store/StoreReadAhead.h"

#include "platform/AtomicFile.h"

#include <QMetaObject>

namespace platform
{

StoreRead StoreRead::of(const QString& path, const ObjectModel& model)
{
    StoreRead read;
    removeStaleTemporaries(path);
    read.contents = StoreFile::read(path, model, &read.error);
    return read;
}

StoreReadAhead::StoreReadAhead() : m_receiver(std::make_unique<QObject>()) {}

StoreReadAhead::~StoreReadAhead()
{
    // The worker posts to the receiver: it must have finished before the receiver goes.
    if (m_read.valid())
        m_read.wait();
}

void StoreReadAhead::start(const QString& path, ObjectModelPtr model, std::function<void()> done,
                           std::function<void(const StoreRead&)> prepare)
{
    if (m_read.valid())
        m_read.wait();
    m_path = path;
    QObject* receiver = m_receiver.get();
    m_read = std::async(std::launch::async, [path, model, receiver, done = std::move(done),
                                             prepare = std::move(prepare)] {
        StoreRead read = StoreRead::of(path, *model);
        if (prepare)
            prepare(read);
        if (done)
            QMetaObject::invokeMethod(receiver, done, Qt::QueuedConnection);
        return read;
    });
}

std::optional<StoreRead> StoreReadAhead::take(const QString& path)
{
    if (!m_read.valid() || path != m_path)
        return std::nullopt;
    return m_read.get();
}

} // namespace platform
