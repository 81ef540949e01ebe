#pragma once

#include <QObject>

#include <functional>
#include <vector>

namespace platform
{

// Records undo actions in groups. While grouping by event, the first registration of an event-loop
// turn opens a group and the group closes when control returns to the loop, so one user action is
// one undo step. Undoing a group records its redo actions, and the other way round.
class UndoManager : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void()>;

    explicit UndoManager(QObject* parent = nullptr);

    void registerUndo(Action action);

    void beginUndoGrouping();
    void endUndoGrouping();
    // Ends the group of the current event-loop turn now, so that what follows is a step of its own.
    void closeEventGroup();
    int groupingLevel() const { return m_level; }
    void setGroupsByEvent(bool on) { m_groupsByEvent = on; }

    bool canUndo() const;
    bool canRedo() const { return !m_redo.empty(); }
    void undo();
    void redo();
    bool isUndoing() const { return m_mode == Mode::Undoing; }
    bool isRedoing() const { return m_mode == Mode::Redoing; }
    void removeAllActions();

    void disableUndoRegistration() { ++m_disabled; }
    void enableUndoRegistration()
    {
        if (m_disabled > 0)
            --m_disabled;
    }
    bool isUndoRegistrationEnabled() const { return m_disabled == 0; }

signals:
    void changed();

private:
    using Group = std::vector<Action>;
    enum class Mode { Normal, Undoing, Redoing };

    void closeOpenGroup();
    void runGroup(Group group, Mode mode);

    std::vector<Group> m_undo;
    std::vector<Group> m_redo;
    Group m_open;
    int m_level = 0;
    bool m_autoGroupOpen = false;
    bool m_groupsByEvent = true;
    int m_disabled = 0;
    Mode m_mode = Mode::Normal;
};

} // namespace platform
