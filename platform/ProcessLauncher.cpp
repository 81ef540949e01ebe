#include "platform/ProcessLauncher.h"

#include <QProcess>
#include <QTimer>

#include <memory>
#include <utility>

namespace platform
{

bool DetachedProcessLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

void runWithInput(QObject* owner, const QString& program, const QStringList& arguments,
                  const QByteArray& input, int timeoutMs,
                  std::function<void(const ProcessRunResult&)> done)
{
    // A child of the owner: its signals arrive on the owner's thread, and the connections below
    // go with the owner before the process does, so a dying owner is never called back.
    auto* process = new QProcess(owner);
    process->setProgram(program);
    process->setArguments(arguments);
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);

    // A run ends once: a killed program's late exit is not reported again.
    auto pending = std::make_shared<std::function<void(const ProcessRunResult&)>>(std::move(done));
    auto end = [process, timer, pending](const ProcessRunResult& result) {
        if (!*pending)
            return;
        const std::function<void(const ProcessRunResult&)> report = std::exchange(*pending, {});
        timer->stop();
        // A killed program is reaped before its process object goes.
        if (process->state() == QProcess::NotRunning)
            process->deleteLater();
        else
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        report(result);
    };
    QObject::connect(timer, &QTimer::timeout, owner, [process, end] {
        process->kill();
        ProcessRunResult result;
        result.outcome = ProcessRunResult::Outcome::TimedOut;
        end(result);
    });
    QObject::connect(process, &QProcess::errorOccurred, owner,
                     [process, end](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         ProcessRunResult result;
                         result.errorString = process->errorString();
                         end(result);
                     });
    QObject::connect(process, &QProcess::finished, owner,
                     [process, end](int exitCode, QProcess::ExitStatus status) {
                         ProcessRunResult result;
                         result.outcome = status == QProcess::NormalExit
                                              ? ProcessRunResult::Outcome::Exited
                                              : ProcessRunResult::Outcome::Crashed;
                         result.exitCode = exitCode;
                         result.standardOutput = process->readAllStandardOutput();
                         result.standardError = process->readAllStandardError();
                         end(result);
                     });

    timer->start(timeoutMs);
    process->start();
    if (process->state() != QProcess::NotRunning) {
        process->write(input);
        process->closeWriteChannel();
    }
}

QString shellDoubleQuoted(const QString& text)
{
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += u'"';
    for (QChar c : text) {
        if (c == u'"' || c == u'$' || c == u'`' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

} // namespace platform
