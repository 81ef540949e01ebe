// Sends a script to the running program over the session bus and prints its result: one value a
// line, or "error N: text" with status 1 for a script error; status 2 when the program cannot be
// reached. Built twice, once for each program (ORTHOVA_BUS_NAME, ORTHOVA_PROGRAM_NAME).

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace
{

const QString kBusName = QStringLiteral(ORTHOVA_BUS_NAME);
const QString kProgram = QStringLiteral(ORTHOVA_PROGRAM_NAME);
constexpr int kReplyTimeoutMs = 60000;

int usage(const QString& client, FILE* to, int status)
{
    std::fprintf(to,
                 "usage: %s [-e SCRIPT]... | FILE | -\n"
                 "Runs a script in the running %s and prints its result.\n"
                 "  -e SCRIPT  the script's text (several -e are lines of one script)\n"
                 "  FILE       a file holding the script; - or nothing: standard input\n",
                 qPrintable(client), qPrintable(kProgram));
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString client = QCoreApplication::applicationName();

    QStringList lines;
    QString file;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("-h") || args[i] == QLatin1String("--help"))
            return usage(client, stdout, 0);
        if (args[i] == QLatin1String("-e")) {
            if (i + 1 >= args.size())
                return usage(client, stderr, 2);
            lines.append(args[++i]);
        } else if (file.isEmpty() && lines.isEmpty()) {
            file = args[i];
        } else {
            return usage(client, stderr, 2);
        }
    }
    QString script = lines.join(u'\n');
    if (lines.isEmpty()) {
        QFile input;
        const bool opened = file.isEmpty() || file == QLatin1String("-")
                                ? input.open(stdin, QIODevice::ReadOnly)
                                : (input.setFileName(file), input.open(QIODevice::ReadOnly));
        if (!opened) {
            std::fprintf(stderr, "%s: cannot read %s: %s\n", qPrintable(client), qPrintable(file),
                         qPrintable(input.errorString()));
            return 2;
        }
        script = QString::fromUtf8(input.readAll());
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "%s: no session bus: %s\n", qPrintable(client),
                     qPrintable(bus.lastError().message()));
        return 2;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kBusName, QStringLiteral("/Scripting"),
                                                       QStringLiteral("com.brellum.Scripting"),
                                                       QStringLiteral("Run"));
    call << script;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 3) {
        if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
            std::fprintf(stderr, "%s: %s is not running.\n", qPrintable(client),
                         qPrintable(kProgram));
        else
            std::fprintf(stderr, "%s: %s did not answer: %s\n", qPrintable(client),
                         qPrintable(kProgram), qPrintable(reply.errorMessage()));
        return 2;
    }
    const int number = reply.arguments().at(0).toInt();
    if (number != 0) {
        std::fprintf(stderr, "error %d: %s\n", number,
                     qPrintable(reply.arguments().at(1).toString()));
        return 1;
    }
    QTextStream out(stdout);
    for (const QString& line : reply.arguments().at(2).toStringList())
        out << line << '\n';
    return 0;
}
