#include "typewarden/capture/UIAppDelegateController.h"

namespace typewarden
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

QVariant UIAppDelegateController::valueOfAttribute(const QString& attribute, const Element& element)
{
    return element ? element->valueOfAttribute(attribute) : QVariant();
}

QVariant UIAppDelegateController::valueOfUIElement(const Element& element)
{
    return valueOfAttribute(platform::ax::Value, element);
}

std::optional<QString> UIAppDelegateController::roleOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(platform::ax::Role, element));
}

std::optional<QString> UIAppDelegateController::titleOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(platform::ax::Title, element));
}

std::optional<QString> UIAppDelegateController::selectedTextOfUIElement(const Element& element)
{
    return stringOf(valueOfAttribute(kSelectedTextAttribute, element));
}

UIAppDelegateController::Element UIAppDelegateController::parentOfUIElement(const Element& element)
{
    return element ? element->parent() : Element();
}

QList<UIAppDelegateController::Element>
UIAppDelegateController::selectedChildrenUIElement(const Element& element)
{
    return qvariant_cast<QList<Element>>(valueOfAttribute(kSelectedChildrenAttribute, element));
}

QList<UIAppDelegateController::Element>
UIAppDelegateController::childrenUIElement(const Element& element)
{
    return element ? element->children() : QList<Element>();
}

UIAppDelegateController::Element UIAppDelegateController::topLevelUIElement(const Element& element)
{
    return qvariant_cast<Element>(valueOfAttribute(platform::ax::TopLevelUIElement, element));
}

std::optional<QStringList> UIAppDelegateController::getLineageOfElement(const Element& element)
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

} // namespace typewarden
