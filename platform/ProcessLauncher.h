#pragma once

#include <QStringList>

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

// Quotes text for a POSIX shell inside double quotes, so no character can end the word or expand:
// ", $, ` and \ are escaped with a backslash.
QString shellDoubleQuoted(const QString& text);

} // namespace platform
