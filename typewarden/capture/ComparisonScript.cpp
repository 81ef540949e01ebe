#include "typewarden/capture/ComparisonScript.h"

#include "platform/Paths.h"
#include "platform/ProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>

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

ComparisonScript::ComparisonScript(platform::AlertPresenter& alerts, platform::FilePanels& panels,
                                   QString shippedScript, QObject* parent)
    : QObject(parent), m_alerts(alerts), m_panels(panels), m_shippedScript(std::move(shippedScript))
{
}

QString ComparisonScript::scriptsDirectory()
{
    const QString base = platform::paths::dataHome();
    if (base.isEmpty())
        return {};
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
    // Asked once a run: not at every word, however often the script is looked for.
    if (missing && !m_installationAsked)
        installScriptAlert();
    return std::nullopt;
}

bool ComparisonScript::runDifferenceScript(const QString& applicationName,
                                           const QString& previousText)
{
    const std::optional<QString> script = trackFrontDocumentScriptTask();
    if (!script)
        return false;
    // The answer arrives on this object's thread, where all capture state lives.
    const quint64 number = ++m_runsStarted;
    platform::runWithInput(
        this, *script, {kHandlerName, applicationName}, previousText.toUtf8(), m_timeoutMs,
        [this, number](const platform::ProcessRunResult& run) { runEnded(run, number); });
    return true;
}

void ComparisonScript::runEnded(const platform::ProcessRunResult& run, quint64 number)
{
    using Outcome = platform::ProcessRunResult::Outcome;
    const QString detail = QString::fromUtf8(run.standardError).trimmed().left(500);
    switch (run.outcome) {
    case Outcome::FailedToStart:
        return runFailed(run.errorString);
    case Outcome::TimedOut:
        return runFailed(QStringLiteral("no answer within %1 ms").arg(m_timeoutMs));
    case Outcome::Crashed:
        return runFailed(QStringLiteral("the script crashed: ") + detail);
    case Outcome::Exited:
        break;
    }
    if (run.exitCode != 0)
        return runFailed(QStringLiteral("exit code %1: %2").arg(run.exitCode).arg(detail));
    QString why;
    const std::optional<QStringList> items = readAnswer(run.standardOutput, &why);
    if (!items)
        return runFailed(QStringLiteral("unreadable answer: ") + why);
    // Only answers decide what is stale: a later run that failed leaves this answer the newest.
    if (number < m_newestAnswered) {
        qCDebug(lcComparisonScript) << "dropped the answer of run" << number << "as run"
                                    << m_newestAnswered << "has answered already";
        return;
    }
    m_newestAnswered = number;
    emit answered(*items);
}

std::optional<QStringList> ComparisonScript::readAnswer(const QByteArray& output, QString* why)
{
    QJsonParseError parseError;
    const QJsonDocument answer = QJsonDocument::fromJson(output, &parseError);
    if (parseError.error != QJsonParseError::NoError || !answer.isArray()) {
        if (why)
            *why = answer.isNull() ? parseError.errorString() : QStringLiteral("not a list");
        return std::nullopt;
    }
    QStringList items;
    for (const QJsonValue& item : answer.array())
        if (item.isString())
            items << item.toString();
    return items;
}

void ComparisonScript::runFailed(const QString& failure)
{
    qCWarning(lcComparisonScript) << Q_FUNC_INFO << "AppleScript task error =" << failure;
    emit failed(failure);
}

void ComparisonScript::installScriptAlert()
{
    m_installationAsked = true;
    // The user is typing in an editor: the question waits beside it, without taking the keys.
    platform::AlertSpec alert{
        tr("A resource to run Typewarden needs to be installed in your private scripts folder."),
        tr("May I open this folder to assist installation?"),
        {tr("OK"), tr("Cancel")}};
    alert.withoutFocus = true;
    QPointer<ComparisonScript> self(this);
    m_alerts.beginSheet(alert, nullptr, [self](int button) {
        if (self && button == 0)
            self->installationChoosePanel();
    });
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
    m_panels.beginFolderPanel(
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
                       tr("The Automation script was installed successfully."),
                       {tr("OK")}});
}

} // namespace typewarden
