#include "platform/ui/TableSelection.h"

#include "platform/ArrayController.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>
#include <memory>

namespace platform
{

void bindTableSelection(QTableView* view, ArrayController* list)
{
    auto syncing = std::make_shared<bool>(false);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, list,
                     [view, list, syncing] {
                         if (*syncing)
                             return;
                         QList<qsizetype> rows;
                         for (const QModelIndex& index : view->selectionModel()->selectedRows())
                             rows.append(index.row());
                         std::sort(rows.begin(), rows.end());
                         *syncing = true;
                         list->setSelectionIndexes(rows);
                         *syncing = false;
                     });
    auto show = [view, list, syncing] {
        if (*syncing)
            return;
        *syncing = true;
        QItemSelection selection;
        const int last = view->model()->columnCount() - 1;
        for (qsizetype row : list->selectionIndexes())
            selection.select(view->model()->index(int(row), 0),
                             view->model()->index(int(row), last));
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        if (!list->selectionIndexes().isEmpty()) {
            const QModelIndex last = view->model()->index(int(list->selectionIndexes().last()), 0);
            // The keyboard goes on from there: Return activates it, arrows move from it.
            view->selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
            view->scrollTo(last);
        }
        *syncing = false;
    };
    QObject::connect(list, &ArrayController::selectionChanged, view, show);
    QObject::connect(list, &ArrayController::arrangedObjectsChanged, view, show);
}

} // namespace platform
