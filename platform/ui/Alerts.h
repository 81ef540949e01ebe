#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace platform
{

struct StoreError;

struct AlertSpec {
    QString messageText;
    QString informativeText;
    QStringList buttons; // first is the default; empty means one "OK"
};

// Everything the user is told or asked through a dialog, and the system beep. Behind an interface
// so that controllers can be tested without a person to press the buttons.
class AlertPresenter
{
public:
    virtual ~AlertPresenter() = default;

    virtual void beep() = 0;
    // A modal alert; the index of the button pressed.
    virtual int runModal(const AlertSpec& alert) = 0;
    // A sheet on the window (window-modal, not blocking); completion gets the button index.
    virtual void beginSheet(const AlertSpec& alert, QWidget* window,
                            std::function<void(int)> completion) = 0;

    // The platform's alert made from an error.
    static AlertSpec alertWithError(const StoreError& error);
    static AlertSpec alertWithError(const QString& message, const QString& detail = {});
};

// Qt Widgets: QMessageBox, exec() for modal alerts and open() for sheets.
class WidgetAlertPresenter : public AlertPresenter
{
public:
    void beep() override;
    int runModal(const AlertSpec& alert) override;
    void beginSheet(const AlertSpec& alert, QWidget* window,
                    std::function<void(int)> completion) override;
};

} // namespace platform
