#pragma once

#include "platform/accessibility/GlobalEventMonitors.h"

namespace testsupport
{

// Global monitors that keep their handlers, so a test can send keys and clicks through them.
struct FakeEventMonitors : platform::GlobalEventMonitors {
    std::function<void(const platform::KeyDownEvent&)> key;
    std::function<void(const platform::MouseUpEvent&)> mouse;
    int installs = 0;

    bool installKeyDownMonitor(std::function<void(const platform::KeyDownEvent&)> h) override
    {
        ++installs;
        key = std::move(h);
        return true;
    }
    void removeKeyDownMonitor() override { key = nullptr; }
    bool hasKeyDownMonitor() const override { return bool(key); }
    bool installMouseUpMonitor(std::function<void(const platform::MouseUpEvent&)> h) override
    {
        ++installs;
        mouse = std::move(h);
        return true;
    }
    void removeMouseUpMonitor() override { mouse = nullptr; }
    bool hasMouseUpMonitor() const override { return bool(mouse); }
};

} // namespace testsupport
