#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace platform
{

class AccessibilityElement;
using AccessibilityElementRef = std::shared_ptr<AccessibilityElement>;

// Attribute names as the capture code reads them.
namespace ax
{
inline const QString Role = QStringLiteral("AXRole");
inline const QString Title = QStringLiteral("AXTitle");
inline const QString Value = QStringLiteral("AXValue");
inline const QString TopLevelUIElement = QStringLiteral("AXTopLevelUIElement");

// Roles, as the desktop's roles are presented to the capture code.
inline const QString Window = QStringLiteral("AXWindow");
inline const QString TextField = QStringLiteral("AXTextField");
inline const QString ScrollArea = QStringLiteral("AXScrollArea");
inline const QString Table = QStringLiteral("AXTable");
inline const QString Row = QStringLiteral("AXRow");
inline const QString Button = QStringLiteral("AXButton");
} // namespace ax

// One element of another application's accessibility tree. Reads that fail, or attributes the
// element does not have, give an invalid QVariant or a null reference; nothing throws.
class AccessibilityElement
{
public:
    virtual ~AccessibilityElement() = default;

    // "AXRole", "AXTitle", "AXValue" and whatever else the element offers.
    virtual QVariant valueOfAttribute(const QString& name) const = 0;
    virtual AccessibilityElementRef parent() const = 0;
    virtual QList<AccessibilityElementRef> children() const = 0;
    // The window (or dialog) that holds the element.
    virtual AccessibilityElementRef topLevelElement() const = 0;
    virtual bool isSameElement(const AccessibilityElement& other) const = 0;
};

// An element held in memory: the double for tests, and the shape the desktop bridge fills.
class MemoryAccessibilityElement : public AccessibilityElement,
                                   public std::enable_shared_from_this<MemoryAccessibilityElement>
{
public:
    static std::shared_ptr<MemoryAccessibilityElement>
    make(const QString& role, const QString& title = {}, const QVariant& value = {});

    // Appends a child and returns it, for building trees in one expression.
    std::shared_ptr<MemoryAccessibilityElement> add(const QString& role, const QString& title = {},
                                                    const QVariant& value = {});
    void setAttribute(const QString& name, const QVariant& value) { m_attributes[name] = value; }

    QVariant valueOfAttribute(const QString& name) const override;
    AccessibilityElementRef parent() const override { return m_parent.lock(); }
    QList<AccessibilityElementRef> children() const override;
    AccessibilityElementRef topLevelElement() const override;
    bool isSameElement(const AccessibilityElement& other) const override { return &other == this; }

private:
    QVariantMap m_attributes;
    std::weak_ptr<MemoryAccessibilityElement> m_parent;
    QList<std::shared_ptr<MemoryAccessibilityElement>> m_children;
};

} // namespace platform
