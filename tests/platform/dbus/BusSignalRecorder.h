#pragma once

#include <QDBusMessage>
#include <QObject>

namespace testsupport
{

// Keeps the raw D-Bus messages of a signal, to look at them as they travelled.
class BusSignalRecorder : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QList<QDBusMessage> messages;

public slots:
    void record(const QDBusMessage& message) { messages.append(message); }
};

} // namespace testsupport
