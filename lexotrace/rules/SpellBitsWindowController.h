#pragma once

#include "platform/ui/WindowController.h"

namespace lexotrace
{

class SpellBitsWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    SpellBitsWindowController()
        : WindowController(QStringLiteral("SpellBitsController"), tr("Word Bits Dictionary"))
    {
    }
};

} // namespace lexotrace
