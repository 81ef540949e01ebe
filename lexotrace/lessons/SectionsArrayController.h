#pragma once

#include "platform/ArrayController.h"

namespace lexotrace
{

class UnitsArrayController;

// The sections of the selected unit, ordered by their numbers as text ("10" before "2"). Sections
// count from "0"; inserting moves the later ones up by one, removing leaves the numbers alone. The
// list may have no selection.
class SectionsArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    SectionsArrayController(platform::ObjectContext* lessons, UnitsArrayController* units,
                            QObject* parent = nullptr);

    UnitsArrayController* unitsArrayController() const;

    static QList<platform::SortDescriptor> sortSectionsBySectionNumber();

    // A new section after the selected one, or at the end of the list, then selected.
    bool add() override;
    // Gives `section` the number after the selected section and to the selected unit; the later
    // sections move up by one. Then selects position `requestedIndex` + 1.
    void insertObject(platform::ManagedObject* section, qsizetype requestedIndex) override;
    // Numbers the sections shown 0, 1, 2 ... in display order.
    void updateSectionNumbersForUnit();
    // A new, unnumbered section at the end of the list, selected.
    bool doThisTo();

signals:
    // The table showing the sections should scroll its selected row into view.
    void scrollSelectionToVisible();

private:
    bool hasUnit() const;
};

} // namespace lexotrace
