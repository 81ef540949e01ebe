#include "platform/ui/ControlAloneTableView.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform
{

ControlAloneTableView::ControlAloneTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllowsMultipleSelection(true);
}

bool ControlAloneTableView::allowsMultipleSelection() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void ControlAloneTableView::setAllowsMultipleSelection(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

bool ControlAloneTableView::event(QEvent* event)
{
    // Copy belongs to the table while it has focus, also when a menu offers the same shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void ControlAloneTableView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    if (m_controlAlone.press(*event)) {
        event->accept();
        return;
    }
    // A shortcut with Ctrl works on many rows again.
    if (event->modifiers() & Qt::ControlModifier)
        endControlAlone();
    QTableView::keyPressEvent(event);
}

void ControlAloneTableView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_controlAlone.release(*event)) {
        setAllowsMultipleSelection(false);
        m_controlKey = true;
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

void ControlAloneTableView::mousePressEvent(QMouseEvent* event)
{
    // A Ctrl- or Shift-click extends the selection, whatever an earlier Control alone set.
    m_controlAlone.cancel();
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        endControlAlone();
    QTableView::mousePressEvent(event);
}

void ControlAloneTableView::endControlAlone()
{
    if (!m_controlKey)
        return;
    m_controlKey = false;
    setAllowsMultipleSelection(true);
}

} // namespace platform
