#include "lexotrace/rules/SpellRulesTableView.h"

#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

#include <memory>

namespace lexotrace
{

SpellRulesTableView::SpellRulesTableView(QWidget* parent) : QTableView(parent)
{
    setAccessibleName(tr("Rules"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAlternatingRowColors(true);
    setWordWrap(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void SpellRulesTableView::keyPressEvent(QKeyEvent* event)
{
    if (m_controlAlone.press(*event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy))
        emit copyRequested();
    else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        emit deleteRequested();
    else
        return QTableView::keyPressEvent(event);
    event->accept();
}

void SpellRulesTableView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_controlAlone.release(*event)) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        m_controlKey = true;
    }
    QTableView::keyReleaseEvent(event);
}

void SpellRulesTableView::mousePressEvent(QMouseEvent* event)
{
    m_controlAlone.cancel();
    QTableView::mousePressEvent(event);
}

void SpellRulesTableView::startDrag(Qt::DropActions)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto data = std::make_unique<QMimeData>();
    if (!m_writeDrag || !m_writeDrag(*data))
        return;
    auto* drag = new QDrag(this); // deleted by Qt when the drag ends
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

} // namespace lexotrace
