#pragma once

#include "platform/ui/ControlAloneTableView.h"

#include <QTableView>

namespace lexotrace
{

class BitsRelatedWordsArrayController;
class SpellBitsWindowController;

// The word-bits dictionary's table. Copy copies the selected rows as text; a press of the left
// Ctrl key alone arms the next activated row (a click, a double click or Return) to open its
// lesson, and works on one row until then.
class SpellBitsTableView : public platform::ControlAloneTableView
{
    Q_OBJECT
public:
    SpellBitsTableView(SpellBitsWindowController& controller, QWidget* parent = nullptr);

    SpellBitsWindowController& spellBitsWindowController() const { return m_controller; }
    BitsRelatedWordsArrayController* relatedWordsArrayController() const;

public slots:
    void copy() override;

private:
    SpellBitsWindowController& m_controller;
};

} // namespace lexotrace
