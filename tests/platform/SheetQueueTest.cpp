// Sheets on one window come one at a time, in order, and work waiting for them runs after the last.
#include "platform/ui/Alerts.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace
{

QList<QMessageBox*> openBoxes(QWidget* window)
{
    QList<QMessageBox*> open;
    for (QMessageBox* box : window->findChildren<QMessageBox*>())
        if (box->isVisible())
            open << box;
    return open;
}

void press(QMessageBox* box, const QString& title)
{
    for (QAbstractButton* b : box->buttons())
        if (b->text() == title)
            b->click();
    QApplication::processEvents();
}

} // namespace

TEST(SheetQueue, OneSheetAtATimeThenTheWaitingWork)
{
    platform::WidgetAlertPresenter alerts;
    QWidget window;
    window.show();
    QStringList events;
    alerts.beginSheet({"first", "", {"OK"}}, &window,
                      [&](int b) { events << "first " + QString::number(b); });
    alerts.beginSheet({"second", "", {"Yes", "No"}}, &window,
                      [&](int b) { events << "second " + QString::number(b); });
    alerts.afterSheets(&window, [&] { events << "done"; });
    QApplication::processEvents();

    auto boxes = openBoxes(&window);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "first");
    EXPECT_EQ(boxes[0]->windowModality(), Qt::WindowModal);
    press(boxes[0], "OK");
    EXPECT_EQ(events, QStringList{"first 0"});

    boxes = openBoxes(&window);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "second");
    press(boxes[0], "No");
    EXPECT_EQ(events, (QStringList{"first 0", "second 1", "done"}));

    // With nothing on the window the work runs at once.
    alerts.afterSheets(&window, [&] { events << "now"; });
    EXPECT_EQ(events.last(), "now");
}
