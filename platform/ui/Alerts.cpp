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

void WidgetAlertPresenter::beep()
{
    QApplication::beep();
}

int WidgetAlertPresenter::runModal(const AlertSpec& alert)
{
    QList<QAbstractButton*> buttons;
    auto box = makeBox(alert, nullptr, &buttons);
    box->exec();
    const int index = buttons.indexOf(box->clickedButton());
    return index < 0 ? 0 : index;
}

void WidgetAlertPresenter::beginSheet(const AlertSpec& alert, QWidget* window,
                                      std::function<void(int)> completion)
{
    QList<QAbstractButton*> buttons;
    // The box owns itself until it is dismissed.
    QMessageBox* box = makeBox(alert, window, &buttons).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, completion](int) {
        const int index = buttons.indexOf(box->clickedButton());
        if (completion)
            completion(index < 0 ? 0 : index);
    });
    box->open();
}

} // namespace platform
