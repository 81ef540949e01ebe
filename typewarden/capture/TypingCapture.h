#pragma once

#include "platform/accessibility/GlobalEventMonitors.h"
#include "typewarden/capture/PairHandOver.h"

#include <QStringList>

#include <functional>

namespace typewarden
{

class SpellingPanelReader;
class TextComparison;

// What the global key and mouse monitors do with the writer's keys and clicks.
class TypingCapture
{
public:
    // What the typing path calls out to.
    struct TypingPeers {
        platform::GlobalEventMonitors* monitors = nullptr;
        TextComparison* comparison = nullptr;
        // Starts one comparison of the application's front document against the old text.
        std::function<bool(const QString& application, const QString& oldText)> compare;
        std::function<void()> toggleLastCorrection;
        std::function<void()> saveContext;
        // Every key, as it comes: the text-change tracker tells the writer's typing from the
        // application's own changes with them.
        std::function<void(const platform::KeyDownEvent&)> keyPressed;
    };

    // The ten characters that end a word; line ends are handled on their own.
    static const QStringList& autoCorrectTermChars();

    TypingCapture(SpellingPanelReader& panel, PairHandOver handOver);
    TypingCapture(SpellingPanelReader& panel, PairHandOver handOver, TypingPeers typing);

    // Starts (or restarts) typing capture for the application: a baseline comparison, then the
    // two monitors if they are not there yet.
    void consoleDirectoryInputForApp(const QString& application);
    bool processWordsForApp(const QString& application, const QString& oldText);
    bool resetBaseStringOfApplication(const QString& application = {});
    static bool checkForAutoCorrectTermChars(QChar c);
    // Removing the key monitor saves the word pairs; without one nothing is saved.
    void removeKeyDownMonitor();
    void removeMouseUpMonitor();

    void keyDown(const platform::KeyDownEvent& event);
    void mouseUp(const platform::MouseUpEvent& event);

    const QString& activeAppName() const { return m_activeAppName; }
    const QString& baseString() const { return m_baseString; }
    bool controlKeyDownFlag() const { return m_controlKeyDownFlag; }
    bool& controlKeyDownFlagStorage() { return m_controlKeyDownFlag; }

    // Commit step, after every released left click anywhere: when the last panel control under
    // the pointer was its commit button ("Change") and neither pending word is "", hands {cSpell,
    // mSpell} over and empties both words. A word the panel did not give is left out of the pair,
    // and the store refuses such a pair.
    void transactWithSpellingCorrectionConsole();

private:
    QString oldDocText() const;
    void setOldDocText(const QString& text);

    SpellingPanelReader& m_panel;
    PairHandOver m_handOver;
    TypingPeers m_typing;
    QString m_activeAppName;
    QString m_baseString;
    bool m_controlKeyDownFlag = false;
};

} // namespace typewarden
