#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QLoggingCategory>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcRulesXml)

namespace lexotrace
{

// Reads a rules XML file into the rules context and writes the whole rules store out as one: one
// "ruleObject" per rule with its code, text and lesson references, in plain string order of code.
class RulesCoreDataToXMLConverter
{
public:
    using ContextSource = std::function<platform::ObjectContext*()>;

    explicit RulesCoreDataToXMLConverter(platform::AlertPresenter& alerts);

    void setContextSource(ContextSource source) { m_context = std::move(source); }

    // Inserts the file's rules, unsaved. False (after an alert) only when the file cannot be read.
    bool createRulesCoreDataFromXMLFilePath(const QString& path);
    bool parseRulesCoreDataToReadableXMLforPath(const QString& path);
    bool writeRulesXMLString(const QString& text, const QString& path);

    static QList<platform::SortDescriptor> rulesSortDescriptor();

private:
    platform::AlertPresenter& m_alerts;
    ContextSource m_context;
};

} // namespace lexotrace
