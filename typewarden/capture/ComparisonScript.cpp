#include "typewarden/capture/ComparisonScript.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace typewarden
{

Q_LOGGING_CATEGORY(lcComparisonScript, "typewarden.capture.script")

namespace
{

// The error codes the location step has always logged: no such file, and no permission.
constexpr int kFileNotFound = 260;
constexpr int kNotPermitted = 257;

bool samePath(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}

} // namespace

void WidgetFolderChooser::chooseFolder(const Request& request,
                                       std::function<void(std::optional<QString>)> completion)
{
    // The dialog owns itself until it is dismissed; it does not block the agent.
    auto* dialog = new QFileDialog(nullptr, request.message, request.directory);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::Accept, request.prompt);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList chosen = dialog->selectedFiles();
        if (completion)
            completion(result == QDialog::Accepted && !chosen.isEmpty()
                           ? std::optional<QString>(chosen.first())
                           : std::nullopt);
    });
    dialog->show();
}

ComparisonScript::ComparisonScript(platform::AlertPresenter& alerts, FolderChooser& chooser,
                                   QString shippedScript, QObject* parent)
    : QObject(parent), m_alerts(alerts), m_chooser(chooser),
      m_shippedScript(std::move(shippedScript))
{
}

QString ComparisonScript::scriptsDirectory()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            return {};
        base = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(base + QStringLiteral("/Typewarden/Application Scripts"));
}

QString ComparisonScript::scriptPath()
{
    const QString directory = scriptsDirectory();
    return directory.isEmpty() ? QString() : directory + u'/' + kScriptName;
}

QString ComparisonScript::shippedScriptPath()
{
    return platform::paths::resourceDirectory() + u'/' + kScriptName;
}

std::optional<QString> ComparisonScript::trackFrontDocumentScriptTask()
{
    const QString path = scriptPath();
    if (path.isEmpty()) {
        qCWarning(lcComparisonScript) << Q_FUNC_INFO << "no Application Scripts folder error ="
                                      << "no home folder";
        return std::nullopt;
    }
    const QFileInfo script(path);
    if (script.isFile() && script.isExecutable())
        return path;

    const bool missing = !script.exists();
    qCWarning(lcComparisonScript) << Q_FUNC_INFO << "no AppleScript task error ="
                                  << (missing ? "no such file" : "not an executable file") << path;
    qCWarning(lcComparisonScript).noquote()
        << QStringLiteral("error.code: %1").arg(missing ? kFileNotFound : kNotPermitted);
    if (missing)
        installAppleScriptAlert();
    return std::nullopt;
}

bool ComparisonScript::runDifferenceScript(const QString& applicationName,
                                           const QString& previousText)
{
    const std::optional<QString> script = trackFrontDocumentScriptTask();
    if (!script)
        return false;

    // Owned by this object until the run ends; its signals arrive on this object's thread, so
    // the answer is evaluated where all capture state lives.
    auto* process = new QProcess(this);
    process->setProgram(*script);
    process->setArguments({kHandlerName, applicationName});
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, process, [this, process] {
        process->kill();
        runEnded(process, QStringLiteral("no answer within %1 ms").arg(m_timeoutMs));
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            runEnded(process, process->errorString());
    });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                const QString detail =
                    QString::fromUtf8(process->readAllStandardError()).trimmed().left(500);
                if (status != QProcess::NormalExit)
                    return runEnded(process, QStringLiteral("the script crashed: ") + detail);
                if (exitCode != 0)
                    return runEnded(process,
                                    QStringLiteral("exit code %1: %2").arg(exitCode).arg(detail));
                QJsonParseError parseError;
                const QJsonDocument answer =
                    QJsonDocument::fromJson(process->readAllStandardOutput(), &parseError);
                if (parseError.error != QJsonParseError::NoError || !answer.isArray())
                    return runEnded(process, QStringLiteral("unreadable answer: ") +
                                                 (answer.isNull() ? parseError.errorString()
                                                                  : QStringLiteral("not a list")));
                QStringList items;
                for (const QJsonValue& item : answer.array())
                    if (item.isString())
                        items << item.toString();
                runEnded(process, {});
                emit answered(items);
            });

    timer->start(m_timeoutMs);
    process->start();
    if (process->state() != QProcess::NotRunning) {
        process->write(previousText.toUtf8());
        process->closeWriteChannel();
    }
    return true;
}

void ComparisonScript::runEnded(QProcess* process, const QString& failure)
{
    // A run ends once: a killed script's late exit is not reported again.
    process->disconnect(this);
    if (auto* timer = process->findChild<QTimer*>())
        timer->stop();
    // A killed script is reaped before its process object goes.
    if (process->state() == QProcess::NotRunning)
        process->deleteLater();
    else
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (failure.isEmpty())
        return;
    qCWarning(lcComparisonScript) << Q_FUNC_INFO << "AppleScript task error =" << failure;
    emit failed(failure);
}

void ComparisonScript::installAppleScriptAlert()
{
    const int button = m_alerts.runModal(
        {tr("A resource to run Typewarden needs to be installed in your private scripts folder."),
         tr("May I open this folder to assist  installation?"),
         {tr("OK"), tr("Cancel")}});
    if (button == 0)
        installationChoosePanel();
}

void ComparisonScript::installationChoosePanel()
{
    const QString directory = scriptsDirectory();
    if (directory.isEmpty() || !QDir().mkpath(directory)) {
        qCWarning(lcComparisonScript) << Q_FUNC_INFO << "no Application Scripts folder error ="
                                      << "cannot create" << directory;
        return;
    }
    QPointer<ComparisonScript> self(this);
    m_chooser.chooseFolder(
        {directory, tr("Select"),
         tr("Please click 'Select' to install in this '%1' folder").arg(directory)},
        [self, directory](std::optional<QString> chosen) {
            if (self && chosen && samePath(*chosen, directory))
                self->install(directory);
        });
}

void ComparisonScript::install(const QString& directory)
{
    const QString target = directory + u'/' + kScriptName;
    QFile shipped(m_shippedScript);
    if (!shipped.copy(target)) {
        qCWarning(lcComparisonScript) << Q_FUNC_INFO << "error =" << shipped.errorString();
        return;
    }
    const auto executable = QFile::permissions(target) | QFileDevice::ReadOwner |
                            QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                            QFileDevice::ExeOther;
    if (!QFile::setPermissions(target, executable)) {
        qCWarning(lcComparisonScript) << Q_FUNC_INFO << "error ="
                                      << "cannot make the script executable" << target;
        return;
    }
    m_alerts.runModal({tr("Script Installed"),
                       tr("The Automation script was installed succcessfully."),
                       {tr("OK")}});
}

} // namespace typewarden
