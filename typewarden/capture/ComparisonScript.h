#pragma once

#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform
{
struct ProcessRunResult;
}

namespace typewarden
{

Q_DECLARE_LOGGING_CATEGORY(lcComparisonScript)

// The user-installed comparison script: where it lives, its installation, and its runs. A run is
// `script trackFrontDocument <application name>` with the previous document text on standard
// input; the script answers a JSON array of strings on standard output.
class ComparisonScript : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 10000;
    static inline const QString kScriptName = QStringLiteral("ComparingTextUsingDiff.scpt");
    static inline const QString kHandlerName = QStringLiteral("trackFrontDocument");

    // `shippedScript` is the copy that installation puts into the scripts folder.
    ComparisonScript(platform::AlertPresenter& alerts, platform::FilePanels& panels,
                     QString shippedScript, QObject* parent = nullptr);

    // "Typewarden/Application Scripts" in the user's data home; empty when there is no home to
    // put it in.
    static QString scriptsDirectory();
    // The script inside that folder; empty without the folder.
    static QString scriptPath();
    // The script as shipped with the program.
    static QString shippedScriptPath();

    // The script's path when it exists and is executable. A missing script brings up the
    // installation alert, on every call until it is installed.
    std::optional<QString> trackFrontDocumentScriptTask();

    // Starts one comparison and returns at once; false when there is no script to run. The
    // answer arrives through `answered`, on the thread that owns this object. Runs can overlap:
    // an answer that comes after the answer of a run started later is dropped, as its document
    // text is older.
    bool runDifferenceScript(const QString& applicationName, const QString& previousText);
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // The installation dialogs: the alert, and on "OK" the folder panel.
    void installScriptAlert();
    void installationChoosePanel();

    // The string items of what a run printed, in order (other items are skipped); nothing, and
    // why, when it is not a JSON list.
    static std::optional<QStringList> readAnswer(const QByteArray& output, QString* why = nullptr);

signals:
    // The string items of a script's answer, in order (other items are skipped).
    void answered(const QStringList& answer);
    // A run that gave no answer: it did not start, failed, timed out or answered unreadably.
    void failed(const QString& reason);

private:
    void runEnded(const platform::ProcessRunResult& run, quint64 number);
    void runFailed(const QString& failure);
    void install(const QString& directory);

    platform::AlertPresenter& m_alerts;
    platform::FilePanels& m_panels;
    QString m_shippedScript;
    int m_timeoutMs = kDefaultTimeoutMs;
    bool m_installationAsked = false; // once a run
    quint64 m_runsStarted = 0;        // the number of the last run started, from 1
    quint64 m_newestAnswered = 0;     // the number of the newest run that answered, 0 for none
};

} // namespace typewarden
