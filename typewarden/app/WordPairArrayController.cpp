#include "typewarden/app/WordPairArrayController.h"

#include "model/OrthovaModel.h"

#include <QLocale>

namespace typewarden
{

namespace key = model::key;

namespace
{

// Every pair of the context, oldest first; the model takes it over at once.
platform::ArrayController* pairsOldestFirst(platform::ObjectContext* context)
{
    auto* pairs = new platform::ArrayController(context, model::entity::WordPair);
    pairs->setSortDescriptors({{key::tStamp, true, platform::Comparison::Plain}});
    return pairs;
}

} // namespace

WordPairArrayController::WordPairArrayController(platform::ObjectContext* context, QObject* parent)
    : platform::ArrayControllerModel(
          pairsOldestFirst(context),
          {{key::cSpell, tr("Correct")}, {key::mSpell, tr("Misspelt")}, {key::tStamp, tr("Time")}},
          parent)
{
    controller()->setParent(this);
}

void WordPairArrayController::remove(const QList<int>& rows)
{
    QList<platform::ManagedObject*> doomed;
    for (int row : rows)
        if (platform::ManagedObject* pair = objectAt(row))
            doomed.append(pair);
    controller()->removeObjects(doomed);
}

QVariant WordPairArrayController::data(const QModelIndex& index, int role) const
{
    if (index.column() == TimeColumn && role == Qt::DisplayRole) {
        const platform::ManagedObject* pair = objectAt(index.row());
        return pair
                   ? QLocale().toString(pair->date(key::tStamp).toLocalTime(), QLocale::ShortFormat)
                   : QVariant();
    }
    return platform::ArrayControllerModel::data(index, role);
}

} // namespace typewarden
