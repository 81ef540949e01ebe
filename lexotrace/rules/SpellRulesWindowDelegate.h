#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QMimeData;
class QPagedPaintDevice;

namespace platform
{
class AlertPresenter;
class NotificationCenter;
class UndoManager;
} // namespace platform

namespace lexotrace
{

class RulesArrayController;
class SpellRuleCoreDataAppDelegate;
class SpellRulesWindowController;

// What the rules window does beyond its table: save, revert, undo and redo, the question when it
// closes with changes, which commands are enabled, the printed table, the dragged rule, and the
// lesson asked for from the reference pop-up.
class SpellRulesWindowDelegate : public QObject
{
    Q_OBJECT
public:
    enum class Action { Revert, Save, Undo, Redo, Remove, EditRules, Other };

    SpellRulesWindowDelegate(SpellRulesWindowController& controller, RulesArrayController& rules,
                             SpellRuleCoreDataAppDelegate& store, platform::AlertPresenter& alerts,
                             platform::NotificationCenter& notifications, QWidget* window);

    void revertAction();
    // Saves the rules; false (the store has told the user) when they could not be saved.
    bool saveAction();
    void undo();
    void redo();
    platform::UndoManager* windowWillReturnUndoManager() const;
    bool changesWereMade() const;
    // With unsaved changes, asks whether to save them ("OK") or drop them ("Cancel"); the window
    // closes either way.
    void windowShouldClose();
    void setWindowIsKey(bool key) { m_windowIsKey = key; }
    bool validateUserInterfaceItem(Action action) const;

    // Every rule in table order: code, rule and its lessons, three spaces apart.
    QString printText();
    bool printToDevice(QPagedPaintDevice& device);

    // The pop-up shows the references of the last selected rule.
    void tableViewRowsSelected();
    // Asks the lessons window for the lesson the pop-up shows.
    void popUpMenuItemsResponder();
    // The pop-up's choice: the lessons window is shown, then asked again on the next turn so
    // that a window only just made receives the request too.
    void selectPopUpMenuItems();
    // Something dropped on the window: a file starts the rules import of that file; anything else
    // is taken and left alone.
    void performDragOperation(const QMimeData& data);
    // The last selected rule as a drag payload; false when no rule is selected.
    bool writeRulesToPasteboard(QMimeData& data) const;

private:
    SpellRulesWindowController& m_controller;
    RulesArrayController& m_rules;
    SpellRuleCoreDataAppDelegate& m_store;
    platform::AlertPresenter& m_alerts;
    platform::NotificationCenter& m_notifications;
    QPointer<QWidget> m_window;
    bool m_windowIsKey = false;
};

} // namespace lexotrace
