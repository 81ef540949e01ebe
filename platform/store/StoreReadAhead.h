#pragma once

#include "platform/store/EntityModel.h"
#include "platform/store/StoreFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace platform
{

// What opening a store file found there: its contents (none for a missing file) or an error.
struct StoreRead {
    std::optional<StoreContents> contents;
    StoreError error;

    static StoreRead of(const QString& path, const ObjectModel& model);
};

// One store file read on a worker thread ahead of its first use, so that a window can show while
// it loads. Whoever opens the file first takes the read, waiting for it when it is not in yet.
class StoreReadAhead
{
public:
    StoreReadAhead();
    ~StoreReadAhead();

    // Starts the read. `prepare` runs on the worker with what was read, before the read can be
    // taken; `done` runs on this object's thread once it is in, unless this object is gone by
    // then.
    void start(const QString& path, ObjectModelPtr model, std::function<void()> done = {},
               std::function<void(const StoreRead&)> prepare = {});
    // The read of that path, when one was started and not yet taken.
    std::optional<StoreRead> take(const QString& path);

private:
    std::unique_ptr<QObject> m_receiver; // outlives the read: `done` is posted to it
    QString m_path;
    std::future<StoreRead> m_read;
};

} // namespace platform
