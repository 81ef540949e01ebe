#pragma once

#include "lexotrace/app/WindowController.h"

namespace lexotrace
{

class SpellRulesWindowController : public WindowController
{
    Q_OBJECT
public:
    SpellRulesWindowController()
        : WindowController(QStringLiteral("SpellRuleController"), tr("Spelling Rules"))
    {
    }
};

} // namespace lexotrace
