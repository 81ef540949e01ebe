#pragma once

// A store file opened as the programs open it: a coordinator with the file added, and a context.
#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"

#include <memory>

namespace testsupport
{

struct StoreOnDisk {
    explicit StoreOnDisk(const QString& path)
        : opened(coordinator->addStore(path, &error)),
          context(std::make_unique<platform::ObjectContext>(coordinator))
    {
    }

    // The objects of the entity in the order asked, those matching the predicate; none when the
    // fetch fails.
    QList<platform::ManagedObject*> all(const QString& entity,
                                        const QList<platform::SortDescriptor>& sort = {},
                                        const platform::Predicate& predicate = {}) const
    {
        return context->fetch(platform::FetchRequest{entity, predicate, sort, 0})
            .value_or(QList<platform::ManagedObject*>{});
    }

    std::shared_ptr<platform::StoreCoordinator> coordinator =
        std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    platform::StoreError error;
    bool opened;
    std::unique_ptr<platform::ObjectContext> context;
};

} // namespace testsupport
