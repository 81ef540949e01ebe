#include "lexotrace/store/DataSource.h"

#include "lexotrace/store/UnsavedEditsFile.h"
#include "model/OrthovaModel.h"
#include "platform/Bookmarks.h"

#include <QTimer>
#include <QWidget>

Q_LOGGING_CATEGORY(lcStore, "lexotrace.store")

namespace lexotrace
{

unsigned countEntityObjects(const QString& entity, platform::ObjectContext* context,
                            platform::AlertPresenter& alerts)
{
    platform::StoreError error;
    std::optional<qsizetype> count;
    if (context)
        count = context->count(platform::FetchRequest::all(entity), &error);
    else
        error = platform::StoreError::make(platform::StoreError::NoStore,
                                           DataSource::tr("The store is not available."));
    if (!count) {
        alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return 0;
    }
    return unsigned(*count);
}

DataSource::DataSource(OpenStore& store, platform::UserDefaults& defaults,
                       platform::AlertPresenter& alerts, model::PreferencesController& preferences)
    : m_defaults(defaults), m_alerts(alerts), m_preferences(preferences), m_store(store)
{
    if (!m_store.undo)
        m_store.undo = std::make_unique<platform::UndoManager>();
}

DataSource::~DataSource() = default;

unsigned DataSource::countEntityObjectsForEntity(const QString& entity,
                                                 platform::ObjectContext* context)
{
    return countEntityObjects(entity, context, m_alerts);
}

platform::ObjectModelPtr DataSource::model()
{
    if (!m_store.model)
        m_store.model = model::orthovaCoreData();
    return m_store.model;
}

platform::StoreCoordinator* DataSource::coordinatorForPath(const QString& path)
{
    if (m_store.coordinator)
        return m_store.coordinator.get();
    m_store.coordinator = std::make_shared<platform::StoreCoordinator>(model());
    if (!m_store.coordinator->addStore(path, &m_openError, &m_store.readAhead)) {
        m_alerts.beep();
        qCCritical(lcStore).noquote()
            << QStringLiteral("Unresolved error %1, %2")
                   .arg(m_openError.message, m_openError.userInfo.value("NSFilePath").toString());
    }
    createBookmark(path, bookmarkPathKey(), logsBookmark());
    return m_store.coordinator.get();
}

platform::ObjectContext* DataSource::context()
{
    if (!m_store.context && m_store.coordinator) {
        m_store.context = std::make_unique<platform::ObjectContext>(m_store.coordinator);
        m_store.context->setUndoManager(m_store.undo.get());
    }
    return m_store.context.get();
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
    m_defaults.setObject(*bookmark, key);
    return true;
}

bool DataSource::saveStoreContext()
{
    platform::ObjectContext* c = m_store.context.get();
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
    platform::ObjectContext* c = m_store.context.get();
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

void DataSource::wakeStore(platform::ObjectContext* context, const QString& mainEntity,
                           const QString& what)
{
    m_managedContext = context;
    if (!storeIsOpen()) {
        // Loading the factory file into a store that cannot be saved would only lose it again.
        reportUnopenableStore(what);
        return;
    }
    m_firstRunLoadScheduled = countEntityObjectsForEntity(mainEntity, context) == 0;
    if (m_firstRunLoadScheduled)
        QTimer::singleShot(0, this, [this] { runFirstRunLoad(); });
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
        m_sheetWindow, nullptr);
}

namespace
{

// True when the context has nothing unsaved, or saved it.
bool savedIfChanged(platform::ObjectContext* c, platform::StoreError* error)
{
    return !c || !c->hasChanges() || c->save(error);
}

} // namespace

bool DataSource::saveOrKeepUnsavedChanges()
{
    platform::ObjectContext* c = m_managedContext;
    platform::StoreError error;
    if (savedIfChanged(c, &error))
        return true;
    qCWarning(lcStore).noquote() << "could not save at the session's end:" << error.message;
    const QString kept = unsavedEdits::write(*c, m_store.coordinator->storePath(), &error);
    if (kept.isEmpty()) {
        qCCritical(lcStore).noquote() << "unsaved changes lost, no recovery file:" << error.message;
        return false;
    }
    qCWarning(lcStore).noquote() << "unsaved changes kept in" << kept;
    return true;
}

DataSource::TerminateReply DataSource::applicationShouldTerminate(bool userCanBeAsked)
{
    if (!userCanBeAsked) {
        saveOrKeepUnsavedChanges();
        return TerminateNow;
    }
    platform::StoreError error;
    if (savedIfChanged(m_managedContext, &error))
        return TerminateNow;
    m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
    const int answer = m_alerts.runModal(platform::AlertSpec{
        tr("Could not save changes while quitting. Quit anyway?"), {}, {tr("OK"), tr("Cancel")}});
    return answer == 0 ? TerminateNow : TerminateCancel;
}

} // namespace lexotrace
