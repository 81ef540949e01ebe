#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QString>

namespace typewarden
{

// Reads the pairs of an error-list file into the agent's context, stamped with the import time.
// The context is not saved: the copies are unsaved additions like captured pairs. A file that is
// not an error list is presented as an error and nothing is imported.
class ImportSpellList
{
public:
    ImportSpellList(platform::AlertPresenter& alerts, platform::ObjectContext& destinationContext,
                    QString filePath);

    // Runs at once, on the calling thread. False when nothing could be read.
    bool run();
    int importedCount() const { return m_imported; }
    const platform::StoreError& error() const { return m_error; }

private:
    bool fail(const platform::StoreError& error);

    platform::AlertPresenter& m_alerts;
    platform::ObjectContext& m_destinationContext;
    QString m_filePath;
    int m_imported = 0;
    platform::StoreError m_error;
};

} // namespace typewarden
