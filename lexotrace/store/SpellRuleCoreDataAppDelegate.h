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
    SpellRuleCoreDataAppDelegate(LXMainAppController& app,
                                 model::PreferencesController& preferences,
                                 RulesCoreDataToXMLConverter& converter);

    void awakeFromNib();

    platform::ObjectModelPtr rulesModel() { return model(); }
    platform::StoreCoordinator* rulesManager();
    platform::ObjectContext* rulesDBase();

    bool saveContext();
    bool deleteAllData();
    // Reads the rules file and saves at once (first run and imports). False when the rules read
    // could not be saved.
    bool writeRulesCoreDataFromXML();
    bool createRulesXMLfileForExportWithFilePath(const QString& path);
    bool createBookMarkForCoreDataHomeForUrl(const QString& path);
    void doThis() override;

    const QString& rulesXMLSourcePath() const { return m_sourcePath; }
    void setRulesXMLSourcePath(const QString& path) { m_sourcePath = path; }

private:
    void coordinatorBuilt(platform::StoreCoordinator* coordinator) override;
    QString bookmarkPathKey() const override;
    bool logsBookmark() const override { return true; }

    RulesCoreDataToXMLConverter& m_converter;
    QString m_sourcePath;
};

} // namespace lexotrace
