#pragma once

#include "platform/ui/WindowController.h"

namespace lexotrace
{

class SpellRulesWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    SpellRulesWindowController()
        : WindowController(QStringLiteral("SpellRuleController"), tr("Spelling Rules"))
    {
    }
};

} // namespace lexotrace
