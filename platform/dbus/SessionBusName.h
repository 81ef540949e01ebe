#pragma once

#include <QString>

namespace platform
{

// Owning a well-known name on the session bus: scripts reach the program by it, and a second copy
// finds it taken and does not start.
enum class BusNameClaim { Owned, TakenByAnother, NoBus };

BusNameClaim claimSessionBusName(const QString& name);

} // namespace platform
