#pragma once

// A store file opened as the programs open it: a coordinator with the file added, and a context.
#include "model/OrthovaModel.h"
#include "model/WordPairAnnouncement.h"
#include "platform/store/ObjectContext.h"

#include <QDateTime>

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

// Word pairs saved into the store file at path, stamped a millisecond apart in the order given
// (step 1: oldest first; -1: newest first), as Typewarden would have stored them.
inline bool saveWordPairs(const QString& path, const QList<model::WordPair>& pairs, qint64 step = 1)
{
    StoreOnDisk store(path);
    qint64 ms = 1796670000000;
    for (const model::WordPair& entry : pairs) {
        auto* pair = store.context->insertNewObject(model::entity::WordPair);
        pair->setValue(model::key::cSpell, entry.cSpell);
        pair->setValue(model::key::mSpell, entry.mSpell);
        pair->setValue(model::key::tStamp, QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
        ms += step;
    }
    return pairs.isEmpty() || store.context->save();
}

} // namespace testsupport
