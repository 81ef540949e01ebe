#include "typewarden/store/ExportSpellList.h"

#include "model/OrthovaModel.h"

#include <QFileInfo>
#include <QObject>

namespace typewarden
{

std::unique_ptr<platform::ObjectContext> errorListContextForPath(const QString& path,
                                                                 platform::StoreError* error)
{
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    if (!coordinator->addStore(path, error))
        return nullptr;
    auto context = std::make_unique<platform::ObjectContext>(coordinator);
    // A lessons or rules store is a store of the same model; it must neither take pairs nor give
    // them.
    for (const platform::EntityDescription& entity : coordinator->model()->entities()) {
        if (entity.name() == model::entity::WordPair)
            continue;
        if (context->count(platform::FetchRequest::all(entity.name())).value_or(0) > 0) {
            platform::setError(
                error, platform::StoreError::make(
                           platform::StoreError::FileCorrupt,
                           QObject::tr("The file “%1” is not an error list: it holds %2 objects.")
                               .arg(QFileInfo(path).fileName(), entity.name()),
                           path));
            return nullptr;
        }
    }
    return context;
}

ExportSpellList::ExportSpellList(platform::AlertPresenter& alerts,
                                 const platform::ObjectContext& originalContext,
                                 QList<platform::ObjectID> objectIDs, QString saveFilePath)
    : m_alerts(alerts), m_originalContext(originalContext), m_objectIDs(std::move(objectIDs)),
      m_saveFilePath(std::move(saveFilePath))
{
}

bool ExportSpellList::fail(const platform::StoreError& error)
{
    m_error = error;
    m_copied = 0;
    m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
    return false;
}

bool ExportSpellList::run()
{
    m_copied = 0;
    m_error = {};
    platform::StoreError error;
    const auto destinationContext = errorListContextForPath(m_saveFilePath, &error);
    if (!destinationContext)
        return fail(error);
    for (const platform::ObjectID& id : m_objectIDs) {
        const platform::ManagedObject* pair = m_originalContext.objectWithID(id);
        if (!pair || pair->entityName() != model::entity::WordPair)
            continue;
        platform::ManagedObject* copy = destinationContext->insertNewObject(pair->entityName());
        for (const QString& key : pair->entity().attributeNames())
            copy->setValue(key, pair->value(key));
        ++m_copied;
    }
    if (!destinationContext->save(&error))
        return fail(error);
    // An empty list still leaves an error-list file behind, for the bookmark and a later import.
    platform::StoreCoordinator* coordinator = destinationContext->coordinator();
    if (!QFileInfo::exists(m_saveFilePath)) {
        auto writer = coordinator->beginWrite(coordinator->nextNumber(), &error);
        if (!writer || !coordinator->commitWrite(*writer, coordinator->nextNumber(), &error))
            return fail(error);
    }
    return true;
}

} // namespace typewarden
