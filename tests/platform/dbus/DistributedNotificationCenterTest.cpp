// Distributed notifications as signals on a private session bus (the tests run under
// dbus-run-session): what goes out, what comes back, and what is turned away.
#include "platform/DistributedNotificationCenter.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"
#include "tests/platform/dbus/BusSignalRecorder.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

// Readable failure messages for user infos.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QVariantMap& map, std::ostream* os)
{
    *os << QDebug::toString(map).left(400).toStdString();
}
QT_END_NAMESPACE

using platform::DBusDistributedNotificationCenter;
namespace wire = platform::dbusnotification;

namespace
{

// A D-Bus structure (s h), to hide a descriptor inside a struct.
struct NamedDescriptor {
    QString name;
    QDBusUnixFileDescriptor descriptor;
};

QDBusArgument& operator<<(QDBusArgument& arg, const NamedDescriptor& value)
{
    arg.beginStructure();
    arg << value.name << value.descriptor;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, NamedDescriptor& value)
{
    arg.beginStructure();
    arg >> value.name >> value.descriptor;
    arg.endStructure();
    return arg;
}

} // namespace

Q_DECLARE_METATYPE(NamedDescriptor)

namespace
{

constexpr const char* kCategory = "orthova.dbus.notifications";
const QString kName = QStringLiteral("KVRTypewardenActivityDistributedNotification");
const QString kObject = QStringLiteral("com.brellum.kvrdesk.OrthovaTarget");

QVariantMap wordPair(const QString& cSpell, const QString& mSpell)
{
    return {{"addedWordPair", QVariantMap{{"cSpell", cSpell}, {"mSpell", mSpell}}}};
}

// A handler keeping every user info it is given, in order.
platform::DistributedNotificationCenter::Handler into(QList<QVariantMap>& received)
{
    return [&received](const QVariantMap& userInfo) { received.append(userInfo); };
}

class BusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no D-Bus session bus: these tests run under dbus-run-session";
    }

    DBusDistributedNotificationCenter center;
    QObject receiver;
};

TEST_F(BusTest, PostsTravelAsSsaSvWithNestedMapsIntactUnlessAValueHasNoBusForm)
{
    testsupport::BusSignalRecorder recorder;
    ASSERT_TRUE(QDBusConnection::sessionBus().connect(QString(), wire::Path, wire::Interface,
                                                      wire::Member, &recorder,
                                                      SLOT(record(QDBusMessage))));
    QList<QVariantMap> received;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, into(received)));
    QVariantMap userInfo = wordPair("naïve", "naive");
    userInfo.insert({{"count", 3}, {"flag", true}, {"bytes", QByteArray("\x00\x01", 2)}});
    userInfo.insert("list", QVariantList{"a", QVariantMap{{"k", 1.5}}});
    ASSERT_TRUE(center.post(kName, kObject, userInfo));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !received.isEmpty() && !recorder.messages.isEmpty(); }));
    EXPECT_EQ(received, QList{userInfo});

    // Other programs rely on this exact form.
    const QDBusMessage message = recorder.messages.first();
    EXPECT_EQ(message.path(), "/com/brellum/kvrdesk/DistributedNotificationCenter");
    EXPECT_EQ(message.interface(), "com.brellum.kvrdesk.DistributedNotificationCenter");
    EXPECT_EQ(message.member(), "Notification");
    EXPECT_EQ(message.signature(), "ssa{sv}");
    EXPECT_EQ(message.arguments().mid(0, 2), (QVariantList{kName, kObject}));
    // The word pair is a variant holding a dictionary, not a flattened or stringified value.
    const QVariantMap sent = qdbus_cast<QVariantMap>(message.arguments().value(2));
    EXPECT_EQ(sent.value("addedWordPair").value<QDBusArgument>().currentSignature(), "a{sv}");

    // One value without a D-Bus form, however deep, stops the whole post.
    testsupport::LogCapture log(kCategory);
    userInfo.insert("when", QVariantList{QDateTime::currentDateTime()});
    EXPECT_FALSE(center.post(kName, kObject, userInfo));
    EXPECT_EQ(log.count("not posting"), 1);
}

TEST_F(BusTest, ObserversGetOnlyTheirNameAndObjectAndStopWithTheirReceiver)
{
    QList<QVariantMap> anyObject, agentOnly, gone;
    auto shortLived = std::make_unique<QObject>();
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, into(anyObject)));
    ASSERT_TRUE(center.addObserver(kName, kObject, &receiver, into(agentOnly)));
    ASSERT_TRUE(center.addObserver(kName, QString(), shortLived.get(), into(gone)));
    shortLived.reset();

    ASSERT_TRUE(center.post("SomeOtherNotification", kObject, wordPair("a", "b")));
    ASSERT_TRUE(center.post(kName, "someone.else", wordPair("c", "d")));
    ASSERT_TRUE(center.post(kName, kObject, wordPair("e", "f")));
    // Signals arrive in order, so once the last one is in, all are.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !agentOnly.isEmpty(); }));
    EXPECT_EQ(anyObject, (QList{wordPair("c", "d"), wordPair("e", "f")}));
    EXPECT_EQ(agentOnly, QList{wordPair("e", "f")});
    EXPECT_TRUE(gone.isEmpty());

    center.removeObserver(&receiver);
    QObject laterReceiver;
    QList<QVariantMap> later;
    ASSERT_TRUE(center.addObserver(kName, QString(), &laterReceiver, into(later)));
    ASSERT_TRUE(center.post(kName, kObject, wordPair("g", "h")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !later.isEmpty(); }));
    EXPECT_EQ(anyObject.size(), 2);
    EXPECT_EQ(agentOnly.size(), 1);
}

int openDescriptorCount()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

TEST_F(BusTest, MalformedSignalsAreIgnoredLeaveNoDescriptorOpenAndTheCentreKeepsWorking)
{
    qDBusRegisterMetaType<NamedDescriptor>();
    QList<QVariantMap> received;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, into(received)));
    QDBusConnection sender =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("malformed"));
    ASSERT_TRUE(sender.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing);
    const auto send = [&sender](const QVariantList& arguments) {
        QDBusMessage signal = QDBusMessage::createSignal(wire::Path, wire::Interface, wire::Member);
        signal.setArguments(arguments);
        return sender.send(signal);
    };
    // One round trip first, so that whatever the connections open lazily is open before counting.
    ASSERT_TRUE(send({kName, kObject, wordPair("warm", "wrm")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }));
    QFile devNull(QStringLiteral("/dev/null"));
    ASSERT_TRUE(devNull.open(QIODevice::ReadOnly));
    const QVariant fd = QVariant::fromValue(QDBusUnixFileDescriptor(int(devNull.handle())));
    // Counted once the descriptor to send (one shared copy) is open.
    const int descriptorsBefore = openDescriptorCount();
    testsupport::LogCapture log(kCategory);

    const QVariant pair(wordPair("a", "b"));
    const QList<QVariantList> wrongSignature = {
        {},
        {kName, kObject},
        {1, 2, pair},
        {kName, kObject, "info"},
        {kName, kObject, QVariant::fromValue(QDBusVariant(pair))}};
    for (const QVariantList& arguments : wrongSignature)
        ASSERT_TRUE(send(arguments));
    // Well formed on the wire: delivered as it is, for the listener to judge.
    const QVariantMap notAPair{{"addedWordPair", "not a map"}};
    ASSERT_TRUE(send({kName, kObject, notAPair}));

    // A descriptor, which has no place in a notification, spoils the whole user info wherever it
    // lies: in the map, in a list, in a struct, and deeper down. The huge name must not flood the
    // log.
    const QVariant inStruct =
        QVariant::fromValue(NamedDescriptor{"x", fd.value<QDBusUnixFileDescriptor>()});
    ASSERT_TRUE(send({QString(5000, u'x'), kObject, QVariantMap{{"a", 1}, {"fd", fd}}}));
    const QList<QVariantMap> malformed = {
        {{"a", 1}, {"fd", fd}, {"z", "after"}},
        {{"list", QVariantList{"a", fd, 2}}},
        {{"pair", inStruct}, {"z", 3}},
        {{"deep", QVariantMap{{"rows", QVariantList{QVariantMap{{"s", inStruct}}, "b"}}}}}};
    constexpr int kRounds = 1000;
    int goodPairs = 1;
    for (int round = 0; round < kRounds; ++round) {
        for (const QVariantMap& userInfo : malformed)
            ASSERT_TRUE(send({kName, kObject, userInfo}));
        // In batches, so that descriptors in flight stay few; a good pair behind each batch tells
        // when the batch has been dealt with.
        if (round % 50 == 49) {
            ASSERT_TRUE(send({kName, kObject, wordPair("sync", "snyc")}));
            ++goodPairs;
            ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 1 + goodPairs; }))
                << "round " << round;
        }
    }
    ASSERT_TRUE(send({kName, kObject, wordPair("last", "lsat")}));

    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2 + goodPairs; }));
    EXPECT_EQ(received.at(1), notAPair);
    EXPECT_EQ(received.last(), wordPair("last", "lsat"));
    // Four thousand rejections, but the log holds the first ten and says it leaves out the rest.
    EXPECT_EQ(log.count("ignored a notification"), int(wrongSignature.size()));
    EXPECT_EQ(log.count("its user info is unreadable"), 10 - int(wrongSignature.size()));
    EXPECT_EQ(log.count("left out"), 1);
    for (const QString& line : log.lines)
        EXPECT_LT(line.size(), 1000);
    EXPECT_EQ(openDescriptorCount(), descriptorsBefore);
    QDBusConnection::disconnectFromBus(QStringLiteral("malformed"));
}

// The other program flushes the bus before exiting, so what it announced is not lost with it.
TEST_F(BusTest, APairAnnouncedByAnotherProcessIsReceived)
{
    QList<QVariantMap> received;
    ASSERT_TRUE(center.addObserver(kName, kObject, &receiver, into(received)));
    QProcess agent;
    agent.start(QStringLiteral(ADD_WORD_PAIR), {"receive", "recieve"});
    ASSERT_TRUE(agent.waitForFinished(30000) && agent.exitStatus() == QProcess::NormalExit);
    ASSERT_EQ(agent.exitCode(), 0) << agent.readAllStandardError().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QList{wordPair("receive", "recieve")});
}

// No bus needed: a connection that never came up.
TEST(NoBusTest, PostingWithoutABusFailsAndIsLoggedOnce)
{
    testsupport::LogCapture log(kCategory);
    DBusDistributedNotificationCenter center(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/orthova-no-bus"), QStringLiteral("nobus")));
    QObject receiver;
    ASSERT_FALSE(center.isConnected());
    EXPECT_FALSE(center.post(kName, kObject, wordPair("a", "b")));
    EXPECT_FALSE(center.addObserver(kName, QString(), &receiver, [](const QVariantMap&) {}));
    EXPECT_FALSE(center.flush(100));
    EXPECT_EQ(log.count("no D-Bus session bus"), 1);
    QDBusConnection::disconnectFromBus(QStringLiteral("nobus"));
}

} // namespace
