#pragma once

#include "platform/ui/Alerts.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QProcess;

namespace typewarden
{

Q_DECLARE_LOGGING_CATEGORY(lcComparisonScript)

// Lets the user pick a folder, without blocking. Behind an interface so that the installation
// can be tested without a person.
class FolderChooser
{
public:
    struct Request {
        QString directory; // shown first
        QString prompt;    // the accept button
        QString message;
    };
    virtual ~FolderChooser() = default;
    // The completion gets the chosen folder, or nothing when the user cancelled.
    virtual void chooseFolder(const Request& request,
                              std::function<void(std::optional<QString>)> completion) = 0;
};

// Qt Widgets: a non-modal QFileDialog showing directories only.
class WidgetFolderChooser : public FolderChooser
{
public:
    void chooseFolder(const Request& request,
                      std::function<void(std::optional<QString>)> completion) override;
};

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
    ComparisonScript(platform::AlertPresenter& alerts, FolderChooser& chooser,
                     QString shippedScript, QObject* parent = nullptr);

    // $XDG_DATA_HOME/Typewarden/Application Scripts (default ~/.local/share/...); empty when
    // there is no home to put it in.
    static QString scriptsDirectory();
    // The script inside that folder; empty without the folder.
    static QString scriptPath();
    // The script as shipped with the program.
    static QString shippedScriptPath();

    // The script's path when it exists and is executable. A missing script brings up the
    // installation alert, on every call until it is installed.
    std::optional<QString> trackFrontDocumentScriptTask();

    // Starts one comparison and returns at once; false when there is no script to run. The
    // answer arrives through `answered`, on the thread that owns this object.
    bool runDifferenceScript(const QString& applicationName, const QString& previousText);
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // The installation dialogs: the alert, and on "OK" the folder chooser.
    void installAppleScriptAlert();
    void installationChoosePanel();

signals:
    // The string items of a script's answer, in order (other items are skipped).
    void answered(const QStringList& answer);
    // A run that gave no answer: it did not start, failed, timed out or answered unreadably.
    void failed(const QString& reason);

private:
    void runEnded(QProcess* process, const QString& failure);
    void install(const QString& directory);

    platform::AlertPresenter& m_alerts;
    FolderChooser& m_chooser;
    QString m_shippedScript;
    int m_timeoutMs = kDefaultTimeoutMs;
};

} // namespace typewarden
