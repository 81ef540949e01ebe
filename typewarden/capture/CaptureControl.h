#pragma once

#include <QString>

namespace typewarden
{

// Starting and stopping the watch of a text application. Stopping saves the word pairs, as
// removing the key monitor does.
class CaptureControl
{
public:
    virtual ~CaptureControl() = default;
    // Starts capture for "TextEdit" or "Pages", whether or not that application is active.
    virtual void startCaptureForApp(const QString& applicationName) = 0;
    // Stops capture, whichever application was watched.
    virtual void stopCapture() = 0;
};

} // namespace typewarden
