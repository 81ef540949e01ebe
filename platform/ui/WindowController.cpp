#include "platform/ui/WindowController.h"

#include <QEvent>
#include <QMenuBar>

namespace platform
{

WindowController::WindowController(const QString& interfaceName, const QString& title)
    : m_interfaceName(interfaceName), m_window(std::make_unique<QMainWindow>())
{
    m_window->setObjectName(interfaceName);
    m_window->setWindowTitle(title);
    m_window->resize(720, 480);
    m_window->installEventFilter(this);
}

WindowController::~WindowController() = default;

void WindowController::showWindow()
{
    m_window->show();
    m_window->raise();
}

void WindowController::makeKeyAndOrderFront()
{
    showWindow();
    m_window->activateWindow();
}

QMenu* WindowController::addMenuBeforeWindowMenu(const QString& title)
{
    QMenuBar* bar = m_window->menuBar();
    QAction* before = nullptr;
    for (QAction* action : bar->actions())
        if (action->text().remove(u'&') == tr("Window"))
            before = action;
    auto* menu = new QMenu(title, bar);
    bar->insertMenu(before, menu);
    return menu;
}

bool WindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window.get()) {
        switch (event->type()) {
        case QEvent::Close:
            windowShouldClose();
            break;
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            windowDidChangeKey(event->type() == QEvent::WindowActivate);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
