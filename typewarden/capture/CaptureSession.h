#pragma once

#include "typewarden/capture/CaptureControl.h"

#include <functional>

namespace typewarden
{

// Which application is being watched. The observers and monitors that do the watching are not
// built yet; stopping already saves the pairs, as removing the key monitor must.
class CaptureSession : public CaptureControl
{
public:
    explicit CaptureSession(std::function<bool()> saveContext) : m_save(std::move(saveContext)) {}

    void setupAppleUIMonitorsForApp(const QString& applicationName) override;
    void unloadAppleOSUserInterfaceObservers() override;

    bool isCapturing() const { return !m_watched.isEmpty(); }
    const QString& watchedApplication() const { return m_watched; }

private:
    std::function<bool()> m_save;
    QString m_watched;
};

} // namespace typewarden
