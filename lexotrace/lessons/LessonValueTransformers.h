#pragma once

#include "platform/store/ManagedObject.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>

namespace lexotrace
{

// The conversions the lessons window's views use to show and edit the stored strings and sets.
// An absent value stays absent both ways.

// Text to the number a decimal number formatter reads from it ("1,234", "2.5"); absent when the
// text is not a number. There is no way back.
class XXStringToNumberTransformer
{
public:
    static constexpr bool allowsReverseTransformation() { return false; }
    static QVariant transformedValue(const QVariant& text);
};

// A number to its decimal text, and text back to its leading 32-bit integer.
class XXNumberTransformer
{
public:
    static QVariant transformedValue(const QVariant& number);
    static QVariant reverseTransformedValue(const QVariant& text);
};

// Text as the rule views show it: the sans-serif "Lucida Grande" at 13 points, black on a light
// appearance and white on a dark one.
class XXStringTransformer
{
public:
    enum class Appearance { Light, Dark };
    struct StyledText {
        QString text;
        QFont font;
        QColor color;
    };

    // Dark when the application's window colour is dark.
    static Appearance currentAppearance();
    static std::optional<StyledText> transformedValue(const QString& text,
                                                      Appearance appearance = currentAppearance());
    static QString reverseTransformedValue(const std::optional<StyledText>& styled);
};

// A relationship's members (a set) as a list for a view, and a list back to a set.
class OrderedSetArrayValueTransformer
{
public:
    static QList<platform::ManagedObject*>
    transformedValue(const QSet<platform::ManagedObject*>& members);
    static QSet<platform::ManagedObject*>
    reverseTransformedValue(const QList<platform::ManagedObject*>& members);
};

} // namespace lexotrace
