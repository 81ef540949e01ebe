#pragma once

#include "model/WordPairAnnouncement.h"
#include "platform/accessibility/DesktopAccessibility.h"
#include "platform/accessibility/GlobalEventMonitors.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"
#include "typewarden/capture/CaptureControl.h"

#include <QElapsedTimer>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace typewarden
{

class TypingCapture;
class SpellingPanelReader;
class ComparisonScript;
class PointerTimer;
class TextComparison;
class ApplicationWatcher;
class WordEditTracker;

// The capture machinery, put together: application observation, the pointer timer and the
// spelling panel reader, the typing path with the watched application's own text changes (or,
// for an application that does not report them, the comparison script), all handing pairs on for
// the store through pairCaptured. Without the desktop's accessibility services it says so once and
// captures nothing.
class CaptureCoordinator : public QObject, public CaptureControl
{
    Q_OBJECT
public:
    struct Peers {
        platform::UserDefaults* defaults = nullptr;
        platform::AlertPresenter* alerts = nullptr;
        platform::FilePanels* panels = nullptr;            // the comparison script's folder panel
        platform::DesktopAccessibility* desktop = nullptr; // may be none
        platform::GlobalEventMonitors* monitors = nullptr; // may be none
        qint64 ownPid = 0;
        QString shippedScript;
    };

    explicit CaptureCoordinator(Peers peers);
    ~CaptureCoordinator() override;

    // Starts following applications (from the delegate's wake-up).
    void setupApplicationActivityMonitor();
    // Looks for the comparison script once launching has finished; offers to install it.
    void checkForComparisonScript();
    // The user asked to install the comparison script (again).
    void offerComparisonScript();
    // The orderly end: observers, then capture (which saves when typing capture was on).
    void terminate();

    bool userPreferenceMask(const QString& applicationName) const;
    void startCaptureForApp(const QString& applicationName) override;
    void stopCapture() override;

    bool accessibilityAvailable() const;
    QString getActiveAppName() const;
    TypingCapture& keyboard() { return *m_keyboard; }
    SpellingPanelReader& panel() { return *m_panel; }
    TextComparison& comparison() { return *m_comparison; }
    WordEditTracker& edits() { return *m_edits; }

signals:
    // A correction the writer made, for the store.
    void pairCaptured(const model::WordPair& pair);
    // The toggle shortcut: the last captured pair is taken back, or brought back.
    void toggleLastCorrectionRequested();
    // Typing capture stopped: the pairs should be saved.
    void saveRequested();

private:
    void handOver(const model::WordPair& pair);
    bool compareFrontDocument(const QString& application, const QString& oldText);

    Peers m_peers;
    std::unique_ptr<SpellingPanelReader> m_panel;
    std::unique_ptr<TextComparison> m_comparison;
    std::unique_ptr<ComparisonScript> m_script;
    std::unique_ptr<TypingCapture> m_keyboard;
    std::unique_ptr<PointerTimer> m_pointer;
    std::unique_ptr<ApplicationWatcher> m_observers;
    std::unique_ptr<WordEditTracker> m_edits;
    std::unique_ptr<platform::ProcessObserver> m_textChanges;
    bool m_reportedUnavailable = false;
    // One correction seen by two paths (the panel's button and the text it changed) is one pair.
    model::WordPair m_lastPair;
    QElapsedTimer m_sinceLastPair;
};

} // namespace typewarden
