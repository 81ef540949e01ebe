#pragma once

#include "platform/ui/WindowController.h"

namespace lexotrace
{

class SpellLessonsWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    SpellLessonsWindowController()
        : WindowController(QStringLiteral("LessonsControllerNib"), tr("Spelling Lessons"))
    {
    }
};

} // namespace lexotrace
