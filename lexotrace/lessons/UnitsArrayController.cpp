#include "lexotrace/lessons/UnitsArrayController.h"

#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/NumberText.h"
#include "model/OrthovaModel.h"
#include "platform/store/StoreError.h"

#include <QTimer>

namespace lexotrace
{

namespace key = model::key;
using platform::ManagedObject;

UnitsArrayController::UnitsArrayController(platform::ObjectContext* lessons,
                                           LevelsArrayController* levels,
                                           platform::AlertPresenter& alerts, QObject* parent)
    : ArrayController(lessons, model::entity::Unit, parent), m_alerts(alerts)
{
    setSortDescriptors({{key::unitNumber, true, platform::Comparison::Numeric}});
    setContentRelationship(levels, key::units);
}

LevelsArrayController* UnitsArrayController::levelsArrayController() const
{
    return qobject_cast<LevelsArrayController*>(master());
}

bool UnitsArrayController::add()
{
    // A unit belongs to a level: without one selected there is nowhere to put it.
    if (!master() || !master()->lastSelectedObject())
        return false;
    UndoGroup group(context());
    ManagedObject* unit = newObject();
    if (!unit)
        return false;
    const qsizetype selected = selectionIndex();
    if (selected != NotFound)
        insertObject(unit, selected);
    else
        insertObject(unit, arrangedObjects().size() - 1);
    rearrangeObjects();
    setSelectedObjects({unit});
    return true;
}

void UnitsArrayController::insertObject(ManagedObject* unit, qsizetype selectedIndex)
{
    ManagedObject* level = master() ? master()->lastSelectedObject() : nullptr;
    if (!unit || !level)
        return;
    UndoGroup group(context());
    const QList<ManagedObject*> units = arrangedObjects();
    const qsizetype n = units.size();
    const qsizetype s = std::clamp<qsizetype>(selectedIndex, 0, std::max<qsizetype>(n - 1, 0));
    // Unit p carries p + 1; those after the selected one move up by one.
    for (qsizetype p = s + 1; p < n; ++p)
        units[p]->setValue(key::unitNumber, QString::number(p + 2));
    unit->setToOne(key::level, level);
    unit->setValue(key::generalRule, QStringLiteral(""));
    unit->setValue(key::generalRuleCode, QStringLiteral("000"));
    m_insertIndexString = QString::number(n > 0 ? s + 2 : s + 1);
    selectNext();
    unit->setValue(key::unitNumber, m_insertIndexString);
    qCInfo(lcLessons).noquote() << "insertIndexString :" << m_insertIndexString;
    // The list re-sorts when the context announces the change; select the new unit after that.
    QTimer::singleShot(0, this, &UnitsArrayController::doThisWithThis);
}

void UnitsArrayController::remove()
{
    const QList<ManagedObject*> selected = selectedObjects();
    if (selected.isEmpty())
        return;
    UndoGroup group(context());
    const qsizetype first = selectionIndex();
    const bool removesLast = selectionIndexes().last() == arrangedObjects().size() - 1;
    removeObjects(selected);
    updateUnitNumbersForUnit();
    const qsizetype n = arrangedObjects().size();
    if (n == 0)
        return;
    // The unit before the removed one; after the last, the new last; after the first, the new
    // first.
    setSelectionIndex(removesLast ? n - 1 : std::max<qsizetype>(first - 1, 0));
}

void UnitsArrayController::updateUnitNumbersForUnit()
{
    UndoGroup group(context());
    const QList<ManagedObject*>& units = arrangedObjects();
    for (qsizetype p = 0; p < units.size(); ++p)
        units[p]->setValue(key::unitNumber, QString::number(p + 1));
}

void UnitsArrayController::doThisWithThis()
{
    rearrangeObjects();
    setSelectionIndex(qsizetype(intValue(m_insertIndexString)) - 1);
}

bool UnitsArrayController::deleteThisWordOfCoreData(const platform::ObjectID& objectID)
{
    platform::StoreError error;
    ManagedObject* object = context() ? context()->existingObjectWithID(objectID, &error) : nullptr;
    if (!object) {
        if (!error.isError())
            error = platform::StoreError::make(platform::StoreError::NoStore,
                                               tr("There is no lessons store."));
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return false;
    }
    qCInfo(lcLessons).noquote() << "thisObject:" << object->objectID().uriString();
    UndoGroup group(context());
    context()->deleteObject(object);
    rearrangeObjects();
    return true;
}

} // namespace lexotrace
