#include "lexotrace/app/AboutController.h"

#include "lexotrace/app/LXMainAppController.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace lexotrace
{

AboutController::AboutController(const QString& interfaceName) : m_interfaceName(interfaceName) {}

AboutController::~AboutController() = default;

bool AboutController::loadPanel()
{
    if (m_interfaceName != QLatin1String("About"))
        return false;
    m_panel = std::make_unique<QDialog>();
    m_panel->setObjectName(m_interfaceName);
    m_panel->setWindowTitle(QObject::tr("About Lexotrace"));
    m_panel->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(m_panel.get());
    auto* name = new QLabel(QStringLiteral("<h2>Lexotrace</h2>"), m_panel.get());
    auto* version = new QLabel(QObject::tr("Version %1").arg(QApplication::applicationVersion()),
                               m_panel.get());
    auto* text = new QLabel(QObject::tr("Learn from your own spelling mistakes: Lexotrace matches "
                                        "the corrections Typewarden captures against a graded "
                                        "spelling course."),
                            m_panel.get());
    text->setWordWrap(true);
    for (QLabel* label : {name, version, text}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    m_panel->resize(320, 180);
    return true;
}

void AboutController::show()
{
    if (!m_panel && !loadPanel())
        qCWarning(lcApp).noquote()
            << QStringLiteral("Could not build the panel %1").arg(m_interfaceName);
    if (!m_panel)
        return;
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = m_panel->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_panel->move(frame.topLeft());
    }
    m_panel->show();
    m_panel->raise();
}

} // namespace lexotrace
