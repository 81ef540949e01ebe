#pragma once

#include "lexotrace/app/WindowController.h"

namespace lexotrace
{

// The analysis window: the first window of the program, on which first-run messages appear.
class SpellErrorAnalysisController : public WindowController
{
    Q_OBJECT
public:
    SpellErrorAnalysisController()
        : WindowController(QStringLiteral("SpellErrorAnalysisController"),
                           tr("Spelling Error Analysis"))
    {
    }
};

} // namespace lexotrace
