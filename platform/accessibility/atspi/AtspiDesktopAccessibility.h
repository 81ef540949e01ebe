#pragma once

#include "platform/accessibility/DesktopAccessibility.h"

#include <memory>

namespace platform::atspi
{

class AtspiSession;

// The name the capture code knows an application by: "TextEdit" for the desktop's plain-text
// editors, "Pages" for its word processors, else the application's own name.
QString watchedApplicationName(const QString& desktopName);

// The desktop as the accessibility bus shows it, with the X server for the pointer.
//
// Workspace events: an application joining or leaving the bus is launched or terminated; a
// window of another application becoming active activates that application. Per-process events:
// "AXMainWindowChanged" when one of its windows is activated or created, "AXApplicationActivated"
// when it becomes the active application, "AXMenuOpened"/"AXMenuClosed" when one of its menus is
// shown or hidden. Only a frame counts as a main window: dialogs, popup menus and the frame
// coming back after them do not. This process is never asked over the bus (it could not answer while it asks):
// it appears under its Qt application name and is never observed or searched.
class AtspiDesktopAccessibility final : public DesktopAccessibility
{
public:
    // A null session gives a desktop that is not available.
    explicit AtspiDesktopAccessibility(std::shared_ptr<AtspiSession> session);
    ~AtspiDesktopAccessibility() override;

    bool isAvailable() const override;
    QList<RunningApplication> runningApplications() override;
    void setWorkspaceHandlers(WorkspaceHandlers handlers) override;
    std::unique_ptr<ProcessObserver> observe(qint64 pid, const QString& event,
                                             std::function<void()> callback) override;
    std::unique_ptr<ProcessObserver>
    observeTextChanges(std::function<void(const TextChange&)> callback) override;
    std::optional<QPoint> pointerPosition() override;
    // The deepest element under the point, in the window on top there; windows of the active
    // application come before others where the X server cannot tell which is on top.
    AccessibilityElementRef elementAtPosition(const QPoint& point) override;

private:
    class State;
    std::shared_ptr<State> m_state;
};

} // namespace platform::atspi
