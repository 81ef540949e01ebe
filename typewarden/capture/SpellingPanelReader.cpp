#include "typewarden/capture/SpellingPanelReader.h"

#include "typewarden/capture/AccessibilityReads.h"

namespace typewarden
{

namespace
{

using Element = SpellingPanelReader::Element;

constexpr int kMaximumDepth = 256;

// The panel window: up as many parents as "AXWindow" sits in the lineage; with no lineage the
// element itself, with no "AXWindow" in it the top of the tree.
Element windowOfElement(const Element& element)
{
    const std::optional<QStringList> lineage = axread::getLineageOfElement(element);
    qsizetype steps = 0;
    if (lineage) {
        steps = lineage->indexOf(platform::ax::Window);
        if (steps < 0)
            steps = kMaximumDepth;
    }
    Element window = element;
    for (; steps > 0; --steps) {
        Element up = axread::parentOfUIElement(window);
        if (!up)
            break;
        window = up;
    }
    return window;
}

// Depth-first, in child order, along `roles` from `from`; `optional` marks the levels a toolkit
// may leave out. The first text field reached ends the search.
std::optional<Element> findPath(const Element& from, const QStringList& roles,
                                const QList<bool>& optional, qsizetype level)
{
    for (const Element& child : axread::childrenUIElement(from)) {
        const std::optional<QString> role = axread::roleOfUIElement(child);
        for (qsizetype next = level; role && next < roles.size(); ++next) {
            if (*role == roles[next]) {
                if (next + 1 == roles.size())
                    return child;
                if (std::optional<Element> found = findPath(child, roles, optional, next + 1))
                    return found;
                break;
            }
            if (!optional[next])
                break;
        }
    }
    return std::nullopt;
}

// The text an element shows: its value, else its title.
QString shownText(const Element& element)
{
    const QVariant value = axread::valueOfUIElement(element);
    if (value.typeId() == QMetaType::QString && !value.toString().isEmpty())
        return value.toString();
    return axread::titleOfUIElement(element).value_or(QString());
}

Element findTitled(const Element& from, const QString& title, int& budget)
{
    for (const Element& child : axread::childrenUIElement(from)) {
        if (--budget < 0)
            return nullptr;
        if (axread::titleOfUIElement(child) == title)
            return child;
        if (Element found = findTitled(child, title, budget))
            return found;
    }
    return nullptr;
}

// The nearest sibling of the caption, before it first, that shows a text and is no caption.
std::optional<QString> besideCaption(const Element& window, const QString& caption)
{
    int budget = 2000; // a dialog is small; a runaway tree is not searched for ever
    const Element label = findTitled(window, caption, budget);
    if (!label)
        return std::nullopt;
    const QList<Element> siblings = axread::childrenUIElement(axread::parentOfUIElement(label));
    qsizetype at = -1;
    for (qsizetype i = 0; i < siblings.size() && at < 0; ++i)
        if (siblings[i]->isSameElement(*label))
            at = i;
    for (qsizetype distance = 1; at >= 0 && distance < siblings.size(); ++distance)
        for (const qsizetype i : {at - distance, at + distance}) {
            if (i < 0 || i >= siblings.size() ||
                axread::roleOfUIElement(siblings[i]) == platform::ax::Button)
                continue;
            const QString text = shownText(siblings[i]);
            if (!text.isEmpty() && !text.endsWith(u':'))
                return text;
        }
    return std::nullopt;
}

} // namespace

bool SpellingPanelReader::getSpellingAndGrammarWindowButtonWithElement(
    const Element& element, const QString& activeApplication)
{
    m_currentElement = element;
    const SpellingDialogProfile* profile = isInSpellingPanel(element, activeApplication);
    if (!profile)
        return false;
    m_profile = profile;
    m_spellCheckWindowOpenFlag = true;
    const auto read = [&](const SpellingDialogProfile::Word& word) -> std::optional<QString> {
        switch (word.place) {
        case SpellingDialogProfile::Place::FirstTextField:
            return getMSpellWithUIElement(element);
        case SpellingDialogProfile::Place::FirstGuess:
            return trapSelectedWordWithUIElement(element);
        case SpellingDialogProfile::Place::BesideCaption:
            return besideCaption(axread::topLevelUIElement(element), word.caption);
        case SpellingDialogProfile::Place::NotShown:
            break;
        }
        return std::nullopt;
    };
    m_mSpell = read(profile->misspelt);
    m_cSpell = read(profile->replacement);
    m_title = axread::titleOfUIElement(element);
    return true;
}

const SpellingDialogProfile* SpellingPanelReader::isInSpellingPanel(const Element& element,
                                                                    const QString&)
{
    const std::optional<QString> title =
        axread::titleOfUIElement(axread::topLevelUIElement(element));
    return title ? SpellingDialogProfile::forTitle(*title) : nullptr;
}

bool SpellingPanelReader::isCommitButton(const std::optional<QString>& title) const
{
    return title && m_profile && m_profile->showsWords() &&
           m_profile->commitButtons.contains(*title);
}

std::optional<QString> SpellingPanelReader::getMSpellWithUIElement(const Element& element)
{
    for (const Element& child : axread::childrenUIElement(windowOfElement(element))) {
        if (axread::roleOfUIElement(child) != platform::ax::TextField)
            continue;
        const QVariant value = axread::valueOfUIElement(child);
        if (value.isNull() || value.toString().isEmpty())
            return std::nullopt;
        m_title = axread::titleOfUIElement(currentElement());
        return value.toString();
    }
    return std::nullopt;
}

std::optional<QString> SpellingPanelReader::trapSelectedWordWithUIElement(const Element& element)
{
    using namespace platform::ax;
    static const QStringList roles{ScrollArea, Table, Row, TextField};
    static const QList<bool> optional{true, false, true, false};
    const std::optional<Element> cell = findPath(windowOfElement(element), roles, optional, 0);
    if (!cell)
        return std::nullopt;
    const QVariant value = axread::valueOfUIElement(*cell);
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return value.toString();
}

void SpellingPanelReader::resetConsoleMonitoringElements()
{
    clearPendingWords();
    m_currentElement.reset();
}

void SpellingPanelReader::clearPendingWords()
{
    m_mSpell = QStringLiteral("");
    m_cSpell = QStringLiteral("");
}

} // namespace typewarden
