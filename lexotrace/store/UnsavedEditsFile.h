#pragma once

#include "platform/store/StoreError.h"

#include <QString>

namespace platform
{
class ObjectContext;
}

namespace lexotrace
{

// Where lesson or rule edits go when Lexotrace must quit without asking (a logout, a kill) and
// their store cannot be saved: a copy of the whole store, edits included, named
// "<store>-unsaved-<time>.xml", beside the store or else in Documents. The next start finds it and
// offers to put it in the store's place.
namespace unsavedEdits
{

// Writes the context's objects to a new recovery file of the store; its path, or empty (and
// `error`) when no folder would take it.
QString write(const platform::ObjectContext& context, const QString& storePath,
              platform::StoreError* error = nullptr);
// The newest recovery file of the store, or empty.
QString find(const QString& storePath);
// Puts the recovery file in the store's place; false (and why) when it cannot.
bool restore(const QString& recoveryPath, const QString& storePath, QString* why = nullptr);
// Renames the file so that it is not offered again; it stays where it is. The new path, or empty.
QString setAside(const QString& recoveryPath);

} // namespace unsavedEdits
} // namespace lexotrace
