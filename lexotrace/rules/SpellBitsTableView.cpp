#include "lexotrace/rules/SpellBitsTableView.h"

#include "lexotrace/rules/SpellBitsWindowController.h"

#include <QHeaderView>

namespace lexotrace
{

SpellBitsTableView::SpellBitsTableView(SpellBitsWindowController& controller, QWidget* parent)
    : ControlAloneTableView(parent), m_controller(controller)
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

void SpellBitsTableView::copy()
{
    m_controller.deriveBitCopyContent();
}

} // namespace lexotrace
