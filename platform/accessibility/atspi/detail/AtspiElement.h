#pragma once

// Inside the AT-SPI bridge only (detail/): it carries GLib or AT-SPI types, which programs never
// see; they include the bridge's headers one folder up.

#include "platform/accessibility/AccessibilityElement.h"
#include "platform/accessibility/atspi/detail/GObjectPtr.h"

#include <atspi/atspi-constants.h>

using AtspiAccessible = struct _AtspiAccessible;

namespace platform::atspi
{

// How a desktop role is shown to the capture code. `topLevel`: the element's parent is the
// application; `holdsText`: a table cell with text in it.
QString presentedRole(AtspiRole role, bool topLevel, bool holdsText);

// One accessible of another application. Every read asks that application over the bus; a read
// that fails gives an invalid value or a null reference.
//
// Attributes: "AXRole", "AXTitle" (the accessible name), "AXValue" (the text of a text element,
// the text of a table cell, else the current value of a value element), "AXTopLevelUIElement",
// "AXSelectedText" and "AXSelectedChildren".
class AtspiElement final : public AccessibilityElement
{
public:
    // Null for a null accessible.
    static AccessibilityElementRef wrap(GObjectPtr<AtspiAccessible> accessible);
    explicit AtspiElement(GObjectPtr<AtspiAccessible> accessible);

    QVariant valueOfAttribute(const QString& name) const override;
    AccessibilityElementRef parent() const override;
    QList<AccessibilityElementRef> children() const override;
    AccessibilityElementRef topLevelElement() const override;
    bool isSameElement(const AccessibilityElement& other) const override;

    AtspiAccessible* accessible() const { return m_accessible.get(); }

private:
    QVariant role() const;
    QVariant value() const;
    QVariant selectedText() const;
    QVariant selectedChildren() const;

    GObjectPtr<AtspiAccessible> m_accessible;
};

} // namespace platform::atspi
