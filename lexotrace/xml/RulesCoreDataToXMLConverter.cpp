#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"

#include "lexotrace/xml/XmlFileText.h"
#include "model/OrthovaModel.h"
#include "platform/xml/LenientXmlDocument.h"

#include <QFile>
#include <QFileInfo>

Q_LOGGING_CATEGORY(lcRulesXml, "lexotrace.xml.rules")

namespace lexotrace
{

namespace key = model::key;
using platform::ManagedObject;
using platform::XmlNode;

namespace
{

const QString kNull = QStringLiteral("(null)");

void logFetchError(const QString& message, const QString& detail)
{
    qCWarning(lcRulesXml).noquote() << message;
    qCWarning(lcRulesXml).noquote()
        << QStringLiteral("Unresolved error for rulesMOC fetch: %1, %2, %3")
               .arg(message, detail, message);
}

} // namespace

RulesCoreDataToXMLConverter::RulesCoreDataToXMLConverter(platform::AlertPresenter& alerts)
    : m_alerts(alerts)
{
}

QList<platform::SortDescriptor> RulesCoreDataToXMLConverter::rulesSortDescriptor()
{
    return {{key::ruleCode, true, platform::Comparison::Plain}};
}

bool RulesCoreDataToXMLConverter::createRulesCoreDataFromXMLFilePath(const QString& path)
{
    qCDebug(lcRulesXml).noquote() << QStringLiteral("path: %1").arg(path);
    platform::ObjectContext* context = m_context ? m_context() : nullptr;
    QFile file(path);
    QString why;
    std::optional<platform::LenientXmlDocument> document;
    if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    else
        document = platform::LenientXmlDocument::parse(file.readAll(), &why);
    if (!document || !context) {
        m_alerts.runModal(platform::AlertPresenter::alertWithError(
            QObject::tr("The file “%1” couldn’t be opened.").arg(QFileInfo(path).fileName()),
            context ? why : QObject::tr("The rules store is not available.")));
        return false;
    }
    for (const XmlNode& ruleObject : document->select(QStringLiteral("/rulesData/ruleObject"))) {
        ManagedObject* rule = context->insertNewObject(model::entity::Rule);
        for (const XmlNode& child : ruleObject.children()) {
            const QString markup = child.markup();
            for (const QString& k : {key::ruleCode, key::rule, key::reference}) {
                if (!markup.startsWith(u'<' + k + u'>'))
                    continue;
                const XmlNode value = ruleObject.firstChildElement(k);
                rule->setValue(k, value.isNull() ? QVariant() : QVariant(value.stringValue()));
            }
        }
    }
    return true;
}

bool RulesCoreDataToXMLConverter::parseRulesCoreDataToReadableXMLforPath(const QString& path)
{
    platform::ObjectContext* context = m_context ? m_context() : nullptr;
    if (!context) {
        logFetchError(QObject::tr("The rules store is not available."), path);
        return false;
    }
    platform::StoreError error;
    const auto rules = context->fetch(
        platform::FetchRequest{model::entity::Rule, {}, rulesSortDescriptor(), 0}, &error);
    if (!rules) {
        logFetchError(error.message, error.userInfo.value("NSFilePath").toString());
        return false;
    }
    QString x = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rulesData>\n");
    auto field = [](ManagedObject* r, const QString& k) {
        return r->hasValue(k) ? r->string(k) : kNull;
    };
    for (ManagedObject* rule : *rules) {
        x += QLatin1String("<ruleObject>\n<ruleCode>") + field(rule, key::ruleCode) +
             QLatin1String("</ruleCode>\n<rule>") + field(rule, key::rule) +
             QLatin1String("</rule>\n<reference>") + field(rule, key::reference) +
             QLatin1String("</reference>\n</ruleObject>\n");
    }
    x += QLatin1String("</rulesData>\n");
    return writeRulesXMLString(x, path);
}

bool RulesCoreDataToXMLConverter::writeRulesXMLString(const QString& text, const QString& path)
{
    qCInfo(lcRulesXml) << "Rules backup XML file updated";
    QString why;
    if (!writeXmlFileText(path, text, &why)) {
        logFetchError(why, path);
        return false;
    }
    return true;
}

} // namespace lexotrace
