#include "typewarden/capture/TypingCapture.h"

#include "typewarden/capture/SpellingPanelReader.h"
#include "typewarden/capture/TextComparison.h"

#include <QLoggingCategory>

namespace typewarden
{

namespace
{
Q_LOGGING_CATEGORY(lcSpellingPanel, "typewarden.capture.panel")
} // namespace

TypingCapture::TypingCapture(SpellingPanelReader& panel, PairHandOver handOver)
    : TypingCapture(panel, std::move(handOver), TypingPeers{})
{
}

TypingCapture::TypingCapture(SpellingPanelReader& panel, PairHandOver handOver, TypingPeers typing)
    : m_panel(panel), m_handOver(std::move(handOver)), m_typing(std::move(typing))
{
}

void TypingCapture::transactWithSpellingCorrectionConsole()
{
    const std::optional<QString> title = m_panel.titleOfUIElement();
    const std::optional<QString> cSpell = m_panel.cSpell();
    const std::optional<QString> mSpell = m_panel.mSpell();
    if (!m_panel.isCommitButton(title) || cSpell == QStringLiteral("") ||
        mSpell == QStringLiteral(""))
        return;

    // A word the panel did not give goes over empty, and the store refuses the pair.
    const model::WordPair pair{cSpell.value_or(QString()), mSpell.value_or(QString())};
    qCDebug(lcSpellingPanel).noquote() << "Change clicked:" << pair.mSpell << "->" << pair.cSpell;
    if (m_handOver)
        m_handOver(pair);
    m_panel.clearPendingWords();
}

const QStringList& TypingCapture::autoCorrectTermChars()
{
    static const QStringList chars{" ", ",", ".", ";", "\"", ":", "?", "!", "(", ")"};
    return chars;
}

bool TypingCapture::checkForAutoCorrectTermChars(QChar c)
{
    return autoCorrectTermChars().contains(QString(c));
}

QString TypingCapture::oldDocText() const
{
    return m_typing.comparison ? m_typing.comparison->oldDocText() : QString();
}

void TypingCapture::setOldDocText(const QString& text)
{
    if (m_typing.comparison)
        m_typing.comparison->setOldDocText(text);
}

bool TypingCapture::processWordsForApp(const QString& application, const QString& oldText)
{
    if (m_typing.compare)
        m_typing.compare(application, oldText);
    // The answer comes later; the typed word is kept for it now.
    if (m_typing.comparison)
        m_typing.comparison->setBeforeWord(m_baseString);
    return true;
}

bool TypingCapture::resetBaseStringOfApplication(const QString&)
{
    m_baseString.clear();
    setOldDocText(QString());
    return true;
}

void TypingCapture::consoleDirectoryInputForApp(const QString& application)
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

void TypingCapture::removeKeyDownMonitor()
{
    platform::GlobalEventMonitors* monitors = m_typing.monitors;
    if (!monitors || !monitors->hasKeyDownMonitor())
        return;
    monitors->removeKeyDownMonitor();
    if (m_typing.saveContext)
        m_typing.saveContext();
}

void TypingCapture::removeMouseUpMonitor()
{
    if (m_typing.monitors && m_typing.monitors->hasMouseUpMonitor())
        m_typing.monitors->removeMouseUpMonitor();
}

void TypingCapture::mouseUp(const platform::MouseUpEvent& event)
{
    qCDebug(lcSpellingPanel) << "click released" << (event.control ? "(context)" : "");
    // A context-menu click: the correction chosen from that menu is taken without retention.
    if (event.control) {
        m_controlKeyDownFlag = true;
        processWordsForApp(m_activeAppName, oldDocText());
    }
    transactWithSpellingCorrectionConsole();
}

void TypingCapture::keyDown(const platform::KeyDownEvent& event)
{
    if (m_typing.keyPressed)
        m_typing.keyPressed(event);
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
