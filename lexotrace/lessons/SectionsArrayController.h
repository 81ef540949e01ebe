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
    bool addSectionAtEnd();

    // Copy: the selected sections' rules, one a line, as plain text; with `wholeSections`
    // (Control alone in the sections table) also the sections as items a paste moves, with their
    // text forms in place of the rules. False, with the pasteboard emptied, when none is selected.
    bool prepareSectionsPasteboardForCopy(bool wholeSections);
    // The copy, then the selected sections removed and the rest renumbered from 0, in one undo
    // step.
    bool prepareSectionsPasteboardForCut(bool wholeSections);
    // Starts a paste into the selected sections: pasteIntoSelectedSections follows 0.1 seconds
    // later. False when there is no unit or nothing to paste.
    bool sectionsPasteboardForPaste();
    // The paste proper, in one undo step, after adding a section when none is selected. The k-th
    // copied section is moved onto the k-th selected one, as far as both lists go: its rule and
    // copies of its rows replace the target's (the replaced rows are deleted), and it is deleted
    // unless it is itself a target; the pasteboard is then emptied. Plain text instead gives the
    // k-th selected section the k-th line as its rule. A payload that cannot be read or a copied
    // section that no longer exists is told to the user and changes nothing.
    bool pasteIntoSelectedSections();
    // Empties the system pasteboard.
    void clearPasteboard();

signals:
    // The table showing the sections should scroll its selected row into view.
    void scrollSelectionToVisible();

private:
    bool hasUnit() const;
    QList<platform::ManagedObject*> selectedOrAddedSections();
    void moveSections(const QList<platform::ManagedObject*>& sources,
                      const QList<platform::ManagedObject*>& targets);
};

} // namespace lexotrace
