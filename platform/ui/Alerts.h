#pragma once

#include <QHash>
#include <QList>
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
    // Shown without taking the keyboard: for what a program working in the background has to
    // say while the user types elsewhere (as a sheet only).
    bool withoutFocus = false;
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
    // A sheet on the window (window-modal, not blocking); completion gets the button index. A
    // window shows one sheet at a time: a second one waits until the first is dismissed.
    virtual void beginSheet(const AlertSpec& alert, QWidget* window,
                            std::function<void(int)> completion) = 0;
    // Runs `then` once the window has no sheet shown or waiting (at once when it has none).
    virtual void afterSheets(QWidget* window, std::function<void()> then) = 0;

    // The platform's alert made from an error.
    static AlertSpec alertWithError(const StoreError& error);
    static AlertSpec alertWithError(const QString& message, const QString& detail = {});
};

// For programs without a user: alerts are logged and answered with their first button.
class SilentAlertPresenter : public AlertPresenter
{
public:
    void beep() override {}
    int runModal(const AlertSpec& alert) override;
    void beginSheet(const AlertSpec& alert, QWidget* window,
                    std::function<void(int)> completion) override;
    void afterSheets(QWidget*, std::function<void()> then) override { then(); }
};

// Qt Widgets: QMessageBox, exec() for modal alerts and open() for sheets.
class WidgetAlertPresenter : public AlertPresenter
{
public:
    void beep() override;
    int runModal(const AlertSpec& alert) override;
    void beginSheet(const AlertSpec& alert, QWidget* window,
                    std::function<void(int)> completion) override;
    void afterSheets(QWidget* window, std::function<void()> then) override;

    // While the program ends on a signal nobody can answer: alerts are logged and answered with
    // their first button.
    void setUnattended(bool on) { m_unattended = on; }

private:
    struct Sheet {
        AlertSpec alert;
        std::function<void(int)> completion;
    };
    struct WindowSheets {
        bool showing = false;
        QList<Sheet> waiting;
        QList<std::function<void()>> whenDone;
    };
    void show(QWidget* window, Sheet sheet);
    void sheetEnded(QWidget* window);

    QHash<QWidget*, WindowSheets> m_sheets;
    bool m_unattended = false;
};

} // namespace platform
