#include "platform/ArrayController.h"

#include <algorithm>

namespace platform
{

ArrayController::UndoGroup::UndoGroup(ObjectContext* context)
    : m_undo(context ? context->undoManager() : nullptr)
{
    if (m_undo)
        m_undo->beginUndoGrouping();
}

ArrayController::UndoGroup::~UndoGroup()
{
    if (m_undo)
        m_undo->endUndoGrouping();
}

ArrayController::ArrayController(ObjectContext* context, const QString& entityName, QObject* parent)
    : QObject(parent), m_context(context), m_entityName(entityName)
{
    if (m_context)
        connect(m_context, &ObjectContext::objectsDidChange, this,
                &ArrayController::rearrangeObjects);
    rearrangeObjects();
}

void ArrayController::setContentRelationship(ArrayController* master, const QString& relationship)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_relationship = relationship;
    // Another content: nothing of the old selection carries over.
    m_selection.clear();
    if (m_master)
        connect(m_master, &ArrayController::selectionChanged, this,
                &ArrayController::rearrangeObjects);
    rearrangeObjects();
}

void ArrayController::setSortDescriptors(const QList<SortDescriptor>& descriptors)
{
    m_sortDescriptors = descriptors;
    rearrangeObjects();
}

QList<ManagedObject*> ArrayController::readContent() const
{
    QList<ManagedObject*> content;
    if (!m_context)
        return content;
    if (m_master) {
        if (m_owner)
            for (ManagedObject* member : m_owner->toMany(m_relationship))
                if (!member->isDeleted())
                    content.append(member);
        return content;
    }
    return m_context->fetch(FetchRequest::all(m_entityName)).value_or(QList<ManagedObject*>{});
}

void ArrayController::rearrangeObjects()
{
    const QList<ManagedObject*> selectedBefore = selectedObjects();
    const QList<qsizetype> indexesBefore = m_selection;
    const qsizetype firstBefore = selectionIndex();

    ManagedObject* owner = m_master ? m_master->lastSelectedObject() : nullptr;
    if (owner && owner->isDeleted())
        owner = nullptr;
    const bool ownerChanged = owner != m_owner;
    m_owner = owner;
    m_arranged = readContent();
    sortObjects(m_arranged, m_sortDescriptors);

    QList<qsizetype> indexes;
    for (ManagedObject* object : selectedBefore) {
        const qsizetype at = m_arranged.indexOf(object);
        if (at >= 0)
            indexes.append(at);
    }
    if (indexes.isEmpty() && m_avoidsEmptySelection && !m_arranged.isEmpty()) {
        // A new master shows its first object; a removal leaves the selection where it was.
        const qsizetype at = ownerChanged || firstBefore == NotFound ? 0 : firstBefore;
        indexes.append(std::min(at, m_arranged.size() - 1));
    }
    std::sort(indexes.begin(), indexes.end());
    m_selection = indexes;
    emit arrangedObjectsChanged();
    if (m_selection != indexesBefore || selectedObjects() != selectedBefore)
        emit selectionChanged();
}

qsizetype ArrayController::selectionIndex() const
{
    return m_selection.isEmpty() ? NotFound : m_selection.first();
}

QList<ManagedObject*> ArrayController::selectedObjects() const
{
    QList<ManagedObject*> objects;
    for (qsizetype index : m_selection)
        objects.append(m_arranged[index]);
    return objects;
}

ManagedObject* ArrayController::lastSelectedObject() const
{
    return m_selection.isEmpty() ? nullptr : m_arranged[m_selection.last()];
}

void ArrayController::applySelection(QList<qsizetype> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (indexes == m_selection)
        return;
    m_selection = indexes;
    emit selectionChanged();
}

bool ArrayController::setSelectionIndexes(QList<qsizetype> indexes)
{
    for (qsizetype index : indexes)
        if (index < 0 || index >= m_arranged.size())
            return false;
    if (indexes.isEmpty() && m_avoidsEmptySelection && !m_arranged.isEmpty())
        return false;
    applySelection(std::move(indexes));
    return true;
}

bool ArrayController::setSelectionIndex(qsizetype index)
{
    return setSelectionIndexes({index});
}

bool ArrayController::setSelectedObjects(const QList<ManagedObject*>& objects)
{
    QList<qsizetype> indexes;
    for (ManagedObject* object : objects) {
        const qsizetype at = m_arranged.indexOf(object);
        if (at < 0)
            return false;
        indexes.append(at);
    }
    return setSelectionIndexes(indexes);
}

bool ArrayController::selectNext()
{
    const qsizetype index = selectionIndex();
    return index != NotFound && setSelectionIndex(index + 1);
}

ManagedObject* ArrayController::newObject()
{
    return m_context ? m_context->insertNewObject(m_entityName) : nullptr;
}

void ArrayController::addObject(ManagedObject* object)
{
    if (!object)
        return;
    if (m_owner)
        m_owner->addToMany(m_relationship, object);
    rearrangeObjects();
    if (m_selectsInsertedObjects)
        setSelectedObjects({object});
}

void ArrayController::insertObject(ManagedObject* object, qsizetype arrangedIndex)
{
    if (!object)
        return;
    if (m_owner)
        m_owner->addToMany(m_relationship, object);
    if (m_arranged.contains(object))
        return;
    const qsizetype at = std::clamp<qsizetype>(arrangedIndex, 0, m_arranged.size());
    m_arranged.insert(at, object);
    for (qsizetype& index : m_selection)
        if (index >= at)
            ++index;
    emit arrangedObjectsChanged();
    if (m_selectsInsertedObjects)
        setSelectionIndex(at);
}

void ArrayController::removeObjects(const QList<ManagedObject*>& objects)
{
    if (!m_context || objects.isEmpty())
        return;
    UndoGroup group(m_context);
    for (ManagedObject* object : objects)
        m_context->deleteObject(object);
    rearrangeObjects();
}

bool ArrayController::add()
{
    // A list that follows a master has nowhere to put an object while the master selects none.
    if (m_master && !m_owner)
        return false;
    UndoGroup group(m_context);
    ManagedObject* object = newObject();
    if (!object)
        return false;
    addObject(object);
    return true;
}

void ArrayController::remove()
{
    removeObjects(selectedObjects());
}

} // namespace platform
