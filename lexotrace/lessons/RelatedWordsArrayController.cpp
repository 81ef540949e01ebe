#include "lexotrace/lessons/RelatedWordsArrayController.h"

#include "lexotrace/lessons/LessonClipboard.h"
#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "model/OrthovaModel.h"

namespace lexotrace
{

namespace key = model::key;
using platform::ManagedObject;

RelatedWordsArrayController::RelatedWordsArrayController(platform::ObjectContext* lessons,
                                                         SectionsArrayController* sections,
                                                         platform::AlertPresenter& alerts,
                                                         QObject* parent)
    : ArrayController(lessons, model::entity::RelatedWords, parent), m_alerts(alerts)
{
    setSortDescriptors({{model::key::word(1), true, platform::Comparison::Plain}});
    setContentRelationship(sections, key::relatedWords);
}

SectionsArrayController* RelatedWordsArrayController::sectionsArrayController() const
{
    return qobject_cast<SectionsArrayController*>(master());
}

ManagedObject* RelatedWordsArrayController::addRow()
{
    ManagedObject* section = master() ? master()->lastSelectedObject() : nullptr;
    if (!section || !context()) {
        tellThereIsNoSection();
        return nullptr;
    }
    ManagedObject* row = newObject();
    if (row) {
        addObject(row);
    }
    return row;
}

bool RelatedWordsArrayController::add()
{
    UndoGroup group(context());
    return addRow() != nullptr;
}

bool RelatedWordsArrayController::addFromMissedWordDragNDrop(const QString& word)
{
    UndoGroup group(context());
    ManagedObject* row = addRow();
    if (!row)
        return false;
    // A missing word stays absent rather than becoming an empty one.
    if (!word.isNull())
        row->setValue(key::word(1), word);
    rearrangeObjects();
    return true;
}

QString RelatedWordsArrayController::deriveBitFromSectionRule(const ManagedObject* section)
{
    if (!section)
        return {};
    for (const ManagedObject* row : section->toMany(key::relatedWords))
        if (!row->isDeleted())
            return row->string(key::bit(1));
    return {};
}

bool RelatedWordsArrayController::prepareRelatedWordsPasteboardForCopy()
{
    const QList<ManagedObject*> rows = selectedObjects();
    if (rows.isEmpty())
        return false;
    QStringList texts;
    for (const ManagedObject* row : rows)
        texts << lessonPasteboard::wordString(*row);
    return LessonClipboard::putItems(lessonPasteboard::RelatedWordsDataType, rows,
                                     texts.join(u'\n'));
}

bool RelatedWordsArrayController::prepareRelatedWordsPasteboardForCut()
{
    if (!prepareRelatedWordsPasteboardForCopy())
        return false;
    LessonClipboard::closeOpenUndoStep(context());
    removeObjects(selectedObjects());
    return true;
}

bool RelatedWordsArrayController::relatedWordsPasteboardForPaste()
{
    const QList<ManagedObject*> targets = selectedObjects();
    if (!LessonClipboard::offersItems(lessonPasteboard::RelatedWordsDataType) ||
        targets.isEmpty() || !context())
        return false;
    const auto copied = LessonClipboard::copiedItems(
        lessonPasteboard::RelatedWordsDataType, model::entity::RelatedWords, *context(), m_alerts);
    if (!copied)
        return false;
    const QList<ManagedObject*> sources = copied->first(std::min(copied->size(), targets.size()));
    if (!LessonClipboard::allStillExist(sources, m_alerts))
        return false;
    // Read every source before writing, since a source may also be a target.
    QList<LessonClipboard::RowWords> words;
    for (const ManagedObject* source : sources)
        words.append(LessonClipboard::rowWords(*source));
    LessonClipboard::closeOpenUndoStep(context());
    UndoGroup group(context());
    for (qsizetype k = 0; k < sources.size(); ++k)
        LessonClipboard::setRowWords(*targets[k], words[k]);
    for (ManagedObject* source : sources)
        if (!targets.contains(source))
            context()->deleteObject(source);
    rearrangeObjects();
    setSelectedObjects(targets);
    return true;
}

void RelatedWordsArrayController::tellThereIsNoSection()
{
    m_alerts.beginSheet({tr("Please create a unit rule for your imported word."),
                         tr("If none of the rules showing are appropriate, you may create a new "
                            "one."),
                         {tr("OK")}},
                        m_sheetWindow, [](int) { qCInfo(lcLessons) << "Success"; });
}

} // namespace lexotrace
