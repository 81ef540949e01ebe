#pragma once

#include "lexotrace/lessons/UnitsArrayController.h"
#include "platform/ArrayController.h"

#include <QPointer>

namespace lexotrace
{

// Every level of the lessons store, in the numeric order of their numbers. Adding a level gives it
// the next number and a first unit; removing one closes the gap.
class LevelsArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    // How long an added level waits before it is selected, so that the lists have settled.
    static constexpr int kSelectNewLevelDelayMs = 500;

    explicit LevelsArrayController(platform::ObjectContext* lessons, QObject* parent = nullptr);

    void setUnitsArrayController(UnitsArrayController* units) { m_units = units; }
    UnitsArrayController* unitsArrayController() const { return m_units; }

    // Appends a level numbered after the last, with unit "1" whose rule code follows the last
    // code of the curriculum.
    bool add() override;
    // Removes the selected levels, renumbers the rest and selects the level before.
    void remove() override;
    // Numbers the levels 1, 2, 3 ... in display order.
    void updateLevelNumbersForLevel();
    // The general-rule code of the last unit of the last level; null when there is none.
    QString getLastRuleCode() const;
    // Selects the last level.
    void selectLastLevel();

private:
    QPointer<UnitsArrayController> m_units;
};

} // namespace lexotrace
