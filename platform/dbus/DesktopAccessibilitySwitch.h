#pragma once

namespace platform
{

// The desktop's accessibility switch (org.a11y.Status "IsEnabled" on the session's org.a11y.Bus):
// some toolkits, Qt among them, show their windows' text to assistive programs only while it is
// on. Turning it on is what a screen reader does as it starts.
bool isDesktopAccessibilityEnabled();
// Asks for it to be turned on, without waiting for the answer (it may start the accessibility
// bus); a session without one is logged.
void enableDesktopAccessibility();

} // namespace platform
