#include "typewarden/store/ImportSpellList.h"

#include "model/OrthovaModel.h"
#include "typewarden/store/ExportSpellList.h"

#include <QDateTime>

namespace typewarden
{

ImportSpellList::ImportSpellList(platform::AlertPresenter& alerts,
                                 platform::ObjectContext& destinationContext, QString filePath)
    : m_alerts(alerts), m_destinationContext(destinationContext), m_filePath(std::move(filePath))
{
}

bool ImportSpellList::fail(const platform::StoreError& error)
{
    m_error = error;
    m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
    return false;
}

bool ImportSpellList::run()
{
    m_imported = 0;
    m_error = {};
    platform::StoreError error;
    const auto importContext = errorListContextForPath(m_filePath, &error);
    if (!importContext)
        return fail(error);
    // The file is only read.
    importContext->coordinator()->setReadOnly(true);
    const auto pairs =
        importContext->fetch(platform::FetchRequest::all(model::entity::WordPair), &error);
    if (!pairs)
        return fail(error);
    const QDateTime importTime = QDateTime::currentDateTime();
    for (const platform::ManagedObject* pair : *pairs) {
        platform::ManagedObject* copy = m_destinationContext.insertNewObject(pair->entityName());
        for (const QString& key : pair->entity().attributeNames())
            copy->setValue(key, pair->value(key));
        copy->setValue(model::key::tStamp, importTime);
        ++m_imported;
    }
    // The list shows the new pairs now.
    m_destinationContext.processPendingChanges();
    return true;
}

} // namespace typewarden
