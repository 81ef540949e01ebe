#pragma once

#include "lexotrace/app/WindowController.h"

namespace lexotrace
{

class SpellLessonsWindowController : public WindowController
{
    Q_OBJECT
public:
    SpellLessonsWindowController()
        : WindowController(QStringLiteral("LessonsControllerNib"), tr("Spelling Lessons"))
    {
    }
};

} // namespace lexotrace
