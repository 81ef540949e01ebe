#pragma once

#include "platform/defaults/UserDefaults.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPreferences)

namespace model
{

// "Library/Application Support" inside the app-group container shared by both programs, created
// when missing. Failures are logged; the path is returned all the same.
QString findOrCreateSharedDataDirectory();

// Registers the defaults that name the store paths and finds (or creates) the shared data
// directory, "Library/Application Support" inside the app-group container.
class PreferencesController
{
public:
    // Once per process, before the first instance: the class-time defaults.
    static void initialize(platform::UserDefaults& defaults);

    // Registers the three store paths (every instance does).
    explicit PreferencesController(platform::UserDefaults& defaults);

    QString defaultPathToSpellLessonsData() const;
    QString defaultPathToSpellErrorData() const;
    QString defaultPathToSpellRulesData() const;

    // What the defaults say, which the user may have overridden.
    QVariant rulesDictionaryFactoryInstallXMLPath() const;
    QString typewardenErrorListXMLPath() const;

    QString findOrCreateDirectory() const;

private:
    void initializeSpellLessonsInstallPath();
    void initializeTypewardenErrorListInstallPath();
    void initializeTypewardenRulesInstallPath();

    platform::UserDefaults& m_defaults;
};

} // namespace model
