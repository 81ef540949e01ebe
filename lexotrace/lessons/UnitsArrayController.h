#pragma once

#include "platform/ArrayController.h"
#include "platform/ui/Alerts.h"

#include <QString>

#include <optional>

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
    void selectInsertedUnit();
    // The number given to the last inserted unit.
    const QString& insertIndexString() const { return m_insertIndexString; }

    // Deletes the object with that identifier from the lessons context; an identifier that names
    // no object is reported to the user and changes nothing.
    bool deleteThisWordOfCoreData(const platform::ObjectID& objectID);

    // Copy: with `wholeUnit` (Control alone in the rule text view) the last selected unit as an
    // item a paste moves, with its text form; otherwise `selectedRuleText` as plain text. False
    // when a whole unit is asked for and none is selected; then nothing is copied.
    bool prepareUnitsPasteboardForCopy(bool wholeUnit, const QString& selectedRuleText);
    // The copy, then the selected units removed and the rest renumbered, in one undo step.
    bool prepareUnitsPasteboardForCut(bool wholeUnit, const QString& selectedRuleText);
    // Moves a copied unit onto the selected unit: its rule, code, sections and rows replace the
    // selected unit's (the replaced sections are deleted), the copied unit is deleted, the units
    // are renumbered and the pasteboard emptied, in one undo step. When the pasteboard holds
    // plain text only, that text is the result, for the rule text view to insert in place of its
    // selection. A payload that cannot be read or a unit that no longer exists is told to the
    // user and changes nothing; a paste onto the copied unit itself changes nothing.
    std::optional<QString> unitsPasteboardForPaste();
    // Empties the system pasteboard.
    void clearPasteboard();

    // Where the lesson lists tell the user of failures.
    platform::AlertPresenter& alerts() const { return m_alerts; }

private:
    void moveUnit(platform::ManagedObject* source, platform::ManagedObject* target);

    platform::AlertPresenter& m_alerts;
    QString m_insertIndexString;
};

} // namespace lexotrace
