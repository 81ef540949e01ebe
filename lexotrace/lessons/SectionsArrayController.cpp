#include "lexotrace/lessons/SectionsArrayController.h"

#include "lexotrace/lessons/LessonClipboard.h"
#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "model/OrthovaModel.h"

#include <QTimer>

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

bool SectionsArrayController::addSectionAtEnd()
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

bool SectionsArrayController::prepareSectionsPasteboardForCopy(bool wholeSections)
{
    LessonClipboard::clear();
    const QList<ManagedObject*> sections = selectedObjects();
    if (sections.isEmpty())
        return false;
    QStringList rules;
    QStringList texts;
    for (const ManagedObject* section : sections) {
        rules << lessonPasteboard::shallowCopyString(*section);
        texts << lessonPasteboard::deepCopyString(*section);
    }
    if (!wholeSections) {
        LessonClipboard::putText(rules.join(u'\n'));
        return true;
    }
    return LessonClipboard::putItems(lessonPasteboard::SectionsDataType, sections,
                                     texts.join(u'\n'));
}

bool SectionsArrayController::prepareSectionsPasteboardForCut(bool wholeSections)
{
    if (!prepareSectionsPasteboardForCopy(wholeSections))
        return false;
    LessonClipboard::closeOpenUndoStep(context());
    UndoGroup group(context());
    const qsizetype before = arrangedObjects().size();
    ArrayController::remove();
    qCInfo(lcLessons, "arrayCount1: %lld  arrayCount2: %lld", qlonglong(before),
           qlonglong(arrangedObjects().size()));
    updateSectionNumbersForUnit();
    return true;
}

bool SectionsArrayController::sectionsPasteboardForPaste()
{
    if (!hasUnit() || (!LessonClipboard::offersItems(lessonPasteboard::SectionsDataType) &&
                       !LessonClipboard::offeredText()))
        return false;
    // Lets a section the window has just added settle into the list first.
    QTimer::singleShot(100, this, &SectionsArrayController::pasteIntoSelectedSections);
    return true;
}

bool SectionsArrayController::pasteIntoSelectedSections()
{
    UnitsArrayController* units = unitsArrayController();
    if (!hasUnit() || !context() || !units)
        return false;
    if (LessonClipboard::offersItems(lessonPasteboard::SectionsDataType)) {
        const auto sources =
            LessonClipboard::copiedItems(lessonPasteboard::SectionsDataType,
                                         model::entity::Sections, *context(), units->alerts());
        if (!sources)
            return false;
        // Without a selection the paste goes into one new section.
        const qsizetype targetCount = std::max<qsizetype>(selectedObjects().size(), 1);
        if (!LessonClipboard::allStillExist(sources->first(std::min(sources->size(), targetCount)),
                                            units->alerts()))
            return false;
        LessonClipboard::closeOpenUndoStep(context());
        UndoGroup group(context());
        const QList<ManagedObject*> targets = selectedOrAddedSections();
        const qsizetype pairs = std::min(sources->size(), targets.size());
        if (pairs == 0)
            return false;
        moveSections(sources->first(pairs), targets.first(pairs));
        LessonClipboard::clear();
        return true;
    }
    const auto text = LessonClipboard::offeredText();
    if (!text)
        return false;
    LessonClipboard::closeOpenUndoStep(context());
    UndoGroup group(context());
    const QList<ManagedObject*> targets = selectedOrAddedSections();
    const QStringList lines = text->split(u'\n');
    for (qsizetype k = 0; k < std::min(lines.size(), targets.size()); ++k)
        targets[k]->setValue(key::rule, lines[k]);
    return true;
}

QList<ManagedObject*> SectionsArrayController::selectedOrAddedSections()
{
    if (selectedObjects().isEmpty())
        add();
    return selectedObjects();
}

void SectionsArrayController::moveSections(const QList<ManagedObject*>& sources,
                                           const QList<ManagedObject*>& targets)
{
    Q_ASSERT(sources.size() == targets.size());
    platform::ObjectContext& lessons = *context();
    // Read every source before writing, since a source may also be a target.
    struct Content {
        QVariant rule;
        QList<LessonClipboard::RowWords> rows;
    };
    QList<Content> contents;
    for (const ManagedObject* source : sources) {
        Content content{source->value(key::rule), {}};
        for (const ManagedObject* row : source->toMany(key::relatedWords))
            if (!row->isDeleted())
                content.rows.append(LessonClipboard::rowWords(*row));
        contents.append(content);
    }
    for (qsizetype k = 0; k < sources.size(); ++k) {
        ManagedObject* target = targets[k];
        if (sources[k] == target)
            continue;
        target->setValue(key::rule, contents[k].rule);
        // The replaced rows go rather than stay behind unreachable.
        for (ManagedObject* row : target->toMany(key::relatedWords))
            lessons.deleteObject(row);
        for (const LessonClipboard::RowWords& words : contents[k].rows) {
            ManagedObject* row = lessons.insertNewObject(model::entity::RelatedWords);
            LessonClipboard::setRowWords(*row, words);
            row->setToOne(key::section, target);
            qCInfo(lcLessons).noquote() << "newRelatedWordsObject:" << row->objectID().uriString();
        }
        qCInfo(lcLessons).noquote()
            << "newSelectedSectionObject:" << target->objectID().uriString();
    }
    for (ManagedObject* source : sources)
        if (!targets.contains(source))
            lessons.deleteObject(source);
    rearrangeObjects();
    setSelectedObjects(targets);
}

void SectionsArrayController::clearPasteboard()
{
    LessonClipboard::clear();
}

} // namespace lexotrace
