#pragma once

#include "platform/accessibility/AccessibilityElement.h"

#include <QStringList>
#include <QVariant>

#include <optional>

namespace typewarden
{

// Reads of another application's accessibility tree. A null element, a failed read or an
// attribute the element lacks gives an absent value, never an error: callers treat it as "not
// there".
class UIAppDelegateController
{
public:
    using Element = platform::AccessibilityElementRef;

    static inline const QString kSelectedTextAttribute = QStringLiteral("AXSelectedText");
    static inline const QString kSelectedChildrenAttribute = QStringLiteral("AXSelectedChildren");

    static QVariant valueOfAttribute(const QString& attribute, const Element& element);
    static QVariant valueOfUIElement(const Element& element);
    static std::optional<QString> roleOfUIElement(const Element& element);
    static std::optional<QString> titleOfUIElement(const Element& element);
    static std::optional<QString> selectedTextOfUIElement(const Element& element);
    static Element parentOfUIElement(const Element& element);
    static QList<Element> selectedChildrenUIElement(const Element& element);
    static QList<Element> childrenUIElement(const Element& element);
    // The window or dialog holding the element, from its "AXTopLevelUIElement" attribute.
    static Element topLevelUIElement(const Element& element);

    // Roles from the element up to the top of its tree, its own first; elements without a role
    // add nothing. Absent for controls titled "Cut", "Copy", "Paste", "Font...",
    // "Paragraph...", "Bullets", "ignore" or "add".
    static std::optional<QStringList> getLineageOfElement(const Element& element);
};

} // namespace typewarden
