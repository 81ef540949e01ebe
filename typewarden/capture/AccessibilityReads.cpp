#include "typewarden/capture/AccessibilityReads.h"

namespace typewarden::axread
{

namespace
{

// A tree whose parents loop back must not hang the pointer timer.
constexpr int kMaximumDepth = 256;

std::optional<QString> stringOf(const QVariant& value)
{
    if (!value.isValid() || value.isNull() || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

} // namespace

QVariant valueOfAttribute(const QString& attribute, const Element& element)
{
    return element ? element->valueOfAttribute(attribute) : QVariant();
}

QVariant valueOfUIElement(const Element& element)
{
    return valueOfAttribute(platform::ax::Value, element);
}

std::optional<QString> roleOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(platform::ax::Role, element));
}

std::optional<QString> titleOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(platform::ax::Title, element));
}

std::optional<QString> selectedTextOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(kSelectedTextAttribute, element));
}

Element parentOfUIElement(const Element& element)
{
    return element ? element->parent() : Element();
}

QList<Element> selectedChildrenUIElement(const Element& element)
{
    return qvariant_cast<QList<Element>>(valueOfAttribute(kSelectedChildrenAttribute, element));
}

QList<Element> childrenUIElement(const Element& element)
{
    return element ? element->children() : QList<Element>();
}

Element topLevelUIElement(const Element& element)
{
    return qvariant_cast<Element>(valueOfAttribute(platform::ax::TopLevelUIElement, element));
}

std::optional<QStringList> getLineageOfElement(const Element& element)
{
    static const QStringList stopTitles{QStringLiteral("Cut"),          QStringLiteral("Copy"),
                                        QStringLiteral("Paste"),        QStringLiteral("Font..."),
                                        QStringLiteral("Paragraph..."), QStringLiteral("Bullets"),
                                        QStringLiteral("ignore"),       QStringLiteral("add")};
    const std::optional<QString> title = titleOfUIElement(element);
    if (title && stopTitles.contains(*title, Qt::CaseSensitive))
        return std::nullopt;

    QStringList lineage;
    Element current = element;
    for (int depth = 0; current && depth < kMaximumDepth; ++depth) {
        if (const std::optional<QString> role = roleOfUIElement(current))
            lineage << *role;
        current = current->parent();
    }
    return lineage;
}

} // namespace typewarden::axread
