#pragma once

#include "lexotrace/app/LXMainAppController.h"
#include "tests/support/RecordingAlerts.h"

namespace testsupport
{

struct NoLauncher : platform::ProcessLauncher {
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

// File panels that a person would have cancelled, unless `chosen` names a file or folder.
struct ScriptedPanels : platform::FilePanels {
    std::optional<QString> chosen;
    void beginSaveSheet(QWidget*, const SaveRequest&,
                        std::function<void(std::optional<QString>)> completion) override
    {
        completion(chosen);
    }
    void beginFolderPanel(const FolderRequest&,
                          std::function<void(std::optional<QString>)> completion) override
    {
        completion(chosen);
    }
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
