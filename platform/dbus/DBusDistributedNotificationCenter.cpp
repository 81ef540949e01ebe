#include "platform/dbus/DBusDistributedNotificationCenter.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>
#include <QUuid>

Q_LOGGING_CATEGORY(lcDistributedNotifications, "orthova.dbus.notifications")

namespace platform
{

namespace dbusnotification
{

namespace
{

// The bus refuses deeper messages anyway; this only keeps the recursion bounded.
constexpr int kMaxDepth = 64;

// Values that travel as they are.
bool isPlain(int type)
{
    switch (type) {
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isContainer(int type)
{
    return type == QMetaType::QVariantMap || type == QMetaType::QVariantHash ||
           type == QMetaType::QVariantList;
}

// A map (or hash) or list rebuilt with every member converted; nothing when a member fails.
template <typename Convert>
std::optional<QVariant> rebuild(const QVariant& value, int depth, Convert convert)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList out;
        for (const QVariant& item : value.toList()) {
            auto converted = convert(item, depth + 1);
            if (!converted)
                return std::nullopt;
            out.append(*converted);
        }
        return QVariant(out);
    }
    QVariantMap out;
    const QVariantMap in = value.toMap();
    for (auto it = in.begin(); it != in.end(); ++it) {
        auto converted = convert(it.value(), depth + 1);
        if (!converted)
            return std::nullopt;
        out.insert(it.key(), *converted);
    }
    return QVariant(out);
}

std::optional<QVariant> valueToWire(const QVariant& value, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    if (isContainer(value.typeId()))
        return rebuild(value, depth, valueToWire);
    return isPlain(value.typeId()) ? std::optional<QVariant>(value) : std::nullopt;
}

std::optional<QVariant> argumentFromWire(const QDBusArgument& arg, int depth);

std::optional<QVariant> valueFromWire(const QVariant& value, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    const int type = value.userType();
    if (type == qMetaTypeId<QDBusVariant>())
        return valueFromWire(value.value<QDBusVariant>().variant(), depth + 1);
    if (type == qMetaTypeId<QDBusArgument>())
        return argumentFromWire(value.value<QDBusArgument>(), depth + 1);
    if (type == qMetaTypeId<QDBusObjectPath>())
        return QVariant(value.value<QDBusObjectPath>().path());
    if (type == qMetaTypeId<QDBusSignature>())
        return QVariant(value.value<QDBusSignature>().signature());
    if (isContainer(type))
        return rebuild(value, depth, valueFromWire);
    // File descriptors and anything else have no place in a notification.
    return isPlain(type) ? std::optional<QVariant>(value) : std::nullopt;
}

// Appends the converted value; false when it has no place in a notification.
// The members of an array or structure that has been begun, every one read whatever fails.
std::optional<QVariant> membersFromWire(const QDBusArgument& arg, int depth)
{
    QVariantList out;
    bool ok = true;
    while (!arg.atEnd()) {
        const auto converted = valueFromWire(arg.asVariant(), depth + 1);
        if (converted)
            out.append(*converted);
        ok = converted && ok;
    }
    return ok ? std::optional<QVariant>(out) : std::nullopt;
}

// Containers are always read to their end, even past a member that fails: one left open keeps the
// whole message alive, and with it every file descriptor the message carries.
std::optional<QVariant> argumentFromWire(const QDBusArgument& arg, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    switch (arg.currentType()) {
    case QDBusArgument::BasicType:
    case QDBusArgument::VariantType:
        return valueFromWire(arg.asVariant(), depth + 1);
    case QDBusArgument::ArrayType: {
        const QString signature = arg.currentSignature();
        // Byte and string arrays come out whole; other arrays element by element.
        if (signature == u"ay" || signature == u"as")
            return valueFromWire(arg.asVariant(), depth + 1);
        arg.beginArray();
        const auto members = membersFromWire(arg, depth);
        arg.endArray();
        return members;
    }
    case QDBusArgument::MapType: {
        QVariantMap out;
        bool ok = true;
        arg.beginMap();
        while (!arg.atEnd()) {
            arg.beginMapEntry();
            const QVariant key = arg.asVariant();
            auto item = valueFromWire(arg.asVariant(), depth + 1);
            arg.endMapEntry();
            if (item)
                out.insert(key.toString(), *item);
            ok = item && ok;
        }
        arg.endMap();
        return ok ? std::optional<QVariant>(out) : std::nullopt;
    }
    case QDBusArgument::StructureType: {
        arg.beginStructure();
        const auto members = membersFromWire(arg, depth);
        arg.endStructure();
        return members;
    }
    case QDBusArgument::MapEntryType:
    case QDBusArgument::UnknownType:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<QVariantMap> toWire(const QVariantMap& userInfo)
{
    auto converted = valueToWire(QVariant(userInfo), 0);
    if (!converted)
        return std::nullopt;
    return converted->toMap();
}

std::optional<QVariant> fromWire(const QVariant& value)
{
    return valueFromWire(value, 0);
}

} // namespace dbusnotification

namespace
{

// Enough of a name to recognise it in the log, however long it is.
QString shortened(const QString& text)
{
    constexpr qsizetype kMax = 80;
    return text.size() <= kMax ? text : text.left(kMax) + QStringLiteral("…");
}

} // namespace

namespace
{

QString uniqueConnectionName()
{
    return QStringLiteral("orthova-notifications-") +
           QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

DBusDistributedNotificationCenter::DBusDistributedNotificationCenter(QObject* parent)
    : DBusDistributedNotificationCenter(
          QDBusConnection::connectToBus(QDBusConnection::SessionBus, uniqueConnectionName()),
          parent)
{
    m_ownConnectionName = m_connection.name();
}

DBusDistributedNotificationCenter::DBusDistributedNotificationCenter(QDBusConnection connection,
                                                                     QObject* parent)
    : QObject(parent), m_connection(std::move(connection))
{
}

DBusDistributedNotificationCenter::~DBusDistributedNotificationCenter()
{
    if (m_listening)
        m_connection.disconnect(QString(), dbusnotification::Path, dbusnotification::Interface,
                                dbusnotification::Member, this, SLOT(receive(QDBusMessage)));
    if (!m_ownConnectionName.isEmpty())
        QDBusConnection::disconnectFromBus(m_ownConnectionName);
}

void DBusDistributedNotificationCenter::reportNoBus()
{
    if (m_reportedNoBus)
        return;
    m_reportedNoBus = true;
    qCWarning(lcDistributedNotifications).noquote()
        << QStringLiteral("no D-Bus session bus, distributed notifications are off: %1")
               .arg(m_connection.lastError().message());
}

bool DBusDistributedNotificationCenter::post(const QString& name, const QString& object,
                                             const QVariantMap& userInfo)
{
    if (!m_connection.isConnected()) {
        reportNoBus();
        return false;
    }
    const auto wire = dbusnotification::toWire(userInfo);
    if (!wire) {
        qCWarning(lcDistributedNotifications).noquote()
            << QStringLiteral("not posting %1: its user info holds a value D-Bus cannot carry")
                   .arg(shortened(name));
        return false;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        dbusnotification::Path, dbusnotification::Interface, dbusnotification::Member);
    signal << name << object << QVariant(*wire);
    if (!m_connection.send(signal)) {
        qCWarning(lcDistributedNotifications).noquote()
            << QStringLiteral("could not post %1: %2")
                   .arg(shortened(name), m_connection.lastError().message());
        return false;
    }
    return true;
}

bool DBusDistributedNotificationCenter::ensureListening()
{
    if (m_listening)
        return true;
    if (!m_connection.isConnected()) {
        reportNoBus();
        return false;
    }
    // No signature in the match: wrong signals arrive too, so that they can be logged and dropped.
    m_listening =
        m_connection.connect(QString(), dbusnotification::Path, dbusnotification::Interface,
                             dbusnotification::Member, this, SLOT(receive(QDBusMessage)));
    if (!m_listening)
        qCWarning(lcDistributedNotifications).noquote()
            << QStringLiteral("cannot listen for distributed notifications: %1")
                   .arg(m_connection.lastError().message());
    return m_listening;
}

bool DBusDistributedNotificationCenter::addObserver(const QString& name, const QString& object,
                                                    QObject* receiver, Handler handler)
{
    if (!receiver || !handler || !ensureListening())
        return false;
    m_observers.removeIf([](const Observer& o) { return o.receiver.isNull(); });
    m_observers.append({name, object, receiver, std::move(handler)});
    return true;
}

void DBusDistributedNotificationCenter::removeObserver(QObject* receiver)
{
    m_observers.removeIf(
        [receiver](const Observer& o) { return o.receiver.isNull() || o.receiver == receiver; });
}

bool DBusDistributedNotificationCenter::flush(int timeoutMs)
{
    if (!m_connection.isConnected())
        return false;
    // The bus answers in order, so its reply means it has routed everything sent before.
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    return m_connection.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

void DBusDistributedNotificationCenter::receive(const QDBusMessage& message)
{
    QString note;
    if (message.signature() != dbusnotification::Signature) {
        if (m_ignoredLog.admit(&note))
            qCWarning(lcDistributedNotifications).noquote()
                << QStringLiteral(
                       "ignored a notification from %1 with the arguments (%2), not (%3)")
                           .arg(message.service(), shortened(message.signature()),
                                dbusnotification::Signature) +
                       note;
        return;
    }
    const QVariantList args = message.arguments();
    const QString name = args.value(0).toString();
    const QString object = args.value(1).toString();
    const auto userInfo = dbusnotification::fromWire(args.value(2));
    if (!userInfo || userInfo->typeId() != QMetaType::QVariantMap) {
        if (m_ignoredLog.admit(&note))
            qCWarning(lcDistributedNotifications).noquote()
                << QStringLiteral(
                       "ignored the notification %1 from %2: its user info is unreadable")
                           .arg(shortened(name), message.service()) +
                       note;
        return;
    }
    const QVariantMap info = userInfo->toMap();
    // A handler may add or remove observers; deliver to those present on arrival.
    const QList<Observer> observers = m_observers;
    for (const Observer& o : observers) {
        if (o.receiver.isNull() || o.name != name)
            continue;
        if (!o.object.isEmpty() && o.object != object)
            continue;
        o.handler(info);
    }
}

} // namespace platform
