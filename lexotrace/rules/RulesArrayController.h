#pragma once

#include "platform/ArrayController.h"

namespace lexotrace
{

// Every rule of the rules store, in numeric order of code (1, 2, ..., 10, 11).
class RulesArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    explicit RulesArrayController(platform::ObjectContext* rules, QObject* parent = nullptr);

    static QList<platform::SortDescriptor> ruleSortDescriptor();

    // The code of the next rule: one past the number of rules, or past the highest code when a
    // deleted rule left a gap, so that no two rules share a code.
    QString nextRuleCode() const;
    // A new, empty rule at the end, selected alone.
    bool add() override;
};

} // namespace lexotrace
