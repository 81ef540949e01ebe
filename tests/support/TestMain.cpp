// Runs each test process in a sandbox: HOME, the XDG folders and the documents folder point into a
// fresh temporary folder, so no test ever touches the user's real data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace
{

// Each test starts from empty folders, also when several run in one process.
class FreshSandbox : public ::testing::EmptyTestEventListener
{
public:
    explicit FreshSandbox(QString root) : m_root(std::move(root)) {}
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QDir dir(m_root);
        for (const QString& entry :
             dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (entry == QLatin1String("runtime"))
                continue;
            QFileInfo info(dir.filePath(entry));
            if (info.isDir() && !info.isSymLink())
                QDir(info.filePath()).removeRecursively();
            else
                QFile::remove(info.filePath());
        }
        for (const char* sub : {"data", "config", "Documents", "cache"})
            dir.mkpath(QString::fromLatin1(sub));
    }

private:
    QString m_root;
};

} // namespace

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
    QFile::setPermissions(root + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStandardPaths::setTestModeEnabled(false);

    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSandbox(root));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    return RUN_ALL_TESTS();
}
