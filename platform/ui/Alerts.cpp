#include "platform/ui/Alerts.h"

#include "platform/store/StoreError.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform
{

AlertSpec AlertPresenter::alertWithError(const StoreError& error)
{
    const QString path = error.userInfo.value(QStringLiteral("NSFilePath")).toString();
    return alertWithError(error.message, path);
}

AlertSpec AlertPresenter::alertWithError(const QString& message, const QString& detail)
{
    return AlertSpec{message, detail, {QObject::tr("OK")}};
}

namespace
{

std::unique_ptr<QMessageBox> makeBox(const AlertSpec& alert, QWidget* parent,
                                     QList<QAbstractButton*>* buttons)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::Warning);
    box->setText(alert.messageText);
    box->setInformativeText(alert.informativeText);
    const QStringList titles =
        alert.buttons.isEmpty() ? QStringList{QObject::tr("OK")} : alert.buttons;
    for (int i = 0; i < titles.size(); ++i) {
        QPushButton* b =
            box->addButton(titles[i], i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
        if (i == 0)
            box->setDefaultButton(b);
        buttons->append(b);
    }
    return box;
}

} // namespace

int SilentAlertPresenter::runModal(const AlertSpec& alert)
{
    qWarning().noquote() << alert.messageText << alert.informativeText;
    return 0;
}

void SilentAlertPresenter::beginSheet(const AlertSpec& alert, QWidget*,
                                      std::function<void(int)> completion)
{
    runModal(alert);
    if (completion)
        completion(0);
}

void WidgetAlertPresenter::beep()
{
    QApplication::beep();
}

int WidgetAlertPresenter::runModal(const AlertSpec& alert)
{
    if (m_unattended) {
        qWarning().noquote() << "unanswered alert:" << alert.messageText << alert.informativeText;
        return 0;
    }
    QList<QAbstractButton*> buttons;
    auto box = makeBox(alert, nullptr, &buttons);
    box->exec();
    const int index = buttons.indexOf(box->clickedButton());
    return index < 0 ? 0 : index;
}

void WidgetAlertPresenter::beginSheet(const AlertSpec& alert, QWidget* window,
                                      std::function<void(int)> completion)
{
    if (m_unattended) {
        runModal(alert);
        if (completion)
            completion(0);
        return;
    }
    WindowSheets& sheets = m_sheets[window];
    if (sheets.showing) {
        sheets.waiting.append({alert, std::move(completion)});
        return;
    }
    show(window, {alert, std::move(completion)});
}

void WidgetAlertPresenter::show(QWidget* window, Sheet sheet)
{
    m_sheets[window].showing = true;
    QList<QAbstractButton*> buttons;
    // The box owns itself until it is dismissed.
    QMessageBox* box = makeBox(sheet.alert, window, &buttons).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    if (sheet.alert.withoutFocus) {
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_ShowWithoutActivating);
        box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    }
    QObject::connect(box, &QMessageBox::finished, box,
                     [this, box, buttons, window, completion = std::move(sheet.completion)](int) {
                         const int index = buttons.indexOf(box->clickedButton());
                         if (completion)
                             completion(index < 0 ? 0 : index);
                         sheetEnded(window);
                     });
    box->open();
}

void WidgetAlertPresenter::sheetEnded(QWidget* window)
{
    WindowSheets& sheets = m_sheets[window];
    sheets.showing = false;
    if (!sheets.waiting.isEmpty()) {
        show(window, sheets.waiting.takeFirst());
        return;
    }
    const auto whenDone = std::exchange(sheets.whenDone, {});
    for (const auto& then : whenDone)
        then();
}

void WidgetAlertPresenter::afterSheets(QWidget* window, std::function<void()> then)
{
    const auto it = m_sheets.constFind(window);
    if (it == m_sheets.cend() || (!it->showing && it->waiting.isEmpty())) {
        then();
        return;
    }
    m_sheets[window].whenDone.append(std::move(then));
}

} // namespace platform
