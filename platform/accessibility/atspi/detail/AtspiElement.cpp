// GLib's headers name struct members "signals", which Qt defines as a macro: AT-SPI comes first.
#include <atspi/atspi.h>

#include "platform/accessibility/atspi/detail/AtspiElement.h"

#include <QRegularExpression>

#include <optional>

namespace platform::atspi
{

namespace
{

// Parents that loop back must not hang a caller.
constexpr int kMaximumDepth = 256;

AtspiRole roleOf(AtspiAccessible* accessible)
{
    GErrorSlot error;
    const AtspiRole role = atspi_accessible_get_role(accessible, error.out());
    return error.failed() ? ATSPI_ROLE_INVALID : role;
}

GObjectPtr<AtspiAccessible> parentOf(AtspiAccessible* accessible)
{
    GErrorSlot error;
    auto parent =
        GObjectPtr<AtspiAccessible>::adopt(atspi_accessible_get_parent(accessible, error.out()));
    return error.failed() ? GObjectPtr<AtspiAccessible>() : parent;
}

std::optional<QString> textOf(AtspiAccessible* accessible)
{
    auto text = GObjectPtr<AtspiText>::adopt(atspi_accessible_get_text_iface(accessible));
    if (!text)
        return std::nullopt;
    GErrorSlot error;
    const gint count = atspi_text_get_character_count(text.get(), error.out());
    if (error.failed())
        return std::nullopt;
    QString contents = takeString(atspi_text_get_text(text.get(), 0, count, error.out()));
    if (error.failed())
        return std::nullopt;
    return contents;
}

QString nameOf(AtspiAccessible* accessible)
{
    GErrorSlot error;
    QString name = takeString(atspi_accessible_get_name(accessible, error.out()));
    return error.failed() ? QString() : name;
}

// A cell's text: its text contents, or its name where the toolkit keeps the text there.
QString cellText(AtspiAccessible* accessible)
{
    const std::optional<QString> text = textOf(accessible);
    return text && !text->isEmpty() ? *text : nameOf(accessible);
}

} // namespace

QString presentedRole(AtspiRole role, bool topLevel, bool holdsText)
{
    switch (role) {
    case ATSPI_ROLE_FRAME:
    case ATSPI_ROLE_DIALOG:
    case ATSPI_ROLE_WINDOW:
    case ATSPI_ROLE_FILLER:
        if (topLevel)
            return ax::Window;
        break;
    case ATSPI_ROLE_TEXT:
    case ATSPI_ROLE_ENTRY:
        return ax::TextField;
    case ATSPI_ROLE_TABLE_CELL:
        if (holdsText)
            return ax::TextField;
        break;
    case ATSPI_ROLE_SCROLL_PANE:
        return ax::ScrollArea;
    case ATSPI_ROLE_TABLE:
    case ATSPI_ROLE_TREE_TABLE:
    case ATSPI_ROLE_LIST:
        return ax::Table;
    case ATSPI_ROLE_TABLE_ROW:
    case ATSPI_ROLE_LIST_ITEM:
        return ax::Row;
    case ATSPI_ROLE_PUSH_BUTTON:
        return ax::Button;
    default:
        break;
    }
    // Anything else keeps its own name: "menu item" becomes "AXMenuItem".
    const GMemoryPtr<> name(atspi_role_get_name(role));
    QString presented = QStringLiteral("AX");
    const QString words = name ? QString::fromUtf8(name.get()) : QStringLiteral("unknown");
    for (const QString& word :
         words.split(QRegularExpression(QStringLiteral("[ _-]")), Qt::SkipEmptyParts))
        presented += word.front().toUpper() + word.mid(1);
    return presented;
}

AccessibilityElementRef AtspiElement::wrap(GObjectPtr<AtspiAccessible> accessible)
{
    if (!accessible)
        return nullptr;
    return std::make_shared<AtspiElement>(std::move(accessible));
}

AtspiElement::AtspiElement(GObjectPtr<AtspiAccessible> accessible)
    : m_accessible(std::move(accessible))
{
}

QVariant AtspiElement::valueOfAttribute(const QString& name) const
{
    if (name == ax::Role)
        return role();
    if (name == ax::Title) {
        GErrorSlot error;
        QString title = takeString(atspi_accessible_get_name(accessible(), error.out()));
        return error.failed() ? QVariant() : QVariant(title);
    }
    if (name == ax::Value)
        return value();
    if (name == ax::TopLevelUIElement) {
        const AccessibilityElementRef top = topLevelElement();
        return top ? QVariant::fromValue(top) : QVariant();
    }
    if (name == QLatin1String("AXSelectedText"))
        return selectedText();
    if (name == QLatin1String("AXSelectedChildren"))
        return selectedChildren();
    return {};
}

QVariant AtspiElement::role() const
{
    const AtspiRole role = roleOf(accessible());
    if (role == ATSPI_ROLE_INVALID)
        return {};
    bool topLevel = false;
    bool holdsText = false;
    if (role == ATSPI_ROLE_FRAME || role == ATSPI_ROLE_DIALOG || role == ATSPI_ROLE_WINDOW ||
        role == ATSPI_ROLE_FILLER) {
        const GObjectPtr<AtspiAccessible> up = parentOf(accessible());
        topLevel = up && roleOf(up.get()) == ATSPI_ROLE_APPLICATION;
    } else if (role == ATSPI_ROLE_TABLE_CELL) {
        holdsText = !cellText(accessible()).isEmpty();
    }
    return presentedRole(role, topLevel, holdsText);
}

QVariant AtspiElement::value() const
{
    if (std::optional<QString> text = textOf(accessible()))
        return *text;
    if (roleOf(accessible()) == ATSPI_ROLE_TABLE_CELL) {
        const QString text = cellText(accessible());
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    auto value = GObjectPtr<AtspiValue>::adopt(atspi_accessible_get_value_iface(accessible()));
    if (!value)
        return {};
    GErrorSlot error;
    const double current = atspi_value_get_current_value(value.get(), error.out());
    return error.failed() ? QVariant() : QVariant(current);
}

QVariant AtspiElement::selectedText() const
{
    auto text = GObjectPtr<AtspiText>::adopt(atspi_accessible_get_text_iface(accessible()));
    if (!text)
        return {};
    GErrorSlot error;
    const gint selections = atspi_text_get_n_selections(text.get(), error.out());
    if (error.failed())
        return {};
    if (selections <= 0)
        return QString(QLatin1String(""));
    const GMemoryPtr<AtspiRange> range(atspi_text_get_selection(text.get(), 0, error.out()));
    if (error.failed() || !range)
        return {};
    QString selected = takeString(
        atspi_text_get_text(text.get(), range->start_offset, range->end_offset, error.out()));
    return error.failed() ? QVariant() : QVariant(selected);
}

QVariant AtspiElement::selectedChildren() const
{
    auto selection =
        GObjectPtr<AtspiSelection>::adopt(atspi_accessible_get_selection_iface(accessible()));
    if (!selection)
        return {};
    GErrorSlot error;
    const gint count = atspi_selection_get_n_selected_children(selection.get(), error.out());
    if (error.failed())
        return {};
    QList<AccessibilityElementRef> selected;
    for (gint i = 0; i < count; ++i) {
        auto child = GObjectPtr<AtspiAccessible>::adopt(
            atspi_selection_get_selected_child(selection.get(), i, error.out()));
        if (!error.failed() && child)
            selected << wrap(std::move(child));
    }
    return QVariant::fromValue(selected);
}

AccessibilityElementRef AtspiElement::parent() const
{
    GObjectPtr<AtspiAccessible> up = parentOf(accessible());
    // The application is the top of its tree, as the capture code expects; the desktop is not
    // shown above it.
    if (!up || roleOf(up.get()) == ATSPI_ROLE_DESKTOP_FRAME)
        return nullptr;
    return wrap(std::move(up));
}

QList<AccessibilityElementRef> AtspiElement::children() const
{
    GErrorSlot error;
    const gint count = atspi_accessible_get_child_count(accessible(), error.out());
    QList<AccessibilityElementRef> children;
    for (gint i = 0; !error.failed() && i < count; ++i) {
        auto child = GObjectPtr<AtspiAccessible>::adopt(
            atspi_accessible_get_child_at_index(accessible(), i, error.out()));
        if (error.failed())
            return {};
        if (child)
            children << wrap(std::move(child));
    }
    return children;
}

AccessibilityElementRef AtspiElement::topLevelElement() const
{
    GObjectPtr<AtspiAccessible> current = m_accessible;
    for (int depth = 0; depth < kMaximumDepth; ++depth) {
        GObjectPtr<AtspiAccessible> up = parentOf(current.get());
        if (!up)
            return nullptr;
        const AtspiRole role = roleOf(up.get());
        if (role == ATSPI_ROLE_APPLICATION)
            return wrap(std::move(current));
        if (role == ATSPI_ROLE_DESKTOP_FRAME || role == ATSPI_ROLE_INVALID)
            return nullptr; // the application itself, or a broken tree
        current = std::move(up);
    }
    return nullptr;
}

bool AtspiElement::isSameElement(const AccessibilityElement& other) const
{
    const auto* peer = dynamic_cast<const AtspiElement*>(&other);
    if (!peer)
        return false;
    if (peer->accessible() == accessible())
        return true;
    // libatspi keeps one object per remote object; compare the addresses all the same.
    const auto* mine = reinterpret_cast<const AtspiObject*>(accessible());
    const auto* theirs = reinterpret_cast<const AtspiObject*>(peer->accessible());
    return mine->app && theirs->app && mine->path && theirs->path &&
           qstrcmp(mine->app->bus_name, theirs->app->bus_name) == 0 &&
           qstrcmp(mine->path, theirs->path) == 0;
}

} // namespace platform::atspi
