#pragma once

#include "platform/ArrayController.h"
#include "platform/ui/Alerts.h"

namespace lexotrace
{

class LevelsArrayController;

// The units of the selected level, in the numeric order of their numbers. A unit is inserted
// directly after the selected one and the units after it move up by one; removing closes the gap.
class UnitsArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    UnitsArrayController(platform::ObjectContext* lessons, LevelsArrayController* levels,
                         platform::AlertPresenter& alerts, QObject* parent = nullptr);

    LevelsArrayController* levelsArrayController() const;

    // A new unit after the selected one (or as the level's first), then selected.
    bool add() override;
    // Gives `unit` the number after the unit at `selectedIndex` and to the selected level, with an
    // empty rule and the code "000"; the later units move up by one.
    void insertObject(platform::ManagedObject* unit, qsizetype selectedIndex) override;
    // Removes the selected units, renumbers and selects the unit before the first removed one.
    void remove() override;
    // Numbers the units shown 1, 2, 3 ... in display order.
    void updateUnitNumbersForUnit();
    // Selects the unit just inserted (position insertIndexString - 1).
    void doThisWithThis();
    // The number given to the last inserted unit.
    const QString& insertIndexString() const { return m_insertIndexString; }

    // Deletes the object with that identifier from the lessons context; an identifier that names
    // no object is reported to the user and changes nothing.
    bool deleteThisWordOfCoreData(const platform::ObjectID& objectID);

private:
    platform::AlertPresenter& m_alerts;
    QString m_insertIndexString;
};

} // namespace lexotrace
