#include "lexotrace/rules/SpellBitsTableView.h"

#include "lexotrace/rules/SpellBitsWindowController.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace lexotrace
{

SpellBitsTableView::SpellBitsTableView(SpellBitsWindowController& controller, QWidget* parent)
    : QTableView(parent), m_controller(controller)
{
    setAccessibleName(tr("Word bits"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllowsMultipleSelection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    // Rows of one height, so that a long list is laid out without measuring each row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

BitsRelatedWordsArrayController* SpellBitsTableView::relatedWordsArrayController() const
{
    return m_controller.relatedWordsArrayController();
}

bool SpellBitsTableView::allowsMultipleSelection() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void SpellBitsTableView::setAllowsMultipleSelection(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

void SpellBitsTableView::copy()
{
    m_controller.deriveBitCopyContent();
}

bool SpellBitsTableView::event(QEvent* event)
{
    // Copy belongs to the table while it has focus, also when a menu offers the same shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void SpellBitsTableView::keyPressEvent(QKeyEvent* event)
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

void SpellBitsTableView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_controlAlone.release(*event)) {
        setAllowsMultipleSelection(false);
        m_controlKey = true;
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

void SpellBitsTableView::mousePressEvent(QMouseEvent* event)
{
    // A Ctrl- or Shift-click extends the selection, whatever an earlier Control alone set.
    m_controlAlone.cancel();
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        endControlAlone();
    QTableView::mousePressEvent(event);
}

void SpellBitsTableView::endControlAlone()
{
    if (!m_controlKey)
        return;
    m_controlKey = false;
    setAllowsMultipleSelection(true);
}

} // namespace lexotrace
