#pragma once

#include "model/WordPairAnnouncement.h"
#include "platform/ProcessLauncher.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/ui/Alerts.h"

#include <QObject>
#include <QUrl>

#include <functional>

namespace typewarden
{

class CaptureCoordinator;
class TypewardenModel;
class TypewardenWindowController;

// The agent's start and end, the hand-over of captured pairs, and the launch of Lexotrace.
class TypewardenAppDelegate : public QObject
{
    Q_OBJECT
public:
    // Where to get Lexotrace when it cannot be started.
    static inline const QUrl kLexotraceWebPage{QStringLiteral("https://orthova.org/lexotrace")};

    TypewardenAppDelegate(platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
                          platform::ProcessLauncher& launcher, TypewardenModel& model,
                          TypewardenWindowController& window, CaptureCoordinator& capture);

    void wake();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // A captured pair for the store; the list then shows its end.
    void addSpellWordsToList(const model::WordPair& pair);

    void launchLexotrace();
    // The lexotrace program beside this one, else on PATH; empty when there is none.
    QString lexotraceProgramPath() const;
    void setProgramDirectory(const QString& directory) { m_programDirectory = directory; }
    // Opens a web page; the desktop's browser unless a test replaces it.
    std::function<void(const QUrl&)> openUrl;

private:
    void postAlertPanel();

    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    platform::ProcessLauncher& m_launcher;
    TypewardenModel& m_model;
    TypewardenWindowController& m_window;
    CaptureCoordinator& m_capture;
    QString m_programDirectory;
};

} // namespace typewarden
