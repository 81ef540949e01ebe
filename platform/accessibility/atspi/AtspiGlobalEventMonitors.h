#pragma once

#include "platform/accessibility/GlobalEventMonitors.h"

#include <memory>

namespace platform::atspi
{

class AtspiSession;

// The key-down monitor is a keystroke listener on the accessibility bus (toolkits report the keys
// their windows receive); the mouse-up monitor listens to the button events of the bus,
// "mouse:button:1r" and "mouse:button:3r", a released right click setting `control`. The bus
// learns of buttons by polling the pointer, so a click is seen when the button stays down for a
// moment (about a tenth of a second). Handlers run on the main thread.
class AtspiGlobalEventMonitors final : public GlobalEventMonitors
{
public:
    // A null session gives monitors that refuse to install.
    explicit AtspiGlobalEventMonitors(std::shared_ptr<AtspiSession> session);
    ~AtspiGlobalEventMonitors() override;

    bool installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) override;
    void removeKeyDownMonitor() override;
    bool hasKeyDownMonitor() const override;

    bool installMouseUpMonitor(std::function<void(const MouseUpEvent&)> handler) override;
    void removeMouseUpMonitor() override;
    bool hasMouseUpMonitor() const override;

private:
    // The bus listeners; libatspi keeps its address as their user data.
    class Listeners;
    std::unique_ptr<Listeners> m_listeners;
};

} // namespace platform::atspi
