#pragma once

#include "lexotrace/app/WindowController.h"

namespace lexotrace
{

class SpellBitsWindowController : public WindowController
{
    Q_OBJECT
public:
    SpellBitsWindowController()
        : WindowController(QStringLiteral("SpellBitsController"), tr("Word Bits Dictionary"))
    {
    }
};

} // namespace lexotrace
