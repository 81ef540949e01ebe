#include "typewarden/capture/AppleKeyboardUIMethods.h"
#include "model/OrthovaModel.h"

#include "typewarden/capture/AppleUserInterfaceHelperMethods.h"
#include "typewarden/capture/TextComparison.h"

#include <QLoggingCategory>

namespace typewarden
{

namespace
{
Q_LOGGING_CATEGORY(lcSpellingPanel, "typewarden.capture.panel")
} // namespace

AppleKeyboardUIMethods::AppleKeyboardUIMethods(AppleUserInterfaceHelperMethods& panel,
                                               HandOver handOver)
    : AppleKeyboardUIMethods(panel, std::move(handOver), TypingPeers{})
{
}

AppleKeyboardUIMethods::AppleKeyboardUIMethods(AppleUserInterfaceHelperMethods& panel,
                                               HandOver handOver, TypingPeers typing)
    : m_panel(panel), m_handOver(std::move(handOver)), m_typing(std::move(typing))
{
}

void AppleKeyboardUIMethods::transactWithSpellingCorrectionConsole()
{
    const std::optional<QString> title = m_panel.titleOfUIElement();
    const std::optional<QString> cSpell = m_panel.cSpell();
    const std::optional<QString> mSpell = m_panel.mSpell();
    if (title != QStringLiteral("Change") || cSpell == QStringLiteral("") ||
        mSpell == QStringLiteral(""))
        return;

    QVariantMap pair;
    if (cSpell)
        pair.insert(model::key::cSpell, *cSpell);
    if (mSpell)
        pair.insert(model::key::mSpell, *mSpell);
    qCDebug(lcSpellingPanel).noquote()
        << "Change clicked:" << mSpell.value_or(QString()) << "->" << cSpell.value_or(QString());
    if (!m_handOver || !m_handOver(pair))
        qCWarning(lcSpellingPanel) << "the panel correction was not handed over";
    m_panel.clearPendingWords();
}

const QStringList& AppleKeyboardUIMethods::autoCorrectTermChars()
{
    static const QStringList chars{" ", ",", ".", ";", "\"", ":", "?", "!", "(", ")"};
    return chars;
}

bool AppleKeyboardUIMethods::checkForAutoCorrectTermChars(QChar c)
{
    return autoCorrectTermChars().contains(QString(c));
}

QString AppleKeyboardUIMethods::oldDocText() const
{
    return m_typing.comparison ? m_typing.comparison->oldDocText() : QString();
}

void AppleKeyboardUIMethods::setOldDocText(const QString& text)
{
    if (m_typing.comparison)
        m_typing.comparison->setOldDocText(text);
}

bool AppleKeyboardUIMethods::processWordsForApp(const QString& application, const QString& oldText)
{
    if (m_typing.compare)
        m_typing.compare(application, oldText);
    // The answer comes later; the typed word is kept for it now.
    if (m_typing.comparison)
        m_typing.comparison->setBeforeWord(m_baseString);
    return true;
}

bool AppleKeyboardUIMethods::resetBaseStringOfApplication(const QString&)
{
    m_baseString.clear();
    setOldDocText(QString());
    return true;
}

void AppleKeyboardUIMethods::consoleDirectoryInputForApp(const QString& application)
{
    m_activeAppName = application;
    setOldDocText(QString());
    processWordsForApp(application, QString());
    platform::GlobalEventMonitors* monitors = m_typing.monitors;
    if (!monitors)
        return;
    if (!monitors->hasMouseUpMonitor()) {
        m_baseString.clear();
        if (!monitors->installMouseUpMonitor(
                [this](const platform::MouseUpEvent& event) { mouseUp(event); }))
            qCWarning(lcSpellingPanel) << "the released clicks of other applications cannot be "
                                          "followed";
    }
    if (!monitors->hasKeyDownMonitor())
        if (!monitors->installKeyDownMonitor(
                [this](const platform::KeyDownEvent& event) { keyDown(event); }))
            qCWarning(lcSpellingPanel) << "the keys typed in other applications cannot be "
                                          "followed";
}

void AppleKeyboardUIMethods::removeAppleKeyboardUIMethods()
{
    platform::GlobalEventMonitors* monitors = m_typing.monitors;
    if (!monitors || !monitors->hasKeyDownMonitor())
        return;
    monitors->removeKeyDownMonitor();
    if (m_typing.saveContext)
        m_typing.saveContext();
}

void AppleKeyboardUIMethods::removeAppleMouseEventMonitor()
{
    if (m_typing.monitors && m_typing.monitors->hasMouseUpMonitor())
        m_typing.monitors->removeMouseUpMonitor();
}

void AppleKeyboardUIMethods::mouseUp(const platform::MouseUpEvent& event)
{
    qCDebug(lcSpellingPanel) << "click released" << (event.control ? "(context)" : "");
    // A context-menu click: the correction chosen from that menu is taken without retention.
    if (event.control) {
        m_controlKeyDownFlag = true;
        processWordsForApp(m_activeAppName, oldDocText());
    }
    transactWithSpellingCorrectionConsole();
}

void AppleKeyboardUIMethods::keyDown(const platform::KeyDownEvent& event)
{
    if (event.command && event.control && m_typing.toggleLastCorrection)
        m_typing.toggleLastCorrection();
    // A dead key brings no character.
    if (event.characters.isEmpty())
        return;
    QChar c = event.characters.front();
    if (c == QChar(10) || c == QChar(0xFFFF))
        return;
    if (event.key == platform::KeyDownEvent::Key::Return) {
        c = QChar(0);
        processWordsForApp(m_activeAppName, oldDocText());
        resetBaseStringOfApplication(m_activeAppName);
    } else if (event.key == platform::KeyDownEvent::Key::Delete) {
        setOldDocText(QString());
        m_baseString.clear();
        c = QChar(0);
        processWordsForApp(m_activeAppName, QString());
    } else if (event.commandAlone) {
        if (c == u'x' || c == u'c' || c == u'v') {
            // Cut, copy and paste change the text in ways not followed: start a new baseline.
            resetBaseStringOfApplication(m_activeAppName);
        } else if (c == u'z') {
            setOldDocText(QString());
            processWordsForApp(m_activeAppName, QString());
            resetBaseStringOfApplication(m_activeAppName);
        }
        c = QChar(0);
    }
    if (c.isNull())
        return;
    if (checkForAutoCorrectTermChars(c)) {
        processWordsForApp(m_activeAppName, oldDocText());
        m_baseString.clear();
    } else {
        // The whole character is kept, so words with accents reach the comparison intact.
        m_baseString += c;
    }
}

} // namespace typewarden
