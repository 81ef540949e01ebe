#include "typewarden/app/PreferencesWindowController.h"

#include "model/TypewardenDefaults.h"
#include "typewarden/app/AgentLog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace typewarden
{

namespace
{

QWidget* addPage(QTabWidget* tabs, const QString& label)
{
    auto* page = new QWidget(tabs);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    tabs->addTab(page, label);
    return page;
}

} // namespace

PreferencesWindowController::PreferencesWindowController(platform::UserDefaults& defaults,
                                                         LaunchAtLoginController& loginController,
                                                         CaptureControl& capture)
    : m_defaults(defaults), m_login(loginController), m_capture(capture)
{
}

PreferencesWindowController::~PreferencesWindowController() = default;

void PreferencesWindowController::showWindow()
{
    if (!m_window)
        loadWindow();
    // Other parts of the agent (the first run, scripts) may have written the settings since.
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        it.value()->setChecked(m_defaults.boolForKey(it.key()));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void PreferencesWindowController::loadWindow()
{
    m_window = std::make_unique<QWidget>(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("PreferencesWindow"));
    auto* layout = new QVBoxLayout(m_window.get());
    m_tabs = new QTabWidget(m_window.get());
    layout->addWidget(m_tabs);

    QWidget* general = addPage(m_tabs, tr("General"));
    addBox(general, defaults::LaunchAtLogin, tr("Launch Typewarden at login"),
           &PreferencesWindowController::setTypewardenLaunchAtLoginDefaultSetting);
    addBox(general, defaults::ShowWindowAtStartup, tr("Show the list window at start-up"),
           &PreferencesWindowController::setShowWindowAtStartupDefault);
    addBox(general, defaults::Beep, tr("Beep when a correction is captured"),
           &PreferencesWindowController::setBeepDefaultSetting);
    addBox(general, defaults::AutoCheckRetention, tr("Keep typed corrections without confirmation"),
           &PreferencesWindowController::setAutoCheckRetentionDefaultSetting);

    QWidget* applications = addPage(m_tabs, tr("Applications"));
    addBox(applications, defaults::TextEdit, tr("Watch TextEdit"),
           &PreferencesWindowController::setTextEditDefaultSetting)
        ->setToolTip(tr("Text editors such as gedit, Kate or Mousepad"));
    addBox(applications, defaults::Pages, tr("Watch Pages"),
           &PreferencesWindowController::setPagesDefaultSetting)
        ->setToolTip(tr("Word processors such as LibreOffice Writer or AbiWord"));

    m_window->setWindowTitle(m_tabs->tabText(m_tabs->currentIndex()));
    connect(m_tabs, &QTabWidget::currentChanged, m_window.get(),
            [this](int index) { m_window->setWindowTitle(m_tabs->tabText(index)); });

    m_window->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_window->move(frame.topLeft());
    }
}

QCheckBox* PreferencesWindowController::addBox(QWidget* page, const QString& key,
                                               const QString& label,
                                               void (PreferencesWindowController::*setter)(bool))
{
    auto* box = new QCheckBox(label, page);
    box->setObjectName(key);
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->insertWidget(layout->count() - 1, box);
    // clicked, not toggled: only the user's change acts, not the state set from the defaults.
    connect(box, &QCheckBox::clicked, this, setter);
    m_boxes.insert(key, box);
    return box;
}

void PreferencesWindowController::writeDefault(const QString& key, bool on)
{
    m_defaults.setObject(on, key);
    if (!m_defaults.synchronize())
        qCWarning(lcAgent) << "Could not save the setting" << key;
    if (QCheckBox* box = m_boxes.value(key))
        box->setChecked(on);
}

void PreferencesWindowController::setTypewardenLaunchAtLoginDefaultSetting(bool on)
{
    // A failed registration is only logged; the stored value is re-applied at the next start.
    m_login.setLaunchAtLogin(on);
    writeDefault(defaults::LaunchAtLogin, on);
}

void PreferencesWindowController::setShowWindowAtStartupDefault(bool on)
{
    writeDefault(defaults::ShowWindowAtStartup, on);
}

void PreferencesWindowController::setBeepDefaultSetting(bool on)
{
    writeDefault(defaults::Beep, on);
}

void PreferencesWindowController::setAutoCheckRetentionDefaultSetting(bool on)
{
    writeDefault(defaults::AutoCheckRetention, on);
}

void PreferencesWindowController::switchWatch(const QString& key, const QString& applicationName,
                                              bool on)
{
    if (on)
        m_capture.startCaptureForApp(applicationName);
    else
        m_capture.stopCapture();
    writeDefault(key, on);
}

void PreferencesWindowController::setTextEditDefaultSetting(bool on)
{
    switchWatch(defaults::TextEdit, QStringLiteral("TextEdit"), on);
}

void PreferencesWindowController::setPagesDefaultSetting(bool on)
{
    switchWatch(defaults::Pages, QStringLiteral("Pages"), on);
}

} // namespace typewarden
