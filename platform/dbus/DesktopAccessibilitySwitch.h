#pragma once

#include <QString>

namespace platform
{

// The desktop's accessibility switch (org.a11y.Status "IsEnabled" on the session's org.a11y.Bus):
// some toolkits, Qt among them, show their windows' text to assistive programs only while it is
// on. Turning it on is what a screen reader does as it starts.
bool isDesktopAccessibilityEnabled();
// Turns it on; false, with the reason, when the session has no accessibility bus.
bool enableDesktopAccessibility(QString* why = nullptr);

} // namespace platform
