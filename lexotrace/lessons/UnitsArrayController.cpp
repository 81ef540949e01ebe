#include "lexotrace/lessons/UnitsArrayController.h"

#include "lexotrace/lessons/LessonClipboard.h"
#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "model/NumberText.h"
#include "model/OrthovaModel.h"
#include "platform/store/StoreError.h"

#include <QTimer>

namespace lexotrace
{

namespace key = model::key;
namespace entity = model::entity;
using platform::ManagedObject;

namespace
{

QList<ManagedObject*> liveMembers(const ManagedObject& owner, const QString& relationship)
{
    QList<ManagedObject*> members;
    for (ManagedObject* member : owner.toMany(relationship))
        if (!member->isDeleted())
            members.append(member);
    return members;
}

// Numbers a level's units 1, 2, 3 ... in their numeric order.
void renumberUnitsOfLevel(const ManagedObject& level)
{
    QList<ManagedObject*> units = liveMembers(level, key::units);
    platform::sortObjects(units, {{key::unitNumber, true, platform::Comparison::Numeric}});
    for (qsizetype p = 0; p < units.size(); ++p)
        units[p]->setValue(key::unitNumber, QString::number(p + 1));
}

} // namespace

UnitsArrayController::UnitsArrayController(platform::ObjectContext* lessons,
                                           LevelsArrayController* levels,
                                           platform::AlertPresenter& alerts, QObject* parent)
    : ArrayController(lessons, model::entity::Unit, parent), m_alerts(alerts)
{
    setSortDescriptors({{key::unitNumber, true, platform::Comparison::Numeric}});
    setContentRelationship(levels, key::units);
}

LevelsArrayController* UnitsArrayController::levelsArrayController() const
{
    return qobject_cast<LevelsArrayController*>(master());
}

bool UnitsArrayController::add()
{
    // A unit belongs to a level: without one selected there is nowhere to put it.
    if (!master() || !master()->lastSelectedObject())
        return false;
    UndoGroup group(context());
    ManagedObject* unit = newObject();
    if (!unit)
        return false;
    const qsizetype selected = selectionIndex();
    if (selected != NotFound)
        insertObject(unit, selected);
    else
        insertObject(unit, arrangedObjects().size() - 1);
    rearrangeObjects();
    setSelectedObjects({unit});
    return true;
}

void UnitsArrayController::insertObject(ManagedObject* unit, qsizetype selectedIndex)
{
    ManagedObject* level = master() ? master()->lastSelectedObject() : nullptr;
    if (!unit || !level)
        return;
    UndoGroup group(context());
    const QList<ManagedObject*> units = arrangedObjects();
    const qsizetype n = units.size();
    const qsizetype s = std::clamp<qsizetype>(selectedIndex, 0, std::max<qsizetype>(n - 1, 0));
    // Unit p carries p + 1; those after the selected one move up by one.
    for (qsizetype p = s + 1; p < n; ++p)
        units[p]->setValue(key::unitNumber, QString::number(p + 2));
    unit->setToOne(key::level, level);
    unit->setValue(key::generalRule, QStringLiteral(""));
    unit->setValue(key::generalRuleCode, QStringLiteral("000"));
    m_insertIndexString = QString::number(n > 0 ? s + 2 : s + 1);
    selectNext();
    unit->setValue(key::unitNumber, m_insertIndexString);
    qCInfo(lcLessons).noquote() << "insertIndexString :" << m_insertIndexString;
    // The list re-sorts when the context announces the change; select the new unit after that.
    QTimer::singleShot(0, this, &UnitsArrayController::selectInsertedUnit);
}

void UnitsArrayController::remove()
{
    const QList<ManagedObject*> selected = selectedObjects();
    if (selected.isEmpty())
        return;
    UndoGroup group(context());
    const qsizetype first = selectionIndex();
    const bool removesLast = selectionIndexes().last() == arrangedObjects().size() - 1;
    removeObjects(selected);
    updateUnitNumbersForUnit();
    const qsizetype n = arrangedObjects().size();
    if (n == 0)
        return;
    // The unit before the removed one; after the last, the new last; after the first, the new
    // first.
    setSelectionIndex(removesLast ? n - 1 : std::max<qsizetype>(first - 1, 0));
}

void UnitsArrayController::updateUnitNumbersForUnit()
{
    UndoGroup group(context());
    const QList<ManagedObject*>& units = arrangedObjects();
    for (qsizetype p = 0; p < units.size(); ++p)
        units[p]->setValue(key::unitNumber, QString::number(p + 1));
}

void UnitsArrayController::selectInsertedUnit()
{
    rearrangeObjects();
    setSelectionIndex(qsizetype(model::intValue(m_insertIndexString)) - 1);
}

bool UnitsArrayController::deleteThisWordOfCoreData(const platform::ObjectID& objectID)
{
    platform::StoreError error;
    ManagedObject* object = context() ? context()->existingObjectWithID(objectID, &error) : nullptr;
    if (!object) {
        if (!error.isError())
            error = platform::StoreError::make(platform::StoreError::NoStore,
                                               tr("There is no lessons store."));
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return false;
    }
    qCInfo(lcLessons).noquote() << "thisObject:" << object->objectID().uriString();
    UndoGroup group(context());
    context()->deleteObject(object);
    rearrangeObjects();
    return true;
}

bool UnitsArrayController::prepareUnitsPasteboardForCopy(bool wholeUnit,
                                                         const QString& selectedRuleText)
{
    if (!wholeUnit) {
        LessonClipboard::putText(selectedRuleText);
        return true;
    }
    LessonClipboard::clear();
    ManagedObject* unit = lastSelectedObject();
    return unit && LessonClipboard::putItems(lessonPasteboard::UnitsDataType, {unit},
                                             lessonPasteboard::deepCopyString(*unit));
}

bool UnitsArrayController::prepareUnitsPasteboardForCut(bool wholeUnit,
                                                        const QString& selectedRuleText)
{
    if (!prepareUnitsPasteboardForCopy(wholeUnit, selectedRuleText))
        return false;
    LessonClipboard::closeOpenUndoStep(context());
    remove();
    return true;
}

std::optional<QString> UnitsArrayController::unitsPasteboardForPaste()
{
    if (!LessonClipboard::offersItems(lessonPasteboard::UnitsDataType))
        return LessonClipboard::offeredText();
    ManagedObject* target = lastSelectedObject();
    if (!target || !context())
        return std::nullopt;
    const auto items = LessonClipboard::copiedItems(lessonPasteboard::UnitsDataType, entity::Unit,
                                                    *context(), m_alerts);
    if (!items || !LessonClipboard::allStillExist({items->last()}, m_alerts))
        return std::nullopt;
    // Moving a unit onto itself would only delete it.
    if (items->last() != target) {
        LessonClipboard::closeOpenUndoStep(context());
        moveUnit(items->last(), target);
        LessonClipboard::clear();
    }
    return std::nullopt;
}

void UnitsArrayController::moveUnit(ManagedObject* source, ManagedObject* target)
{
    UndoGroup group(context());
    platform::ObjectContext& lessons = *context();
    target->setValue(key::generalRule, source->value(key::generalRule));
    target->setValue(key::generalRuleCode, source->value(key::generalRuleCode));
    // The replaced sections go, with their rows, rather than stay behind unreachable.
    for (ManagedObject* section : liveMembers(*target, key::sections))
        lessons.deleteObject(section);
    for (const ManagedObject* section : liveMembers(*source, key::sections)) {
        ManagedObject* newSection = lessons.insertNewObject(entity::Sections);
        newSection->setValue(key::sectionNumber, section->value(key::sectionNumber));
        newSection->setValue(key::rule, section->value(key::rule));
        newSection->setToOne(key::unit, target);
        for (const ManagedObject* row : liveMembers(*section, key::relatedWords)) {
            ManagedObject* newRow = lessons.insertNewObject(entity::RelatedWords);
            LessonClipboard::setRowWords(*newRow, LessonClipboard::rowWords(*row));
            newRow->setToOne(key::section, newSection);
        }
    }
    ManagedObject* sourceLevel = source->toOne(key::level);
    lessons.deleteObject(source);
    rearrangeObjects();
    updateUnitNumbersForUnit();
    // A unit moved from another level leaves a gap there too.
    if (sourceLevel && sourceLevel != target->toOne(key::level))
        renumberUnitsOfLevel(*sourceLevel);
    rearrangeObjects();
    setSelectedObjects({target});
}

void UnitsArrayController::clearPasteboard()
{
    LessonClipboard::clear();
}

} // namespace lexotrace
