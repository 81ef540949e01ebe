#pragma once

#include "platform/ui/ControlAlone.h"

#include <QTableView>

namespace lexotrace
{

class BitsRelatedWordsArrayController;
class SpellBitsWindowController;

// The word-bits dictionary's table. Copy copies the selected rows as text; a press of the left
// Ctrl key alone arms the next activated row (a click, a double click or Return) to open its
// lesson, and works on one row until then.
class SpellBitsTableView : public QTableView
{
    Q_OBJECT
public:
    SpellBitsTableView(SpellBitsWindowController& controller, QWidget* parent = nullptr);

    SpellBitsWindowController& spellBitsWindowController() const { return m_controller; }
    BitsRelatedWordsArrayController* relatedWordsArrayController() const;

    // Set by Control alone; opening the lesson clears it.
    bool controlKey() const { return m_controlKey; }
    void setControlKey(bool on) { m_controlKey = on; }
    bool allowsMultipleSelection() const;
    void setAllowsMultipleSelection(bool on);

public slots:
    void copy();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Back to multiple selection after a Control alone, for a shortcut or an extending click.
    void endControlAlone();

    SpellBitsWindowController& m_controller;
    bool m_controlKey = false;
    platform::ControlAlone m_controlAlone;
};

} // namespace lexotrace
