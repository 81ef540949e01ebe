#include "lexotrace/rules/RulesArrayController.h"

#include "model/NumberText.h"
#include "model/OrthovaModel.h"
#include "platform/store/ManagedObject.h"

#include <algorithm>

namespace lexotrace
{

RulesArrayController::RulesArrayController(platform::ObjectContext* rules, QObject* parent)
    : ArrayController(rules, model::entity::Rule, parent)
{
    setSortDescriptors(ruleSortDescriptor());
}

QList<platform::SortDescriptor> RulesArrayController::ruleSortDescriptor()
{
    return {{model::key::ruleCode, true, platform::Comparison::Numeric}};
}

QString RulesArrayController::nextRuleCode() const
{
    qint64 highest = arrangedObjects().size();
    for (const platform::ManagedObject* rule : arrangedObjects())
        highest = std::max<qint64>(highest, model::intValue(rule->string(model::key::ruleCode)));
    return QString::number(highest + 1);
}

bool RulesArrayController::add()
{
    if (!context())
        return false;
    UndoGroup group(context());
    platform::ManagedObject* rule = newObject();
    rule->setValue(model::key::ruleCode, nextRuleCode());
    insertObject(rule, arrangedObjects().size());
    setSelectionIndex(arrangedObjects().indexOf(rule));
    return true;
}

} // namespace lexotrace
