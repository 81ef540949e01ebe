#include "lexotrace/store/DataSource.h"

#include "lexotrace/app/LXMainAppController.h"
#include "model/OrthovaModel.h"
#include "platform/Bookmarks.h"

#include <QTimer>

Q_LOGGING_CATEGORY(lcStore, "lexotrace.store")

namespace lexotrace
{

DataSource::DataSource(LXMainAppController& app, model::PreferencesController& preferences)
    : m_app(app), m_preferences(preferences), m_alerts(app.alerts()),
      m_undo(std::make_unique<platform::UndoManager>())
{
}

DataSource::~DataSource() = default;

unsigned DataSource::countEntityObjectsForEntity(const QString& entity,
                                                 platform::ObjectContext* context)
{
    return m_app.countEntityObjectsForEntity(entity, context);
}

platform::ObjectModelPtr DataSource::model()
{
    if (!m_model)
        m_model = model::orthovaCoreData();
    return m_model;
}

platform::StoreCoordinator* DataSource::coordinatorForPath(const QString& path)
{
    if (m_coordinator)
        return m_coordinator.get();
    m_coordinator = std::make_shared<platform::StoreCoordinator>(model());
    coordinatorBuilt(m_coordinator.get());
    if (!m_coordinator->addStore(path, &m_openError)) {
        m_alerts.beep();
        qCCritical(lcStore).noquote()
            << QStringLiteral("Unresolved error %1, %2")
                   .arg(m_openError.message, m_openError.userInfo.value("NSFilePath").toString());
    }
    createBookmark(path, bookmarkPathKey(), logsBookmark());
    return m_coordinator.get();
}

platform::ObjectContext* DataSource::context()
{
    if (!m_context && m_coordinator) {
        m_context = std::make_unique<platform::ObjectContext>(m_coordinator);
        m_context->setUndoManager(m_undo.get());
    }
    return m_context.get();
}

bool DataSource::createBookmark(const QString& path, const QString& key, bool logData)
{
    QString why;
    const auto bookmark = platform::bookmarks::create(path, &why);
    if (!bookmark) {
        m_alerts.runModal(platform::AlertPresenter::alertWithError(why));
        return false;
    }
    if (logData)
        qCDebug(lcStore).noquote()
            << QStringLiteral("bookmark: %1").arg(QString::fromUtf8(*bookmark));
    m_app.defaults().setObject(*bookmark, key);
    return true;
}

bool DataSource::saveStoreContext()
{
    platform::ObjectContext* c = m_context.get();
    if (!c || !c->hasChanges())
        return true;
    platform::StoreError error;
    if (c->save(&error))
        return true;
    qCCritical(lcStore).noquote() << QStringLiteral("Unresolved error %1, %2")
                                         .arg(error.message,
                                              error.userInfo.value("NSFilePath").toString());
    // The changes stay in the context; the user is told they are not on disk.
    m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
    return false;
}

bool DataSource::deleteAllObjects(const QString& entity)
{
    platform::ObjectContext* c = m_context.get();
    platform::StoreError error;
    const auto objects = c ? c->fetch(platform::FetchRequest::all(entity), &error)
                           : std::optional<QList<platform::ManagedObject*>>();
    if (!objects) {
        if (!c)
            error = platform::StoreError::make(platform::StoreError::NoStore,
                                               tr("The store is not available."));
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return false;
    }
    for (platform::ManagedObject* object : *objects)
        c->deleteObject(object);
    return true;
}

void DataSource::reportUnopenableStore(const QString& what)
{
    const QString path = m_openError.userInfo.value("NSFilePath").toString();
    m_alerts.runModal(platform::AlertSpec{
        tr("The %1 store could not be opened.").arg(what),
        tr("%1\n\nThe file has been left as it is; nothing will be written to it.\n%2")
            .arg(m_openError.message, path),
        {tr("OK")}});
}

void DataSource::wake(platform::ObjectContext* context, const QString& mainEntity,
                      const QString& what)
{
    setManangedObjectContext(context);
    if (!storeIsOpen()) {
        // Loading the factory file into a store that cannot be saved would only lose it again.
        reportUnopenableStore(what);
        return;
    }
    if (countEntityObjectsForEntity(mainEntity, context) == 0)
        QTimer::singleShot(0, this, [this] { doThis(); });
}

bool DataSource::saveLoaded(bool loaded)
{
    if (loaded)
        return saveStoreContext();
    showLoadFailedSheet();
    return true;
}

void DataSource::showLoadFailedSheet()
{
    m_alerts.beginSheet(
        {tr("Alert"), tr("Failed to load new core data from xml backup"), {tr("OK")}},
        m_app.analysisWindow(), nullptr);
}

DataSource::TerminateReply DataSource::applicationShouldTerminate()
{
    platform::ObjectContext* c = m_managedContext;
    if (!c || !c->hasChanges())
        return TerminateNow;
    platform::StoreError error;
    if (c->save(&error))
        return TerminateNow;
    m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
    const int answer = m_alerts.runModal(platform::AlertSpec{
        tr("Could not save changes while quitting. Quit anyway?"), {}, {tr("OK"), tr("Cancel")}});
    return answer == 0 ? TerminateNow : TerminateCancel;
}

} // namespace lexotrace
