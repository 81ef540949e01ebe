#pragma once

#include <QObject>

namespace platform
{

// Logs, once, when the program's first window is on screen (its first expose), with the time
// since the application object was made: the moment a user sees the program start. Info line
// of the category "orthova.start".
class FirstWindowLog : public QObject
{
    Q_OBJECT
public:
    FirstWindowLog();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform
