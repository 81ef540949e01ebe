// Runs each test process in a sandbox: HOME, the XDG folders and the documents folder point into a
// fresh temporary folder, so no test ever touches the user's real data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir sandbox(QDir::tempPath() + QStringLiteral("/orthova-test-XXXXXX"));
    if (!sandbox.isValid())
        return 2;
    const QString root = sandbox.path();
    for (const char* sub : {"data", "config", "Documents", "cache", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (root + "/cache").toLocal8Bit());
    qputenv("XDG_DOCUMENTS_DIR", (root + "/Documents").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toLocal8Bit());
    QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
    QStandardPaths::setTestModeEnabled(false);

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    return RUN_ALL_TESTS();
}
