#include "model/PreferencesController.h"

#include "model/DefaultsKeys.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

Q_LOGGING_CATEGORY(lcPreferences, "orthova.preferences")

namespace model
{

void PreferencesController::initialize(platform::UserDefaults& defaults)
{
    defaults.registerDefaults({{defaults::LastLessonLevel, QStringLiteral("1")},
                               {defaults::LastLessonUnit, QStringLiteral("1")},
                               {defaults::ErrorListPath, QString(QLatin1String(""))}});
    qCDebug(lcPreferences) << "registered the lesson and error-list defaults";
}

PreferencesController::PreferencesController(platform::UserDefaults& defaults)
    : m_defaults(defaults)
{
    qCDebug(lcPreferences) << "PreferencesController init";
    initializeSpellLessonsInstallPath();
    initializeTypewardenErrorListInstallPath();
    initializeTypewardenRulesInstallPath();
}

void PreferencesController::initializeSpellLessonsInstallPath()
{
    m_defaults.registerDefaults({{defaults::LessonsPath, defaultPathToSpellLessonsData()}});
}

void PreferencesController::initializeTypewardenErrorListInstallPath()
{
    m_defaults.registerDefaults({{defaults::ErrorListPath, defaultPathToSpellErrorData()}});
}

void PreferencesController::initializeTypewardenRulesInstallPath()
{
    m_defaults.registerDefaults({{defaults::RulesPath, defaultPathToSpellRulesData()}});
}

QString PreferencesController::defaultPathToSpellLessonsData() const
{
    return QDir(findOrCreateDirectory()).filePath(store::LessonsFileName);
}

QString PreferencesController::defaultPathToSpellErrorData() const
{
    const QString path = QDir(findOrCreateDirectory()).filePath(store::ErrorListFileName);
    qCDebug(lcPreferences).noquote() << QStringLiteral("fullPath: %1").arg(path);
    return path;
}

QString PreferencesController::defaultPathToSpellRulesData() const
{
    const QString path = QDir(findOrCreateDirectory()).filePath(store::RulesFileName);
    qCDebug(lcPreferences).noquote() << QStringLiteral("fullPath: %1").arg(path);
    return path;
}

QVariant PreferencesController::rulesDictionaryFactoryInstallXMLPath() const
{
    return m_defaults.objectForKey(defaults::RulesPath);
}

QString PreferencesController::typewardenErrorListXMLPath() const
{
    return m_defaults.stringForKey(defaults::ErrorListPath);
}

QString PreferencesController::findOrCreateDirectory() const
{
    return findOrCreateSharedDataDirectory();
}

QString findOrCreateSharedDataDirectory()
{
    const QString container = platform::paths::appGroupContainer(store::GroupIdentifier);
    if (!QDir().mkpath(container))
        qCWarning(lcPreferences).noquote()
            << QStringLiteral("failed to create group container folder: %1")
                   .arg(QStringLiteral("cannot create %1").arg(container));
    const QString support = platform::paths::sharedDataDirectory(store::GroupIdentifier);
    if (!QFileInfo(support).isDir()) {
        if (!QDir().mkpath(support))
            qCWarning(lcPreferences).noquote()
                << QStringLiteral("failed to create Group Containers: %1")
                       .arg(QStringLiteral("cannot create %1").arg(support));
        else
            qCInfo(lcPreferences).noquote()
                << QStringLiteral("Created a new 'OrthovaCoreData' directory at: %1").arg(support);
    }
    return support;
}

} // namespace model
