#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace testsupport
{

QString sandboxRoot()
{
    return qEnvironmentVariable("HOME");
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QString fixturePath(const QString& name)
{
    return QStringLiteral(ORTHOVA_SOURCE_DIR "/tests/fixtures/") + name;
}

QString storeFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") +
           QStringLiteral("/group.com.Orthova.data/Library/Application Support");
}

QString toolOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    EXPECT_TRUE(ran) << tool.toStdString() << " failed (see scripts/deps)";
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfLines(const QString& pdf)
{
    QStringList lines = toolOutput(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .normalized(QString::NormalizationForm_KC)
                            .replace(u'\f', u'\n')
                            .split(u'\n');
    for (QString& line : lines)
        line = line.simplified();
    return lines;
}

} // namespace testsupport
