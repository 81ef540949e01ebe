#pragma once

#include "lexotrace/app/LXMainAppController.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/ScriptedPanels.h"

namespace testsupport
{

struct NoLauncher : platform::ProcessLauncher {
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

// Lexotrace's application controller with recorded alerts; quitting is only counted.
struct ControllerFixture {
    platform::UserDefaults defaults{QStringLiteral("Lexotrace")};
    RecordingAlerts alerts;
    platform::NotificationCenter notifications;
    NoLauncher launcher;
    ScriptedPanels panels;
    lexotrace::StoreContexts stores;
    lexotrace::LXMainAppController app{defaults, alerts, notifications, launcher, panels, stores};
    int quits = 0;

    ControllerFixture()
    {
        app.setQuitHandler([this] { ++quits; });
    }
};

} // namespace testsupport
