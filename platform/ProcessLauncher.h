#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

class QObject;

namespace platform
{

// Starts programs that outlive the caller. Behind an interface so tests can see the exact
// program and arguments without starting anything.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

class DetachedProcessLauncher : public ProcessLauncher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

// How a run with standard input ended.
struct ProcessRunResult {
    enum class Outcome { FailedToStart, TimedOut, Crashed, Exited };
    Outcome outcome = Outcome::FailedToStart;
    int exitCode = 0;          // Exited
    QByteArray standardOutput; // Exited, Crashed
    QByteArray standardError;  // Exited, Crashed
    QString errorString;       // FailedToStart: why
};

// Runs `program` with `arguments` (no shell), writes `input` to its standard input and closes it.
// `done` gets the result once, on the thread of `owner`, which owns the run: destroying it ends
// the run unreported. A run that has not ended after `timeoutMs` is killed and reported as timed
// out at once; the killed process is reaped before its process object goes. A program that
// cannot start may be reported before this returns.
void runWithInput(QObject* owner, const QString& program, const QStringList& arguments,
                  const QByteArray& input, int timeoutMs,
                  std::function<void(const ProcessRunResult&)> done);

// Quotes text for a POSIX shell inside double quotes, so no character can end the word or expand:
// ", $, ` and \ are escaped with a backslash.
QString shellDoubleQuoted(const QString& text);

} // namespace platform
