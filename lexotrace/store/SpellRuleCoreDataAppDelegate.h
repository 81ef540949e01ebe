#pragma once

#include "lexotrace/store/DataSource.h"
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"

namespace lexotrace
{

// Owns the rules store: opened where the "Rules_Initiation_Data" default says, filled from the
// factory rules when empty, saved, emptied before an import.
class SpellRuleCoreDataAppDelegate : public DataSource
{
    Q_OBJECT
public:
    SpellRuleCoreDataAppDelegate(OpenStore& store, platform::UserDefaults& defaults,
                                 platform::AlertPresenter& alerts,
                                 model::PreferencesController& preferences,
                                 RulesCoreDataToXMLConverter& converter);

    // Opens the store, keeps its context for quitting, and schedules the first-run load when
    // the store is empty.
    void wake();

    platform::ObjectModelPtr rulesModel() { return model(); }
    platform::StoreCoordinator* rulesManager();
    platform::ObjectContext* rulesDBase();

    bool saveContext();
    bool deleteAllData();
    // Reads the rules file and saves at once (first run and imports). False when the rules read
    // could not be saved.
    bool writeRulesCoreDataFromXML();
    // Reads the rules file into the context, unsaved. False (after an alert) when it cannot be
    // read.
    bool readRulesFromXML();
    bool createRulesXMLfileForExportWithFilePath(const QString& path);
    bool createBookMarkForCoreDataHomeForUrl(const QString& path);
    void runFirstRunLoad() override;

    const QString& rulesXMLSourcePath() const { return m_sourcePath; }
    void setRulesXMLSourcePath(const QString& path) { m_sourcePath = path; }

private:
    QString bookmarkPathKey() const override;
    bool logsBookmark() const override { return true; }

    RulesCoreDataToXMLConverter& m_converter;
    QString m_sourcePath;
};

} // namespace lexotrace
