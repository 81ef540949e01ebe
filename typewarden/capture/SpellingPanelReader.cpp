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

} // namespace

bool SpellingPanelReader::getSpellingAndGrammarWindowButtonWithElement(
    const Element& element, const QString& activeApplication)
{
    m_currentElement = element;
    if (!isInSpellingPanel(element, activeApplication))
        return false;
    m_spellCheckWindowOpenFlag = true;
    m_mSpell = getMSpellWithUIElement(element);
    m_cSpell = trapSelectedWordWithUIElement(element);
    m_title = axread::titleOfUIElement(element);
    return true;
}

bool SpellingPanelReader::isInSpellingPanel(const Element& element, const QString&)
{
    return axread::titleOfUIElement(axread::topLevelUIElement(element)) == kPanelTitle;
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
