#pragma once

// What the timing programs share: stopping with a message, medians, and opening a store.

#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace bench
{

[[noreturn]] inline void fail(const QString& what)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(what));
    std::exit(1);
}

inline double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Store {
    std::shared_ptr<platform::StoreCoordinator> coordinator;
    std::unique_ptr<platform::ObjectContext> context;
};

inline Store openStore(const QString& path)
{
    Store store;
    store.coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    platform::StoreError error;
    if (!store.coordinator->addStore(path, &error))
        fail(QStringLiteral("addStore %1: %2").arg(path, error.message));
    store.context = std::make_unique<platform::ObjectContext>(store.coordinator);
    return store;
}

inline QList<platform::ManagedObject*> fetchAll(const platform::ObjectContext& context,
                                                const QString& entityName)
{
    platform::StoreError error;
    auto objects = context.fetch(platform::FetchRequest::all(entityName), &error);
    if (!objects)
        fail(QStringLiteral("fetch %1: %2").arg(entityName, error.message));
    return *objects;
}

// Closes a store outside any timed region, after its queued notification has gone out.
inline void closeStore(Store& store)
{
    QCoreApplication::processEvents();
    store.context.reset();
    store.coordinator.reset();
}

} // namespace bench
