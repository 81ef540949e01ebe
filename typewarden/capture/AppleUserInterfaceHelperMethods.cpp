#include "typewarden/capture/AppleUserInterfaceHelperMethods.h"

#include "typewarden/capture/UIAppDelegateController.h"

namespace typewarden
{

namespace
{

using Element = AppleUserInterfaceHelperMethods::Element;
using Reader = UIAppDelegateController;

constexpr int kMaximumDepth = 256;

// The panel window: up as many parents as "AXWindow" sits in the lineage; with no lineage the
// element itself, with no "AXWindow" in it the top of the tree.
Element windowOfElement(const Element& element)
{
    const std::optional<QStringList> lineage = Reader::getLineageOfElement(element);
    qsizetype steps = 0;
    if (lineage) {
        steps = lineage->indexOf(platform::ax::Window);
        if (steps < 0)
            steps = kMaximumDepth;
    }
    Element window = element;
    for (; steps > 0; --steps) {
        Element up = Reader::parentOfUIElement(window);
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
    for (const Element& child : Reader::childrenUIElement(from)) {
        const std::optional<QString> role = Reader::roleOfUIElement(child);
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

bool AppleUserInterfaceHelperMethods::getSpellingAndGrammarWindowButtonWithElement(
    const Element& element, const QString& activeApplication)
{
    m_currentElement = element;
    if (!determinWeAreInGrammarWindow(element, activeApplication))
        return false;
    m_spellCheckWindowOpenFlag = true;
    m_mSpell = getMSpellWithUIElement(element);
    m_cSpell = trapSelectedWordWithUIElement(element);
    m_title = Reader::titleOfUIElement(element);
    return true;
}

bool AppleUserInterfaceHelperMethods::determinWeAreInGrammarWindow(const Element& element,
                                                                   const QString&)
{
    return Reader::titleOfUIElement(Reader::topLevelUIElement(element)) == kPanelTitle;
}

std::optional<QString>
AppleUserInterfaceHelperMethods::getMSpellWithUIElement(const Element& element)
{
    for (const Element& child : Reader::childrenUIElement(windowOfElement(element))) {
        if (Reader::roleOfUIElement(child) != platform::ax::TextField)
            continue;
        const QVariant value = Reader::valueOfUIElement(child);
        if (value.isNull() || value.toString().isEmpty())
            return std::nullopt;
        m_title = Reader::titleOfUIElement(currentElement());
        return value.toString();
    }
    return std::nullopt;
}

std::optional<QString>
AppleUserInterfaceHelperMethods::trapSelectedWordWithUIElement(const Element& element)
{
    using namespace platform::ax;
    static const QStringList roles{ScrollArea, Table, Row, TextField};
    static const QList<bool> optional{true, false, true, false};
    const std::optional<Element> cell = findPath(windowOfElement(element), roles, optional, 0);
    if (!cell)
        return std::nullopt;
    const QVariant value = Reader::valueOfUIElement(*cell);
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return value.toString();
}

void AppleUserInterfaceHelperMethods::resetConsoleMonitoringElements()
{
    clearPendingWords();
    m_currentElement.reset();
}

void AppleUserInterfaceHelperMethods::clearPendingWords()
{
    m_mSpell = QStringLiteral("");
    m_cSpell = QStringLiteral("");
}

} // namespace typewarden
