#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QString>

#include <memory>

namespace platform
{

// Owns one top-level window, created with the controller and kept for its life. Closing the
// window only hides it, so the next show brings back the same window with its state.
class WindowController : public QObject
{
    Q_OBJECT
public:
    WindowController(const QString& interfaceName, const QString& title);
    ~WindowController() override;

    const QString& interfaceName() const { return m_interfaceName; }
    QMainWindow* window() const { return m_window.get(); }

    // Shows the window and brings it forward.
    virtual void showWindow();
    // Shows, brings forward and makes it the key (active) window.
    void makeKeyAndOrderFront();
    // Commands of this window for the File menu (Print, for one).
    virtual QList<QAction*> fileMenuActions() const { return {}; }
    // A menu of the window's own, placed before the application's Window menu when it has one.
    QMenu* addMenuBeforeWindowMenu(const QString& title);

protected:
    // The window is closing (it will only hide): a last chance to settle unsaved changes.
    virtual void windowShouldClose() {}
    // The window became, or stopped being, the one that takes the keyboard.
    virtual void windowDidChangeKey(bool /*key*/) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_interfaceName;
    std::unique_ptr<QMainWindow> m_window;
};

} // namespace platform
