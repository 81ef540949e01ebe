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

private:
    platform::ManagedObject* addRow();
    void tellThereIsNoSection();

    platform::AlertPresenter& m_alerts;
    QPointer<QWidget> m_sheetWindow;
};

} // namespace lexotrace
