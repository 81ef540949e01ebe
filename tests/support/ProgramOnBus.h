#pragma once

// A program started on the test's private session bus, and its script client.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>

namespace testsupport
{

// Starts the program and waits until it owns its bus name; false (its output in `log`) when it
// does not within 20 seconds.
inline bool startOnBus(QProcess& program, const QString& path, const QString& busName,
                       QByteArray& log)
{
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(path, {});
    if (!program.waitForStarted())
        return false;
    QDeadlineTimer deadline(20000);
    while (!bus->isServiceRegistered(busName) && !deadline.hasExpired() &&
           program.state() == QProcess::Running) {
        program.waitForReadyRead(50);
        log += program.readAll();
    }
    return bus->isServiceRegistered(busName);
}

struct ClientAnswer {
    int status = -1;
    QString out, err;
};

// Runs a script client to its end, with the arguments and standard input given.
inline ClientAnswer runClient(const QString& client, const QStringList& arguments,
                              const QByteArray& input = {})
{
    QProcess process;
    process.start(client, arguments);
    process.write(input);
    process.closeWriteChannel();
    ClientAnswer answer;
    if (process.waitForFinished(30000))
        answer.status = process.exitCode();
    answer.out = QString::fromUtf8(process.readAllStandardOutput());
    answer.err = QString::fromUtf8(process.readAllStandardError());
    return answer;
}

} // namespace testsupport
