#pragma once

#include "platform/ArrayController.h"
#include "platform/ui/Alerts.h"

#include <QPointer>
#include <QWidget>

namespace lexotrace
{

class SectionsArrayController;

// The rows of related words of the selected section, ordered by their first word.
class RelatedWordsArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    RelatedWordsArrayController(platform::ObjectContext* lessons, SectionsArrayController* sections,
                                platform::AlertPresenter& alerts, QObject* parent = nullptr);

    SectionsArrayController* sectionsArrayController() const;
    // The window on which the no-section sheet is shown (the lessons table's window).
    void setSheetWindow(QWidget* window) { m_sheetWindow = window; }

    // An empty row in the selected section; without a section the user is told and nothing is
    // added.
    bool add() override;
    // A row whose first word is `word`, in the selected section (a word dragged in from the
    // analysis); refused like add() when there is no section.
    bool addFromMissedWordDragNDrop(const QString& word);
    // The bit1 of the first row of the section's set; null when it has no rows.
    static QString deriveBitFromSectionRule(const platform::ManagedObject* section);

    // Copy: the selected rows as items a paste moves, with their word strings, one a line, as
    // plain text. False when no row is selected; the pasteboard is then left as it was.
    bool prepareRelatedWordsPasteboardForCopy();
    // The copy, then the selected rows removed, in one undo step.
    bool prepareRelatedWordsPasteboardForCut();
    // Moves the k-th copied row onto the k-th selected row, as far as both lists go, in one undo
    // step: its words and bits replace the target's and it is deleted unless it is itself a
    // target. Plain text is not pasted into rows, and the pasteboard is kept. A payload that
    // cannot be read or a copied row that no longer exists (as after an earlier paste of the same
    // copy) is told to the user and changes nothing.
    bool relatedWordsPasteboardForPaste();

private:
    platform::ManagedObject* addRow();
    void tellThereIsNoSection();

    platform::AlertPresenter& m_alerts;
    QPointer<QWidget> m_sheetWindow;
};

} // namespace lexotrace
