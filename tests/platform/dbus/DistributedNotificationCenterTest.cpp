// Distributed notifications as signals on a private session bus (the tests run under
// dbus-run-session): what goes out, what comes back, and what is turned away.
#include "platform/dbus/DistributedNotificationCenter.h"
#include "tests/platform/dbus/BusSignalRecorder.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "typewarden/store/TypewardenModel.h"

#include "model/OrthovaModel.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

#include <functional>

// Readable failure messages for user infos.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QVariantMap& map, std::ostream* os)
{
    *os << '{';
    for (auto it = map.begin(); it != map.end(); ++it) {
        *os << it.key().left(40).toStdString() << ": ";
        if (it.value().typeId() == QMetaType::QVariantMap)
            PrintTo(it.value().toMap(), os);
        else
            *os << it.value().typeName() << ' ' << it.value().toString().left(40).toStdString();
        *os << "; ";
    }
    *os << '}';
}
QT_END_NAMESPACE

using platform::DBusDistributedNotificationCenter;
namespace wire = platform::dbusnotification;

namespace
{

constexpr const char* kCategory = "orthova.dbus.notifications";
const QString kName = QStringLiteral("KVRTypewardenActivityDistributedNotification");
const QString kObject = QStringLiteral("com.brellum.kvrdesk.OrthovaTarget");

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

QVariantMap wordPair(const QString& cSpell, const QString& mSpell)
{
    return {{QStringLiteral("addedWordPair"),
             QVariantMap{{QStringLiteral("cSpell"), cSpell}, {QStringLiteral("mSpell"), mSpell}}}};
}

// Every user info an observer was given, in order.
struct Received {
    QList<QVariantMap> userInfos;
    platform::DistributedNotificationCenter::Handler handler()
    {
        return [this](const QVariantMap& userInfo) { userInfos.append(userInfo); };
    }
};

class BusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no D-Bus session bus: these tests run under dbus-run-session "
                            "(Debian package dbus)";
    }

    DBusDistributedNotificationCenter center;
    QObject receiver;
};

TEST_F(BusTest, APostReachesAnObserverInTheSameProcessWithNestedMapsIntact)
{
    Received received;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, received.handler()));
    QVariantMap userInfo = wordPair(QStringLiteral("naïve"), QStringLiteral("naive"));
    userInfo.insert(QStringLiteral("count"), 3);
    userInfo.insert(QStringLiteral("flag"), true);
    userInfo.insert(QStringLiteral("bytes"), QByteArray("\x00\x01", 2));
    userInfo.insert(QStringLiteral("list"),
                    QVariantList{QStringLiteral("a"), QVariantMap{{QStringLiteral("k"), 1.5}}});
    ASSERT_TRUE(center.post(kName, kObject, userInfo));

    ASSERT_TRUE(waitUntil([&] { return !received.userInfos.isEmpty(); }));
    ASSERT_EQ(received.userInfos.size(), 1);
    const QVariantMap got = received.userInfos.first();
    EXPECT_EQ(got, userInfo);
    EXPECT_EQ(got.value("addedWordPair").typeId(), QMetaType::QVariantMap);
    EXPECT_EQ(got.value("addedWordPair").toMap().value("cSpell").toString(), "naïve");
    EXPECT_EQ(got.value("list").toList().value(1).typeId(), QMetaType::QVariantMap);
}

TEST_F(BusTest, TheSignalTravelsAsSsaSvWithTheWordPairAsADictionary)
{
    testsupport::BusSignalRecorder recorder;
    ASSERT_TRUE(QDBusConnection::sessionBus().connect(QString(), wire::Path, wire::Interface,
                                                      wire::Member, &recorder,
                                                      SLOT(record(QDBusMessage))));
    ASSERT_TRUE(center.post(kName, kObject, wordPair("their", "thier")));
    ASSERT_TRUE(waitUntil([&] { return !recorder.messages.isEmpty(); }));

    const QDBusMessage message = recorder.messages.first();
    EXPECT_EQ(message.type(), QDBusMessage::SignalMessage);
    EXPECT_EQ(message.path(), "/com/brellum/kvrdesk/DistributedNotificationCenter");
    EXPECT_EQ(message.interface(), "com.brellum.kvrdesk.DistributedNotificationCenter");
    EXPECT_EQ(message.member(), "Notification");
    EXPECT_EQ(message.signature(), "ssa{sv}");
    EXPECT_EQ(message.arguments().value(0).toString(), kName);
    EXPECT_EQ(message.arguments().value(1).toString(), kObject);

    // Inside the user info, "addedWordPair" is a variant holding a{sv}.
    const QDBusArgument userInfo = message.arguments().value(2).value<QDBusArgument>();
    QString key;
    QString innerSignature;
    userInfo.beginMap();
    while (!userInfo.atEnd()) {
        userInfo.beginMapEntry();
        QDBusVariant value;
        userInfo >> key >> value;
        userInfo.endMapEntry();
        if (key == u"addedWordPair")
            innerSignature = value.variant().value<QDBusArgument>().currentSignature();
    }
    userInfo.endMap();
    EXPECT_EQ(innerSignature, "a{sv}");
    QDBusConnection::sessionBus().disconnect(QString(), wire::Path, wire::Interface, wire::Member,
                                             &recorder, SLOT(record(QDBusMessage)));
}

TEST_F(BusTest, ObserversGetOnlyTheirNameAndObjectAndStopWithTheirReceiver)
{
    Received anyObject;
    Received agentOnly;
    auto shortLived = std::make_unique<QObject>();
    Received gone;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, anyObject.handler()));
    ASSERT_TRUE(center.addObserver(kName, kObject, &receiver, agentOnly.handler()));
    ASSERT_TRUE(center.addObserver(kName, QString(), shortLived.get(), gone.handler()));
    shortLived.reset();

    ASSERT_TRUE(center.post(QStringLiteral("SomeOtherNotification"), kObject, wordPair("a", "b")));
    ASSERT_TRUE(center.post(kName, QStringLiteral("someone.else"), wordPair("c", "d")));
    ASSERT_TRUE(center.post(kName, kObject, wordPair("e", "f")));
    ASSERT_TRUE(waitUntil([&] { return anyObject.userInfos.size() >= 2; }));
    QTest::qWait(50);

    ASSERT_EQ(anyObject.userInfos.size(), 2);
    EXPECT_EQ(anyObject.userInfos[0], wordPair("c", "d"));
    EXPECT_EQ(anyObject.userInfos[1], wordPair("e", "f"));
    ASSERT_EQ(agentOnly.userInfos.size(), 1);
    EXPECT_EQ(agentOnly.userInfos[0], wordPair("e", "f"));
    EXPECT_TRUE(gone.userInfos.isEmpty());

    center.removeObserver(&receiver);
    QObject laterReceiver;
    Received later;
    ASSERT_TRUE(center.addObserver(kName, QString(), &laterReceiver, later.handler()));
    ASSERT_TRUE(center.post(kName, kObject, wordPair("g", "h")));
    ASSERT_TRUE(waitUntil([&] { return !later.userInfos.isEmpty(); }));
    EXPECT_EQ(anyObject.userInfos.size(), 2);
    EXPECT_EQ(agentOnly.userInfos.size(), 1);
}

TEST_F(BusTest, AUserInfoValueWithoutABusFormIsNotPosted)
{
    testsupport::LogCapture log(kCategory);
    QVariantMap userInfo = wordPair("a", "b");
    userInfo.insert(QStringLiteral("when"), QDateTime::currentDateTime());
    EXPECT_FALSE(center.post(kName, kObject, userInfo));
    EXPECT_EQ(log.count("not posting"), 1);
    EXPECT_FALSE(wire::toWire(userInfo).has_value());
}

TEST_F(BusTest, MalformedSignalsAreIgnoredAndTheCentreKeepsWorking)
{
    Received received;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, received.handler()));
    QDBusConnection sender =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("malformed"));
    ASSERT_TRUE(sender.isConnected());
    testsupport::LogCapture log(kCategory);

    auto signal = [] {
        return QDBusMessage::createSignal(wire::Path, wire::Interface, wire::Member);
    };
    const QString huge(1024 * 1024, QLatin1Char('x'));
    QList<QDBusMessage> wrongSignature;
    wrongSignature << signal();                                                 // no arguments
    wrongSignature << (signal() << kName << kObject);                           // no user info
    wrongSignature << (signal() << 1 << 2 << QVariant(wordPair("a", "b")));     // wrong types
    wrongSignature << (signal() << kName << kObject << QStringLiteral("info")); // not a map
    wrongSignature << (signal() << kName << kObject
                                << QVariant::fromValue(QDBusVariant(QVariant(wordPair("a", "b")))));
    wrongSignature << (signal() << huge);
    for (const QDBusMessage& m : wrongSignature)
        ASSERT_TRUE(sender.send(m));

    // Well formed on the wire: delivered as they are, for the listener to judge.
    ASSERT_TRUE(sender.send(signal() << kName << kObject
                                     << QVariant(QVariantMap{{"addedWordPair", "not a map"}})));
    ASSERT_TRUE(sender.send(signal() << huge << kObject << QVariant(wordPair("a", "b"))));
    ASSERT_TRUE(sender.send(signal() << kName << kObject << QVariant(wordPair(huge, "b"))));
    // A value with no place in a notification (a file descriptor) spoils the whole user info.
    ASSERT_TRUE(sender.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing);
    QVariantMap withDescriptor = wordPair("fd", "df");
    withDescriptor.insert("fd", QVariant::fromValue(QDBusUnixFileDescriptor(0)));
    ASSERT_TRUE(sender.send(signal() << kName << kObject << QVariant(withDescriptor)));
    ASSERT_TRUE(sender.send(signal() << kName << kObject << QVariant(wordPair("last", "lsat"))));

    ASSERT_TRUE(waitUntil([&] { return received.userInfos.size() >= 3; }));
    QTest::qWait(50);
    ASSERT_EQ(received.userInfos.size(), 3);
    EXPECT_EQ(received.userInfos[0].value("addedWordPair").typeId(), QMetaType::QString);
    EXPECT_EQ(received.userInfos[1].value("addedWordPair").toMap().value("cSpell").toString(),
              huge);
    EXPECT_EQ(received.userInfos[2], wordPair("last", "lsat"));
    EXPECT_EQ(log.count("ignored a notification"), int(wrongSignature.size()));
    EXPECT_EQ(log.count("its user info is unreadable"), 1);
    // A huge name is shortened in the log.
    for (const QString& line : log.lines)
        EXPECT_LT(line.size(), 1000);
    QDBusConnection::disconnectFromBus(QStringLiteral("malformed"));
}

class ChildProcessTest : public BusTest
{
protected:
    // Runs add_word_pair with these arguments; its exit code, or -1 when it did not finish.
    int runAddWordPair(const QStringList& arguments, QByteArray* output = nullptr)
    {
        QProcess child;
        child.start(QStringLiteral(ADD_WORD_PAIR), arguments);
        if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit)
            return -1;
        if (output)
            *output = child.readAllStandardOutput();
        return child.exitCode();
    }
};

TEST_F(ChildProcessTest, ThePairAnnouncedByAnotherProcessIsReceived)
{
    Received received;
    ASSERT_TRUE(center.addObserver(kName, kObject, &receiver, received.handler()));
    QByteArray output;
    ASSERT_EQ(runAddWordPair({QStringLiteral("receive"), QStringLiteral("recieve")}, &output), 0);
    EXPECT_EQ(output.trimmed(), "added");

    ASSERT_TRUE(waitUntil([&] { return !received.userInfos.isEmpty(); }));
    EXPECT_EQ(received.userInfos.first(), wordPair("receive", "recieve"));
    // Without --save the pair never reaches the store file.
    platform::UserDefaults defaults(QStringLiteral("Typewarden"));
    EXPECT_FALSE(QFileInfo::exists(typewarden::registerErrorListPathDefault(defaults)));
}

TEST_F(ChildProcessTest, SavedPairsReachTheStoreFile)
{
    Received received;
    ASSERT_TRUE(center.addObserver(kName, kObject, &receiver, received.handler()));
    ASSERT_EQ(runAddWordPair(
                  {QStringLiteral("rhythm"), QStringLiteral("rythm"), QStringLiteral("--save")}),
              0);
    ASSERT_TRUE(waitUntil([&] { return !received.userInfos.isEmpty(); }));

    platform::UserDefaults defaults(QStringLiteral("Typewarden"));
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    ASSERT_TRUE(coordinator->addStore(typewarden::registerErrorListPathDefault(defaults), nullptr));
    platform::ObjectContext context(coordinator);
    const auto pairs = context.fetch(platform::FetchRequest::all(model::entity::WordPair));
    ASSERT_TRUE(pairs);
    ASSERT_EQ(pairs->size(), 1);
    EXPECT_EQ(pairs->first()->string(model::key::cSpell), "rhythm");
    EXPECT_EQ(pairs->first()->string(model::key::mSpell), "rythm");
}

TEST_F(ChildProcessTest, ARefusedPairIsNotAnnounced)
{
    Received received;
    ASSERT_TRUE(center.addObserver(kName, QString(), &receiver, received.handler()));
    EXPECT_EQ(runAddWordPair({QString(), QStringLiteral("teh")}), 1);
    EXPECT_EQ(runAddWordPair({QStringLiteral("only one word")}), 2);

    // Something posted after the children have gone arrives alone.
    ASSERT_TRUE(center.post(kName, kObject, wordPair("after", "aftre")));
    ASSERT_TRUE(waitUntil([&] { return !received.userInfos.isEmpty(); }));
    QTest::qWait(50);
    ASSERT_EQ(received.userInfos.size(), 1);
    EXPECT_EQ(received.userInfos.first(), wordPair("after", "aftre"));
}

// No bus needed: a connection that never came up.
TEST(NoBusTest, PostingWithoutABusFailsAndIsLoggedOnce)
{
    testsupport::LogCapture log(kCategory);
    DBusDistributedNotificationCenter center(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/orthova-no-bus"), QStringLiteral("nobus")));
    QObject receiver;
    EXPECT_FALSE(center.isConnected());
    EXPECT_FALSE(center.post(kName, kObject, wordPair("a", "b")));
    EXPECT_FALSE(center.post(kName, kObject, wordPair("c", "d")));
    EXPECT_FALSE(center.addObserver(kName, QString(), &receiver, [](const QVariantMap&) {}));
    EXPECT_FALSE(center.flush(100));
    EXPECT_EQ(log.count("no D-Bus session bus"), 1);
    QDBusConnection::disconnectFromBus(QStringLiteral("nobus"));
}

} // namespace
