#pragma once

#include "platform/accessibility/AccessibilityElement.h"
#include "typewarden/capture/SpellingDialogProfile.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace typewarden
{

// Reads the spelling panel of the watched application while the pointer moves over it, and holds
// the pair that a released click on its commit button commits. The panel is "Spelling and
// Grammar" with its "Change" button, or an application's own spelling dialog as its profile
// describes it. An absent word (std::nullopt) is one the panel did not give; "" is one already
// handed over or reset.
class SpellingPanelReader
{
public:
    using Element = platform::AccessibilityElementRef;

    static inline const QString kPanelTitle = QStringLiteral("Spelling and Grammar");

    // activeAppName: the name of the application active now (the observers' dictionary).
    explicit SpellingPanelReader(std::function<QString()> activeAppName = {})
        : m_activeAppName(std::move(activeAppName))
    {
    }

    // Hover step, for each new element under the pointer: true when it lies in the panel, in
    // which case the pending words and title are read afresh from it.
    bool getSpellingAndGrammarWindowButtonWithElement(const Element& element,
                                                      const QString& activeApplication);
    // The profile of the spelling panel or dialog the element's top-level window is; null when it
    // is none.
    static const SpellingDialogProfile* isInSpellingPanel(const Element& element,
                                                          const QString& activeApplication);
    // Whether a click on the control with this title makes the change in the panel last read.
    bool isCommitButton(const std::optional<QString>& title) const;
    // The non-empty value of the panel window's first direct text-field child.
    std::optional<QString> getMSpellWithUIElement(const Element& element);
    // The value of the first guess cell: window > scroll area > table > row > text field, where
    // the scroll area and row levels may be missing (toolkits that put cells under the table).
    static std::optional<QString> trapSelectedWordWithUIElement(const Element& element);

    // Forgets the pending words and element; the panel flag stays.
    void resetConsoleMonitoringElements();
    // After a hand-over: both words become "" so a second click commits nothing.
    void clearPendingWords();

    QString getActiveAppName() const { return m_activeAppName ? m_activeAppName() : QString(); }

    const std::optional<QString>& mSpell() const { return m_mSpell; }
    const std::optional<QString>& cSpell() const { return m_cSpell; }
    const std::optional<QString>& titleOfUIElement() const { return m_title; }
    Element currentElement() const { return m_currentElement.lock(); }

    // Raised by any hover over the panel; the typing path lowers it once it has used it.
    bool spellCheckWindowOpenFlag() const { return m_spellCheckWindowOpenFlag; }
    void setSpellCheckWindowOpenFlag(bool open) { m_spellCheckWindowOpenFlag = open; }

private:
    std::function<QString()> m_activeAppName;
    // Not kept alive: the pointer timer owns the element under the pointer.
    std::weak_ptr<platform::AccessibilityElement> m_currentElement;
    std::optional<QString> m_mSpell{QStringLiteral("")};
    std::optional<QString> m_cSpell{QStringLiteral("")};
    std::optional<QString> m_title;
    const SpellingDialogProfile* m_profile = nullptr;
    bool m_spellCheckWindowOpenFlag = false;
};

} // namespace typewarden
