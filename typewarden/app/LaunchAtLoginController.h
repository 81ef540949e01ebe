#pragma once

#include "platform/defaults/UserDefaults.h"

#include <QString>

namespace typewarden
{

// Registers Typewarden to start at login through an autostart entry named after the auto-launch
// helper's identifier.
class LaunchAtLoginController
{
public:
    // programPath: the absolute path of the executable the entry starts.
    explicit LaunchAtLoginController(QString programPath);

    const QString& programPath() const { return m_programPath; }
    // com.brellumworks.AutoLaunchHelperApp.desktop in the desktop's autostart folder.
    static QString autostartEntryPath();

    // Writes (atomically) or removes the autostart entry. A failure is logged as "The login was
    // not successful" and answers false; an entry that is already absent counts as removed.
    bool setLaunchAtLogin(bool enabled);
    // Makes the registration follow KVRLaunchTypewardenAtLoginDefaultSetting; called at every
    // start.
    bool applyStoredSetting(const platform::UserDefaults& defaults);

private:
    QString m_programPath;
};

} // namespace typewarden
