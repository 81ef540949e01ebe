#pragma once

// What the fuzz targets share: one Qt application per process, a private home and a folder for
// the files a parser reads, and a way to stop with a message when a property fails.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz
{

// Files are replaced (and synced) for every input: in memory when the machine offers it.
inline const QString& folder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/orthova-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/orthova-fuzz-XXXXXX"));
    static const QString path = dir.isValid() ? dir.path() : QString();
    if (path.isEmpty()) {
        std::fprintf(stderr, "fuzz: no temporary folder\n");
        std::abort();
    }
    return path;
}

inline QString file(const QString& name)
{
    return folder() + u'/' + name;
}

// The home, the XDG folders and Qt's platform point away from the user; logging is off, since
// the parsers log every flaw they repair and the fuzzer makes millions of them.
inline void start()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    const QString home = folder();
    for (const char* sub : {"data", "config", "cache", "runtime"})
        QDir(home).mkpath(QString::fromLatin1(sub));
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home + "/cache").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home + "/runtime").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// A property of the code under test failed: say which, and crash so the fuzzer keeps the input.
[[noreturn]] inline void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "fuzz: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace fuzz
