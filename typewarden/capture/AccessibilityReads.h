#pragma once

#include "platform/accessibility/AccessibilityElement.h"

#include <QStringList>
#include <QVariant>

#include <optional>

// Reads of another application's accessibility tree. A null element, a failed read or an
// attribute the element lacks gives an absent value, never an error: callers treat it as "not
// there".
namespace typewarden::axread
{

using Element = platform::AccessibilityElementRef;

inline const QString kSelectedTextAttribute = QStringLiteral("AXSelectedText");
inline const QString kSelectedChildrenAttribute = QStringLiteral("AXSelectedChildren");

QVariant valueOfAttribute(const QString& attribute, const Element& element);
QVariant valueOfUIElement(const Element& element);
std::optional<QString> roleOfUIElement(const Element& element);
std::optional<QString> titleOfUIElement(const Element& element);
std::optional<QString> selectedTextOfUIElement(const Element& element);
Element parentOfUIElement(const Element& element);
QList<Element> selectedChildrenUIElement(const Element& element);
QList<Element> childrenUIElement(const Element& element);
// The window or dialog holding the element, from its "AXTopLevelUIElement" attribute.
Element topLevelUIElement(const Element& element);

// Roles from the element up to the top of its tree, its own first; elements without a role add
// nothing. Absent for controls titled "Cut", "Copy", "Paste", "Font...", "Paragraph...",
// "Bullets", "ignore" or "add".
std::optional<QStringList> getLineageOfElement(const Element& element);

} // namespace typewarden::axread
