#include "lexotrace/analysis/AnalysisTableView.h"

#include "lexotrace/analysis/AnalysisRowsModel.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "platform/Pasteboard.h"
#include "platform/ui/TableColumns.h"

#include <QAction>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QItemSelection>
#include <QLoggingCategory>
#include <QMimeData>
#include <QTimer>

#include <algorithm>
#include <memory>

Q_LOGGING_CATEGORY(lcAnalysisTable, "lexotrace.analysis.table")

namespace lexotrace
{

namespace
{

// The table's drag source: the rows model with dragging allowed, each drag made by the table.
class DragSource : public QIdentityProxyModel
{
public:
    DragSource(AnalysisTableView& table, AnalysisRowsModel& rows)
        : QIdentityProxyModel(&table), m_table(table)
    {
        setSourceModel(&rows);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QIdentityProxyModel::flags(index) | Qt::ItemIsDragEnabled;
    }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    QStringList mimeTypes() const override
    {
        return {platform::pasteboard::format(AnalysisWindowController::kNotFoundWordDragType)};
    }
    QMimeData* mimeData(const QModelIndexList& indexes) const override
    {
        QList<int> rows;
        for (const QModelIndex& index : indexes)
            if (index.isValid() && !rows.contains(index.row()))
                rows.append(index.row());
        std::sort(rows.begin(), rows.end());
        auto data = std::make_unique<QMimeData>();
        m_table.writeRowsWithIndexes(rows, data.get());
        return data.release(); // the drag owns it
    }

private:
    AnalysisTableView& m_table;
};

} // namespace

AnalysisTableView::AnalysisTableView(AnalysisWindowController& controller, AnalysisRowsModel& rows,
                                     QWidget* parent)
    : ControlAloneTableView(parent), m_controller(controller)
{
    setModel(new DragSource(*this, rows));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllowsMultipleSelection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(AnalysisRowsModel::RuleColumn, QHeaderView::Stretch);
    for (int column = 0; column < header->count(); ++column)
        if (column != AnalysisRowsModel::RuleColumn)
            platform::setColumnWidthFittingTitle(*header, column, header->defaultSectionSize());

    m_openLesson = new QAction(tr("Open Lesson"), this);
    connect(m_openLesson, &QAction::triggered, this, &AnalysisTableView::openSelectedLesson);
    addAction(m_openLesson);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(this, &QAbstractItemView::doubleClicked, this, &AnalysisTableView::openSelectedLesson);
}

QList<int> AnalysisTableView::selectedRowIndexes() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void AnalysisTableView::selectRowIndexes(const QList<int>& rows)
{
    QItemSelection selection;
    const int last = model()->columnCount() - 1;
    for (int row : rows)
        if (row >= 0 && row < model()->rowCount())
            selection.select(model()->index(row, 0), model()->index(row, last));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

bool AnalysisTableView::writeRowsWithIndexes(const QList<int>& rows, QMimeData* data)
{
    setAllowsMultipleSelection(false);
    if (!m_controller.prepareAnalysisContentForDragToLessonWithRowIndexes(rows, data))
        qCWarning(lcAnalysisTable) << "Unable to drag and drop to lesson";
    return true;
}

void AnalysisTableView::openSelectedLesson()
{
    m_controller.showLessonsWindow();
    // The lessons window settles before it hears which lesson to show.
    QTimer::singleShot(0, this,
                       [this] { m_controller.transmitSelectedRowDataToLessonsTableView(); });
}

void AnalysisTableView::scrollToEndOfList()
{
    const int count = model()->rowCount();
    if (count > 0)
        scrollTo(model()->index(count - 1, 0));
}

void AnalysisTableView::copy()
{
    m_controller.prepareAnalysisContentForPaste();
}

} // namespace lexotrace
