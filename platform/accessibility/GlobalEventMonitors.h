#pragma once

#include <QString>

#include <functional>

namespace platform
{

// A key pressed in another application, with the modifiers as the capture code tests them:
// `command` is Ctrl held, `control` is Super held, `commandAlone` is the left Ctrl key with no
// other modifier.
struct KeyDownEvent {
    enum class Key { Other, Return, Delete };
    QString characters;
    Key key = Key::Other;
    bool command = false;
    bool control = false;
    bool commandAlone = false;
};

// A released click in another application; `control` is set for the context-menu click.
struct MouseUpEvent {
    bool control = false;
};

// The global key-down and mouse-up monitors, one of each at most.
class GlobalEventMonitors
{
public:
    virtual ~GlobalEventMonitors() = default;

    virtual bool installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) = 0;
    virtual void removeKeyDownMonitor() = 0;
    virtual bool hasKeyDownMonitor() const = 0;

    virtual bool installMouseUpMonitor(std::function<void(const MouseUpEvent&)> handler) = 0;
    virtual void removeMouseUpMonitor() = 0;
    virtual bool hasMouseUpMonitor() const = 0;
};

} // namespace platform
