#pragma once

#include "typewarden/app/WordPairArrayController.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcAgentWindow)

class QAction;
class QMainWindow;
class QMenu;
class QSystemTrayIcon;
class QTableView;
class QToolButton;

namespace platform
{
class AlertPresenter;
}

namespace typewarden
{

class TypewardenModel;

// The status item with its menu, and the list window of captured pairs with its commands.
class TypewardenWindowController : public QObject
{
    Q_OBJECT
public:
    // The menu commands whose enabled state depends on the list.
    enum class MenuAction {
        Toggle,
        OpenPanel,
        RetractPanel,
        Save,
        Undo,
        Redo,
        OpenWindow,
        CloseWindow,
        Other
    };

    static constexpr double kExpandedHeight = 544.0;
    static constexpr double kWidth = 216.0;

    TypewardenWindowController(TypewardenModel& model, platform::AlertPresenter& alerts);
    ~TypewardenWindowController() override;

    // Creates the status item (or, without a tray, opens the list window) and sorts the list.
    void wake();

    bool validateMenuItem(MenuAction action) const;

    void openSpellingListWindow();
    void closeSpellingListWindow();
    // The list window's own close: asks first when there are unsaved pairs.
    bool windowShouldClose();
    // "Over write?": OK saves (true), anything else discards the unsaved pairs (false).
    bool showSaveListPanelFromSource();
    void saveAction();
    void revertAction();
    void undo();
    void redo();
    void toggleLastCorrection();
    void deleteSelection();
    void copy();
    QString copyText() const;
    void selectEveryRowInErrorListTable();
    void toggle(bool expand);
    void openErrorListPanel();
    void retractErrorListPanel();
    void scrollToEndOfTableViewList();
    bool wordPairArrayControllerSaveContext();
    bool changesWereMade() const;

    QMainWindow* window() const { return m_window.get(); }
    QTableView* tableView() const { return m_table; }
    WordPairArrayController& wordPairArrayController() { return *m_pairs; }
    QSystemTrayIcon* statusItem() const { return m_statusItem.get(); }
    QMenu* statusMenu() const { return m_statusMenu.get(); }
    bool errorListWindowState() const { return m_errorListWindowState; }
    bool errorListPanelState() const { return m_errorListPanelState; }
    double contractedFrameHeight() const { return m_contractedHeight; }

signals:
    // The menu's other commands, for the application to carry out.
    void launchLexotraceRequested();
    void preferencesRequested();
    void installScriptRequested(); // the comparison script, asked for once a run otherwise
    void importRequested();        // the Import command, or a file dropped on the list window
    void exportRequested();
    void quitRequested();

private:
    void buildWindow();
    void buildStatusMenu();
    void setExpanded(bool expanded);
    void bringListUpToDate();
    void updateMenu();

    TypewardenModel& m_model;
    platform::AlertPresenter& m_alerts;
    std::unique_ptr<QMainWindow> m_window;
    std::unique_ptr<WordPairArrayController> m_pairs;
    QTableView* m_table = nullptr;       // owned by the window
    QToolButton* m_disclosure = nullptr; // owned by the window
    std::unique_ptr<QMenu> m_statusMenu;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    QList<std::pair<QAction*, MenuAction>> m_validatedActions;

    double m_contractedHeight = 0;
    bool m_errorListWindowState = false;
    bool m_errorListPanelState = false;
    bool m_undoState = false;
};

} // namespace typewarden
