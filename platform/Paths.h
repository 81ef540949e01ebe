#pragma once

#include <QString>

namespace platform
{

// Where the host keeps things, following the XDG base directories.
namespace paths
{

// $XDG_DATA_HOME/<group identifier> (default ~/.local/share/<group identifier>).
QString appGroupContainer(const QString& groupIdentifier);
// The user's documents folder.
QString documentsDirectory();
// The folder of the running program's executable, and the folder its resources are installed in.
QString programDirectory();
QString resourceDirectory();

} // namespace paths
} // namespace platform
