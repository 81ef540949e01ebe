#pragma once

// Forwards to the interface and its D-Bus implementation while includes move to those headers.
#include "platform/DistributedNotificationCenter.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"
