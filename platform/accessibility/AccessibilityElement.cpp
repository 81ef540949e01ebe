#include "platform/accessibility/AccessibilityElement.h"

namespace platform
{

std::shared_ptr<MemoryAccessibilityElement>
MemoryAccessibilityElement::make(const QString& role, const QString& title, const QVariant& value)
{
    auto element = std::make_shared<MemoryAccessibilityElement>();
    if (!role.isEmpty())
        element->m_attributes[ax::Role] = role;
    if (!title.isNull())
        element->m_attributes[ax::Title] = title;
    if (value.isValid())
        element->m_attributes[ax::Value] = value;
    return element;
}

std::shared_ptr<MemoryAccessibilityElement>
MemoryAccessibilityElement::add(const QString& role, const QString& title, const QVariant& value)
{
    auto child = make(role, title, value);
    child->m_parent = weak_from_this();
    m_children.append(child);
    return child;
}

QVariant MemoryAccessibilityElement::valueOfAttribute(const QString& name) const
{
    if (name == ax::TopLevelUIElement) {
        const AccessibilityElementRef top = topLevelElement();
        return top ? QVariant::fromValue(top) : QVariant();
    }
    return m_attributes.value(name);
}

QList<AccessibilityElementRef> MemoryAccessibilityElement::children() const
{
    return QList<AccessibilityElementRef>(m_children.begin(), m_children.end());
}

AccessibilityElementRef MemoryAccessibilityElement::topLevelElement() const
{
    // The outermost element that is not the application itself.
    auto self = std::const_pointer_cast<MemoryAccessibilityElement>(shared_from_this());
    std::shared_ptr<MemoryAccessibilityElement> element = self;
    while (auto up = element->m_parent.lock()) {
        if (!up->m_parent.lock())
            return element; // `up` is the application
        element = up;
    }
    return element;
}

} // namespace platform
