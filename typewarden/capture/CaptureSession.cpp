#include "typewarden/capture/CaptureSession.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcCapture, "typewarden.capture")

namespace typewarden
{

void CaptureSession::setupAppleUIMonitorsForApp(const QString& applicationName)
{
    m_watched = applicationName;
    qCInfo(lcCapture).noquote() << "watching" << applicationName;
}

void CaptureSession::unloadAppleOSUserInterfaceObservers()
{
    if (m_watched.isEmpty())
        return;
    qCInfo(lcCapture).noquote() << "no longer watching" << m_watched;
    m_watched.clear();
    if (m_save)
        m_save();
}

} // namespace typewarden
