#include "lexotrace/rules/SpellRulesTableView.h"

#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

#include <memory>

namespace lexotrace
{

SpellRulesTableView::SpellRulesTableView(QWidget* parent) : ControlAloneTableView(parent)
{
    setAccessibleName(tr("Rules"));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAlternatingRowColors(true);
    setWordWrap(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void SpellRulesTableView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        event->accept();
        return;
    }
    ControlAloneTableView::keyPressEvent(event);
}

void SpellRulesTableView::startDrag(Qt::DropActions)
{
    // A drag ends the one-row choice that Control alone made.
    setControlKey(false);
    setAllowsMultipleSelection(true);
    auto data = std::make_unique<QMimeData>();
    if (!m_writeDrag || !m_writeDrag(*data))
        return;
    auto* drag = new QDrag(this); // deleted by Qt when the drag ends
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

} // namespace lexotrace
