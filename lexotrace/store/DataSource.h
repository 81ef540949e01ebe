#pragma once

#include "lexotrace/store/StoreContexts.h"
#include "model/PreferencesController.h"
#include "platform/ui/Alerts.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QWidget>

Q_DECLARE_LOGGING_CATEGORY(lcStore)

namespace lexotrace
{

// Count of the entity's objects in the context; on an error (or without a context), an alert and
// 0.
unsigned countEntityObjects(const QString& entity, platform::ObjectContext* context,
                            platform::AlertPresenter& alerts);

// What the lessons and rules store managers share: building the model, coordinator and context of
// one store file, its bookmark, saving, emptying, and the quit-time save.
class DataSource : public QObject
{
    Q_OBJECT
public:
    enum TerminateReply { TerminateNow, TerminateCancel };

    // `store` is where this manager keeps its store's objects; `defaults` takes its bookmark.
    DataSource(OpenStore& store, platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
               model::PreferencesController& preferences);
    ~DataSource() override;

    // The context this manager saves at quit; set when it wakes.
    platform::ObjectContext* managedObjectContext() const { return m_managedContext; }
    // The window its first-run and load messages appear on (the analysis window).
    void setSheetWindow(QWidget* window) { m_sheetWindow = window; }
    QWidget* sheetWindow() const { return m_sheetWindow; }

    unsigned countEntityObjectsForEntity(const QString& entity, platform::ObjectContext* context);
    // Saves unsaved changes before quitting; when that fails the user decides. Where the user
    // cannot be asked (a logout, a kill), the changes go into a recovery file instead.
    TerminateReply applicationShouldTerminate(bool userCanBeAsked = true);
    // Saves unsaved changes without asking anything, or keeps them in a recovery file (the
    // session is ending); false when neither worked.
    bool saveOrKeepUnsavedChanges();

    platform::UndoManager* undoManager() const { return m_store.undo.get(); }
    // Why the store file could not be opened, when it could not.
    const platform::StoreError& openError() const { return m_openError; }
    bool storeIsOpen() const { return m_store.coordinator && m_store.coordinator->hasStore(); }
    // Whether waking found the store empty and scheduled the first-run load.
    bool firstRunLoadScheduled() const { return m_firstRunLoadScheduled; }

    // The first-run message and load, for an empty store.
    virtual void runFirstRunLoad() = 0;

protected:
    // At wake-up: keeps the context for quitting, and schedules the first-run load on the next
    // turn of the event loop when the store has no object of its main entity.
    void wakeStore(platform::ObjectContext* context, const QString& mainEntity,
                   const QString& what);
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

    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    model::PreferencesController& m_preferences;

private:
    virtual QString bookmarkPathKey() const = 0;
    virtual bool logsBookmark() const { return false; }

    OpenStore& m_store;
    platform::ObjectContext* m_managedContext = nullptr;
    bool m_firstRunLoadScheduled = false;
    QPointer<QWidget> m_sheetWindow;
    platform::StoreError m_openError;
};

} // namespace lexotrace
