#pragma once

#include <QString>

namespace platform
{

// Where the host keeps things, following the XDG base directories.
namespace paths
{

// $XDG_DATA_HOME and $XDG_CONFIG_HOME when they hold absolute paths, else ~/.local/share and
// ~/.config; empty when that falls back to a home folder and HOME is not set.
QString dataHome();
QString configHome();
// <data home>/<group identifier>, under the root folder when HOME is not set.
QString appGroupContainer(const QString& groupIdentifier);
// The data directory that the programs of a group share, inside its container.
QString sharedDataDirectory(const QString& groupIdentifier);
// <config home>/autostart, where the desktop finds the entries it starts at login; under the
// root folder when HOME is not set.
QString autostartDirectory();
// The user's documents folder.
QString documentsDirectory();
// The folder of the running program's executable, and the folder its resources are installed in.
QString programDirectory();
QString resourceDirectory();
// The executable `name` in `besideDirectory` when it is there, else the one on PATH; empty when
// there is none.
QString findProgram(const QString& name, const QString& besideDirectory);

} // namespace paths
} // namespace platform
