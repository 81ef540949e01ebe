#pragma once

#include "platform/defaults/UserDefaults.h"
#include "typewarden/app/LaunchAtLoginController.h"
#include "typewarden/capture/CaptureControl.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class QCheckBox;
class QTabWidget;
class QWidget;

namespace typewarden
{

// The agent's preferences window: six check boxes, each switching one setting at once. The
// window is built on the first show and kept; the application owns the one controller.
class PreferencesWindowController : public QObject
{
    Q_OBJECT
public:
    PreferencesWindowController(platform::UserDefaults& defaults,
                                LaunchAtLoginController& loginController, CaptureControl& capture);
    ~PreferencesWindowController() override;

    // Builds the window on first use (centred), sets each box from its default, and shows it.
    void showWindow();
    // Null until the first show.
    QWidget* window() const { return m_window.get(); }
    QTabWidget* tabView() const { return m_tabs; }
    // The box of one of the six setting keys; null before the first show or for another key.
    QCheckBox* checkBoxForKey(const QString& key) const { return m_boxes.value(key); }

    // What each box does; each writes its default and synchronises. The window's box follows.
    void setTypewardenLaunchAtLoginDefaultSetting(bool on);
    void setShowWindowAtStartupDefault(bool on);
    void setBeepDefaultSetting(bool on);
    void setAutoCheckRetentionDefaultSetting(bool on);
    void setTextEditDefaultSetting(bool on);
    void setPagesDefaultSetting(bool on);

private:
    void loadWindow();
    QCheckBox* addBox(QWidget* page, const QString& key, const QString& label,
                      void (PreferencesWindowController::*setter)(bool));
    void writeDefault(const QString& key, bool on);
    void switchWatch(const QString& key, const QString& applicationName, bool on);

    platform::UserDefaults& m_defaults;
    LaunchAtLoginController& m_login;
    CaptureControl& m_capture;
    std::unique_ptr<QWidget> m_window;
    QTabWidget* m_tabs = nullptr;
    QHash<QString, QCheckBox*> m_boxes;
};

} // namespace typewarden
