#include "lexotrace/lessons/SectionsArrayController.h"

#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "model/OrthovaModel.h"

namespace lexotrace
{

namespace key = model::key;
using platform::ManagedObject;

SectionsArrayController::SectionsArrayController(platform::ObjectContext* lessons,
                                                 UnitsArrayController* units, QObject* parent)
    : ArrayController(lessons, model::entity::Sections, parent)
{
    setAvoidsEmptySelection(false);
    setSortDescriptors(sortSectionsBySectionNumber());
    setContentRelationship(units, key::sections);
}

UnitsArrayController* SectionsArrayController::unitsArrayController() const
{
    return qobject_cast<UnitsArrayController*>(master());
}

QList<platform::SortDescriptor> SectionsArrayController::sortSectionsBySectionNumber()
{
    return {{key::sectionNumber, true, platform::Comparison::Plain}};
}

bool SectionsArrayController::hasUnit() const
{
    return master() && master()->lastSelectedObject();
}

bool SectionsArrayController::add()
{
    // A section belongs to a unit: without one selected there is nowhere to put it.
    if (!hasUnit())
        return false;
    UndoGroup group(context());
    ManagedObject* section = newObject();
    if (!section)
        return false;
    const qsizetype rows = arrangedObjects().size();
    if (selectionIndex() != NotFound)
        insertObject(section, rows);
    else if (rows > 0)
        ArrayController::insertObject(section, rows);
    else
        insertObject(section, 0);
    rearrangeObjects();
    setSelectedObjects({section});
    emit scrollSelectionToVisible();
    return true;
}

void SectionsArrayController::insertObject(ManagedObject* section, qsizetype requestedIndex)
{
    ManagedObject* unit = master() ? master()->lastSelectedObject() : nullptr;
    if (!section || !unit)
        return;
    UndoGroup group(context());
    const qsizetype selected = selectionIndex();
    const qsizetype s = selected == NotFound ? 0 : selected;
    QList<ManagedObject*> sections = arrangedObjects();
    platform::sortObjects(sections, sortSectionsBySectionNumber());
    // Section p carries p; those after the selected one move up by one.
    for (qsizetype p = s + 1; p < sections.size(); ++p)
        sections[p]->setValue(key::sectionNumber, QString::number(p + 1));
    section->setValue(key::sectionNumber, QString::number(s + 1));
    section->setToOne(key::unit, unit);
    rearrangeObjects();
    setSelectionIndex(requestedIndex + 1);
}

void SectionsArrayController::updateSectionNumbersForUnit()
{
    UndoGroup group(context());
    const QList<ManagedObject*>& sections = arrangedObjects();
    for (qsizetype p = 0; p < sections.size(); ++p)
        sections[p]->setValue(key::sectionNumber, QString::number(p));
}

bool SectionsArrayController::doThisTo()
{
    if (!hasUnit())
        return false;
    const qsizetype rows = arrangedObjects().size();
    qCInfo(lcLessons).noquote() << "bottumRowInt:" << rows;
    UndoGroup group(context());
    ManagedObject* section = newObject();
    if (!section)
        return false;
    ArrayController::insertObject(section, rows);
    setSelectedObjects({section});
    return true;
}

} // namespace lexotrace
