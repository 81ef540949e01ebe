#pragma once

#include "model/PreferencesController.h"
#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QLoggingCategory>
#include <QObject>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcStore)

namespace lexotrace
{

class LXMainAppController;

// What the lessons and rules store managers share: building the model, coordinator and context of
// one store file, its bookmark, saving, emptying, and the quit-time save.
class DataSource : public QObject
{
    Q_OBJECT
public:
    enum TerminateReply { TerminateNow, TerminateCancel };

    DataSource(LXMainAppController& app, model::PreferencesController& preferences);
    ~DataSource() override;

    platform::ObjectContext* manangedObjectContext() const { return m_managedContext; }
    void setManangedObjectContext(platform::ObjectContext* c) { m_managedContext = c; }

    unsigned countEntityObjectsForEntity(const QString& entity, platform::ObjectContext* context);
    // Saves unsaved changes before quitting; when that fails the user decides.
    TerminateReply applicationShouldTerminate();

    platform::UndoManager* undoManager() const { return m_undo.get(); }
    // Why the store file could not be opened, when it could not.
    const platform::StoreError& openError() const { return m_openError; }
    bool storeIsOpen() const { return m_coordinator && m_coordinator->hasStore(); }

    // The first-run message and load, for an empty store.
    virtual void doThis() = 0;

protected:
    // At wake-up: keeps the context for quitting, and schedules the first-run load on the next
    // turn of the event loop when the store has no object of its main entity.
    void wake(platform::ObjectContext* context, const QString& mainEntity, const QString& what);
    // After reading a factory or import file: save what was read, or say the file failed.
    bool saveLoaded(bool loaded);
    platform::ObjectModelPtr model();
    // Builds the coordinator once and opens the store file at path; then records the bookmark.
    platform::StoreCoordinator* coordinatorForPath(const QString& path);
    platform::ObjectContext* context();
    bool saveStoreContext();
    bool deleteAllObjects(const QString& entity);
    bool createBookmark(const QString& path, const QString& key, bool logData);
    // After a store that could not be opened: tell the user once, and leave the file alone.
    void reportUnopenableStore(const QString& what);
    // The sheet on the analysis window after a factory or import file could not be read.
    void showLoadFailedSheet();

    LXMainAppController& m_app;
    model::PreferencesController& m_preferences;
    platform::AlertPresenter& m_alerts;

private:
    virtual void coordinatorBuilt(platform::StoreCoordinator*) {}
    virtual QString bookmarkPathKey() const = 0;
    virtual bool logsBookmark() const { return false; }

    platform::ObjectModelPtr m_model;
    std::shared_ptr<platform::StoreCoordinator> m_coordinator;
    std::unique_ptr<platform::ObjectContext> m_context;
    std::unique_ptr<platform::UndoManager> m_undo;
    platform::ObjectContext* m_managedContext = nullptr;
    platform::StoreError m_openError;
};

} // namespace lexotrace
