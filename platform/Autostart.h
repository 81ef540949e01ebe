#pragma once

#include <QString>

namespace platform
{

// Programs the desktop starts at login, as XDG autostart entries in the autostart folder.
namespace autostart
{

struct Entry {
    QString identifier;  // the entry's file name, without ".desktop"
    QString name;        // what the desktop shows
    QString programPath; // the absolute path of the executable it starts, without arguments
};

// <autostart folder>/<identifier>.desktop.
QString entryPath(const QString& identifier);
// Writes the entry atomically, creating the folder; false, with the reason in `error`, when that
// fails.
bool install(const Entry& entry, QString* error = nullptr);
// Removes the entry; one that is already absent counts as removed.
bool remove(const QString& identifier, QString* error = nullptr);

} // namespace autostart
} // namespace platform
