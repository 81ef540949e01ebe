#include "lexotrace/lessons/LevelsArrayController.h"

#include "model/NumberText.h"
#include "model/OrthovaModel.h"

#include <QTimer>

#include <algorithm>

namespace lexotrace
{

namespace key = model::key;
using platform::Comparison;
using platform::ManagedObject;

LevelsArrayController::LevelsArrayController(platform::ObjectContext* lessons, QObject* parent)
    : ArrayController(lessons, model::entity::Levels, parent)
{
    setSortDescriptors({{key::levelNumber, true, Comparison::Numeric}});
}

bool LevelsArrayController::add()
{
    if (!context())
        return false;
    UndoGroup group(context());
    const QString lastRuleCode = getLastRuleCode();
    ManagedObject* level = newObject();
    level->setValue(key::levelNumber, QString::number(arrangedObjects().size() + 1));
    ManagedObject* unit =
        m_units ? m_units->newObject() : context()->insertNewObject(model::entity::Unit);
    unit->setValue(key::unitNumber, QStringLiteral("1"));
    level->setToMany(key::units, {unit});
    unit->setValue(key::generalRuleCode,
                   QString::number(qint64(model::intValue(lastRuleCode)) + 1));
    rearrangeObjects();
    // Selected once the lists that follow the levels have caught up.
    QTimer::singleShot(kSelectNewLevelDelayMs, this, &LevelsArrayController::selectLastLevel);
    return true;
}

void LevelsArrayController::remove()
{
    const QList<ManagedObject*> selected = selectedObjects();
    if (selected.isEmpty())
        return;
    UndoGroup group(context());
    const int removedNumber = model::intValue(selected.last()->string(key::levelNumber));
    removeObjects(selected);
    updateLevelNumbersForLevel();
    // The level before the removed one; after the first level, the new first one.
    if (!arrangedObjects().isEmpty())
        setSelectionIndex(
            std::clamp<qsizetype>(qsizetype(removedNumber) - 2, 0, arrangedObjects().size() - 1));
}

void LevelsArrayController::updateLevelNumbersForLevel()
{
    UndoGroup group(context());
    const QList<ManagedObject*>& levels = arrangedObjects();
    for (qsizetype p = 0; p < levels.size(); ++p)
        levels[p]->setValue(key::levelNumber, QString::number(p + 1));
}

QString LevelsArrayController::getLastRuleCode() const
{
    if (!context())
        return {};
    const auto levels =
        context()
            ->fetch({model::entity::Levels, {}, {{key::levelNumber, true, Comparison::Numeric}}, 0})
            .value_or(QList<ManagedObject*>{});
    if (levels.isEmpty())
        return {};
    QList<ManagedObject*> units;
    for (ManagedObject* unit : levels.last()->toMany(key::units))
        if (!unit->isDeleted())
            units.append(unit);
    platform::sortObjects(units, {{key::unitNumber, true, Comparison::Numeric}});
    return units.isEmpty() ? QString() : units.last()->string(key::generalRuleCode);
}

void LevelsArrayController::selectLastLevel()
{
    rearrangeObjects();
    if (!arrangedObjects().isEmpty())
        setSelectionIndex(arrangedObjects().size() - 1);
}

} // namespace lexotrace
