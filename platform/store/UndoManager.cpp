#include "platform/store/UndoManager.h"

#include <QTimer>

namespace platform
{

UndoManager::UndoManager(QObject* parent) : QObject(parent) {}

void UndoManager::registerUndo(Action action)
{
    if (m_disabled > 0 || !action)
        return;
    if (m_mode != Mode::Normal) {
        // Inside undo or redo: the actions of the group being built.
        m_open.push_back(std::move(action));
        return;
    }
    if (m_level == 0) {
        if (!m_groupsByEvent) {
            m_undo.push_back(Group{std::move(action)});
            m_redo.clear();
            emit changed();
            return;
        }
        m_level = 1;
        m_autoGroupOpen = true;
        QTimer::singleShot(0, this, [this] {
            if (m_autoGroupOpen && m_level == 1)
                closeOpenGroup();
        });
    }
    m_open.push_back(std::move(action));
    m_redo.clear();
}

void UndoManager::beginUndoGrouping()
{
    ++m_level;
}

void UndoManager::endUndoGrouping()
{
    if (m_level == 0)
        return;
    if (--m_level == 0)
        closeOpenGroup();
}

void UndoManager::closeEventGroup()
{
    if (m_autoGroupOpen && m_level == 1)
        closeOpenGroup();
}

void UndoManager::closeOpenGroup()
{
    m_level = 0;
    m_autoGroupOpen = false;
    if (m_open.empty())
        return;
    m_undo.push_back(std::move(m_open));
    m_open.clear();
    emit changed();
}

bool UndoManager::canUndo() const
{
    return !m_undo.empty() || !m_open.empty();
}

void UndoManager::runGroup(Group group, Mode mode)
{
    m_mode = mode;
    m_open.clear();
    for (auto it = group.rbegin(); it != group.rend(); ++it)
        (*it)();
    Group inverse = std::move(m_open);
    m_open.clear();
    m_mode = Mode::Normal;
    if (inverse.empty())
        return;
    if (mode == Mode::Undoing)
        m_redo.push_back(std::move(inverse));
    else
        m_undo.push_back(std::move(inverse));
}

void UndoManager::undo()
{
    if (m_mode != Mode::Normal)
        return;
    if (m_level > 0)
        closeOpenGroup();
    if (m_undo.empty())
        return;
    Group group = std::move(m_undo.back());
    m_undo.pop_back();
    runGroup(std::move(group), Mode::Undoing);
    emit changed();
}

void UndoManager::redo()
{
    if (m_mode != Mode::Normal || m_redo.empty())
        return;
    if (m_level > 0)
        closeOpenGroup();
    Group group = std::move(m_redo.back());
    m_redo.pop_back();
    runGroup(std::move(group), Mode::Redoing);
    emit changed();
}

void UndoManager::removeAllActions()
{
    m_undo.clear();
    m_redo.clear();
    m_open.clear();
    m_level = 0;
    m_autoGroupOpen = false;
    emit changed();
}

} // namespace platform
