// The conversions the lessons window shows and edits its values with.
#include "lexotrace/lessons/LessonValueTransformers.h"
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <gtest/gtest.h>

using namespace lexotrace;

TEST(LessonValueTransformers, TextToNumber)
{
    using T = XXStringToNumberTransformer;
    EXPECT_EQ(T::transformedValue(QStringLiteral("42")), QVariant(qlonglong(42)));
    EXPECT_EQ(T::transformedValue(QStringLiteral(" 2.5 ")), QVariant(2.5));
    EXPECT_EQ(T::transformedValue(QStringLiteral("-7")), QVariant(qlonglong(-7)));
    for (const QString& text : {QStringLiteral("12abc"), QStringLiteral(""), QStringLiteral("x")})
        EXPECT_FALSE(T::transformedValue(text).isValid()) << text.toStdString();
    EXPECT_FALSE(T::transformedValue(QVariant()).isValid());
    EXPECT_FALSE(T::allowsReverseTransformation());
}

TEST(LessonValueTransformers, NumberAndTextBothWays)
{
    using T = XXNumberTransformer;
    EXPECT_EQ(T::transformedValue(17), QVariant(QStringLiteral("17")));
    EXPECT_EQ(T::transformedValue(qlonglong(-3)), QVariant(QStringLiteral("-3")));
    EXPECT_EQ(T::transformedValue(2.5), QVariant(QStringLiteral("2.5")));
    EXPECT_FALSE(T::transformedValue(QVariant()).isValid());

    EXPECT_EQ(T::reverseTransformedValue(QStringLiteral("043")), QVariant(43));
    EXPECT_EQ(T::reverseTransformedValue(QStringLiteral(" -12 units")), QVariant(-12));
    EXPECT_EQ(T::reverseTransformedValue(QStringLiteral("none")), QVariant(0));
    // Held at the 32-bit limits.
    EXPECT_EQ(T::reverseTransformedValue(QStringLiteral("99999999999")),
              QVariant(std::numeric_limits<int>::max()));
    EXPECT_EQ(T::reverseTransformedValue(QStringLiteral("-99999999999")),
              QVariant(std::numeric_limits<int>::min()));
    EXPECT_FALSE(T::reverseTransformedValue(QVariant()).isValid());
    EXPECT_FALSE(T::reverseTransformedValue(QString()).isValid());
}

TEST(LessonValueTransformers, StyledRuleText)
{
    using T = XXStringTransformer;
    const auto light = T::transformedValue(QStringLiteral("Drop the e."), T::Appearance::Light);
    ASSERT_TRUE(light.has_value());
    EXPECT_EQ(light->text, "Drop the e.");
    EXPECT_EQ(light->color, QColor(Qt::black));
    EXPECT_EQ(T::transformedValue(QStringLiteral("x"), T::Appearance::Dark)->color,
              QColor(Qt::white));
    EXPECT_EQ(T::reverseTransformedValue(light), "Drop the e.");

    EXPECT_FALSE(T::transformedValue(QString()).has_value());
    EXPECT_TRUE(T::reverseTransformedValue(std::nullopt).isNull());
    // An empty text is a value, not nothing.
    EXPECT_TRUE(T::transformedValue(QStringLiteral("")).has_value());
}

TEST(LessonValueTransformers, SetToListAndBack)
{
    lessonstest::LessonsStore store;
    platform::ManagedObject* level = store.addLevel(1, 3);
    const QList<platform::ManagedObject*> units = level->toMany(model::key::units);
    const QSet<platform::ManagedObject*> members(units.begin(), units.end());

    const QList<platform::ManagedObject*> list =
        OrderedSetArrayValueTransformer::transformedValue(members);
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(QSet<platform::ManagedObject*>(list.begin(), list.end()), members);
    EXPECT_EQ(OrderedSetArrayValueTransformer::reverseTransformedValue(units + units), members);
}
