#pragma once

#include "lexotrace/analysis/AnalysisEngine.h"
#include "lexotrace/analysis/AnalysisRowsModel.h"
#include "lexotrace/analysis/AnalysisServices.h"
#include "lexotrace/analysis/SpellErrorModel.h"
#include "platform/LogThrottle.h"
#include "platform/ui/WindowController.h"

#include <QLoggingCategory>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcAnalysis)

class QProgressBar;
class QThread;

namespace lexotrace
{

class AnalysisWindowController;

// The analysis window's controller: when the window loads it analyses every stored pair on a
// thread of its own, and then each pair Typewarden announces, appending the rows to the window's
// list in the order the analysis produces them.
class SpellErrorAnalysisController : public platform::WindowController
{
    Q_OBJECT
public:
    explicit SpellErrorAnalysisController(AnalysisServices services);
    ~SpellErrorAnalysisController() override;

    // The window load: listens for announced pairs and shows the stored ones.
    void wake();
    // From now on each pair Typewarden announces is analysed and listed.
    void listenForAnnouncements();
    // The stored pairs are fetched and analysed in the background, or the empty-list message is
    // asked for.
    void showStoredPairs();
    // While the stores are read the window says so, and its list stays empty.
    void setLoading(bool loading);
    bool isLoading() const { return m_loading; }
    // Whether an empty stored list is told to the user (not before a relaunch).
    void setTellsEmptyList(bool tells) { m_services.tellsEmptyList = tells; }
    // A pair announced on the session bus: its user info holds the added word pair.
    void typewardenCallbackWithNotification(const QVariantMap& userInfo);
    // The announced pair, when the user info is well formed; otherwise nothing (and a log line,
    // unless a flood of them is being held back).
    std::optional<ErrorEntry> parseAddedWordPair(const QVariantMap& userInfo);

    // The stored pairs, oldest first, as values; nothing when the fetch failed.
    std::optional<QList<ErrorEntry>> getErrorWordList();
    // Every lesson row; an empty list (after an alert) when the fetch failed.
    QList<platform::ManagedObject*> getRelatedWordsOfCoreData();

    AnalysisRowsModel& matchedWordsArrayController() { return m_rows; }
    AnalysisWindowController& analysisWindowController() { return *m_windowController; }
    QList<QAction*> fileMenuActions() const override;
    SpellErrorModel& spellErrorModel() { return m_model; }
    const QString& filePath() const { return m_filePath; }
    std::shared_ptr<const LessonsSnapshot> relatedWordsArray() const { return m_snapshot; }
    // The lessons the analysis matches against, when they were read before the window asked.
    void setCourse(std::shared_ptr<const LessonsSnapshot> course)
    {
        m_snapshot = std::move(course);
    }

    bool isAnalysing() const { return m_running > 0; }
    // Blocks until the window-load analysis has finished and its rows are in the list.
    void waitForBackgroundRun();

signals:
    void progressChanged(bool running);
    void scrollToEndRequested();
    void emptyListMessageRequested();
    // The user asked to open a lesson: the lessons window should come forward.
    void lessonsWindowRequested();

private:
    void ensureSnapshot();
    AnalysisEngine::Callbacks callbacks(bool background);
    void beginProgressIndicator();
    void endProgressIndicator();

    AnalysisServices m_services;
    SpellErrorModel m_model;
    AnalysisRowsModel m_rows;
    std::unique_ptr<AnalysisWindowController> m_windowController;
    QProgressBar* m_progress = nullptr; // owned by the window
    std::shared_ptr<const LessonsSnapshot> m_snapshot;
    QString m_filePath;
    std::unique_ptr<QThread> m_thread;
    platform::LogThrottle m_ignoredAnnouncementLog;
    // Restarted by every announced pair: once a burst is over, the memory its messages took is
    // given back.
    QTimer m_afterBurst;
    std::atomic<bool> m_cancelled{false};
    int m_running = 0;
    bool m_loading = false;
    bool m_listening = false;
};

} // namespace lexotrace
