#pragma once

#include "model/WordPairAnnouncement.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QLoggingCategory>
#include <QObject>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcWordPairStore)

namespace platform
{
class DistributedNotificationCenter;
}

namespace typewarden
{

// Registers the store path default (the word-pair file in the shared data directory, whose folders
// are created first) without overriding a path the user stored. Returns the registered path.
QString registerErrorListPathDefault(platform::UserDefaults& defaults);

// Inserts a WordPair with both words into the context, stamped now unless it already has a time.
platform::ManagedObject* makeNewWordPairWithOrdinationForCSpell(platform::ObjectContext& context,
                                                                const QString& cSpell,
                                                                const QString& mSpell);

// The agent's word-pair store: opens the shared word-pair file on first use, takes every captured
// pair, announces it at once and keeps it unsaved until a save point. A store that cannot be
// opened is never written: the pairs captured meanwhile go into a recovery file of their own
// beside it (or in the documents folder), from which they can be imported later. Pairs that
// cannot be saved are kept and can be written to a recovery file when the agent quits.
class TypewardenModel : public QObject
{
    Q_OBJECT
public:
    TypewardenModel(platform::UserDefaults& defaults,
                    platform::DistributedNotificationCenter& notifications,
                    platform::AlertPresenter& alerts, QObject* parent = nullptr);
    ~TypewardenModel() override;

    // Built on first use and kept for the life of the model; opening is tried once. When the store
    // cannot be opened they stand for the recovery file that keeps the pairs instead, and are
    // null only when no such file can be made either.
    platform::ObjectModelPtr wordErrorModel();
    platform::StoreCoordinator* wordErrorManager();
    platform::ObjectContext* wordErrorDBase();
    QString typewardenErrorListXMLPath() const;

    // Opens the store and gives the context a fresh undo manager.
    void wake();

    // Takes one captured pair. True when it was added to the context; a pair with an empty word
    // is dropped.
    bool addWordPairs(const model::WordPair& pair);
    // Saves when there are unsaved changes. On failure the changes stay, and the user is told once
    // until a save succeeds again.
    bool saveContext();
    // Objects of that entity in the context; 0 (after a modal alert) when they cannot be counted.
    unsigned countEntityObjects(const QString& entityName);

    // False when neither the store nor a recovery file can take pairs.
    bool acceptsPairs();
    // Why the store could not be opened; no error when it was.
    const platform::StoreError& openError() const { return m_openError; }
    // The recovery file that keeps the pairs while the store cannot be opened; empty otherwise.
    const QString& keptAsidePath() const { return m_keptAsidePath; }
    bool lastSaveFailed() const { return m_lastSaveFailed; }
    platform::UndoManager* undoManager() const { return m_undo.get(); }

    // Pairs added since the last save, oldest first.
    QList<platform::ManagedObject*> unsavedPairs() const;
    // At quit, after a failed save: writes the unsaved pairs into a new store file beside the word-
    // pair store ("spellErrorList-unsaved-<date>-<time>.xml"; the documents folder when that folder
    // cannot be written), never replacing a file. True when there was nothing to write or it was
    // written; writtenPath is the new file, empty when there was nothing to write.
    bool writeUnsavedPairsToRecoveryFile(QString* writtenPath,
                                         platform::StoreError* error = nullptr);

signals:
    // The list window shows the pairs: scroll to the end and select the last row.
    void scrollToEndRequested();

private:
    void reportOpenFailure(const QString& path);
    // A free name "<store>-unsaved-<date>-<time>[-n].xml" in the folder; empty when none.
    QString freeRecoveryName(const QString& folder) const;
    bool openKeptAside(const QString& storePath);
    bool writeRecoveryStore(const QString& folder, const QList<platform::ManagedObject*>& pairs,
                            QString* writtenPath, platform::StoreError* error);

    platform::UserDefaults& m_defaults;
    platform::DistributedNotificationCenter& m_notifications;
    platform::AlertPresenter& m_alerts;

    platform::ObjectModelPtr m_model;
    std::shared_ptr<platform::StoreCoordinator> m_coordinator;
    bool m_openTried = false;
    platform::StoreError m_openError;
    QString m_keptAsidePath;
    std::unique_ptr<platform::UndoManager> m_undo;
    std::unique_ptr<platform::ObjectContext> m_context;
    bool m_lastSaveFailed = false;
};

} // namespace typewarden
