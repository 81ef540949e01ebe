#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QList>
#include <QString>

#include <memory>

namespace typewarden
{

// A context on the error-list file at path, built with the shared model; a missing file opens
// empty. Null on a file that is not a store of the model or that holds anything but word pairs.
std::unique_ptr<platform::ObjectContext> errorListContextForPath(const QString& path,
                                                                 platform::StoreError* error);

// Copies pairs of the agent's context, attributes unchanged, into the error-list file at a path,
// adding them to the pairs it already holds, and saves that file. Failures are presented.
class ExportSpellList
{
public:
    ExportSpellList(platform::AlertPresenter& alerts,
                    const platform::ObjectContext& originalContext,
                    QList<platform::ObjectID> objectIDs, QString saveFilePath);

    // Runs at once, on the calling thread. False when nothing was written.
    bool run();
    // Pairs written by the last run; IDs that no longer name a live pair are skipped.
    int copiedCount() const { return m_copied; }
    const platform::StoreError& error() const { return m_error; }

private:
    bool fail(const platform::StoreError& error);

    platform::AlertPresenter& m_alerts;
    const platform::ObjectContext& m_originalContext;
    QList<platform::ObjectID> m_objectIDs;
    QString m_saveFilePath;
    int m_copied = 0;
    platform::StoreError m_error;
};

} // namespace typewarden
