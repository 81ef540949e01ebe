#include "platform/ui/WindowController.h"

namespace platform
{

WindowController::WindowController(const QString& interfaceName, const QString& title)
    : m_interfaceName(interfaceName), m_window(std::make_unique<QMainWindow>())
{
    m_window->setObjectName(interfaceName);
    m_window->setWindowTitle(title);
    m_window->resize(720, 480);
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

} // namespace platform
