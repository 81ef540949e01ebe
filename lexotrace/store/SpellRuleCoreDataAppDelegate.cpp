#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"

#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/Paths.h"

#include <QDir>

namespace lexotrace
{

SpellRuleCoreDataAppDelegate::SpellRuleCoreDataAppDelegate(
    OpenStore& store, platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
    model::PreferencesController& preferences, RulesCoreDataToXMLConverter& converter)
    : DataSource(store, defaults, alerts, preferences), m_converter(converter),
      m_sourcePath(QDir(platform::paths::resourceDirectory())
                       .filePath(QStringLiteral("Rules_Initiation_Data.xml")))
{
    m_converter.setContextSource([this] { return rulesDBase(); });
}

QString SpellRuleCoreDataAppDelegate::bookmarkPathKey() const
{
    return model::defaults::RulesBookmark;
}

platform::StoreCoordinator* SpellRuleCoreDataAppDelegate::rulesManager()
{
    // The user's defaults may move the rules store.
    return coordinatorForPath(m_preferences.rulesDictionaryFactoryInstallXMLPath().toString());
}

platform::ObjectContext* SpellRuleCoreDataAppDelegate::rulesDBase()
{
    rulesManager();
    return context();
}

void SpellRuleCoreDataAppDelegate::wake()
{
    platform::ObjectContext* context = rulesDBase();
    wakeStore(context, model::entity::Rule, tr("rules"));
}

bool SpellRuleCoreDataAppDelegate::saveContext()
{
    return saveStoreContext();
}

bool SpellRuleCoreDataAppDelegate::deleteAllData()
{
    return deleteAllObjects(model::entity::Rule);
}

bool SpellRuleCoreDataAppDelegate::writeRulesCoreDataFromXML()
{
    return saveLoaded(readRulesFromXML());
}

bool SpellRuleCoreDataAppDelegate::readRulesFromXML()
{
    return m_converter.createRulesCoreDataFromXMLFilePath(m_sourcePath);
}

bool SpellRuleCoreDataAppDelegate::createRulesXMLfileForExportWithFilePath(const QString& path)
{
    return m_converter.parseRulesCoreDataToReadableXMLforPath(path);
}

bool SpellRuleCoreDataAppDelegate::createBookMarkForCoreDataHomeForUrl(const QString& path)
{
    return createBookmark(path, model::defaults::RulesBookmark, true);
}

void SpellRuleCoreDataAppDelegate::runFirstRunLoad()
{
    m_alerts.beginSheet(
        {tr("Alert"),
         tr("A file containing the spelling rules is missing from your application resource "
            "directory. An original one will be placed there. If you have modified and exported "
            "a rules file, you may wish to replace this install so that your ammended file is "
            "employed."),
         {tr("OK")}},
        sheetWindow(), [this](int) {
            qCInfo(lcStore) << "Success";
            writeRulesCoreDataFromXML();
        });
}

} // namespace lexotrace
