// Every edit of the factory curriculum is one undo step, and undoing them all gives back the store.
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <gtest/gtest.h>

using namespace lessonstest;

namespace
{

// Every level, unit, section and row with its values, in one sorted list.
QStringList contents(platform::ObjectContext& context)
{
    QStringList lines;
    const auto rows = context.fetch(platform::FetchRequest::all(entity::RelatedWords)).value();
    for (const ManagedObject* row : rows) {
        QStringList line{row->valueForKeyPath("section.unit.level.levelNumber").toString(),
                         row->valueForKeyPath("section.unit.unitNumber").toString(),
                         row->valueForKeyPath("section.unit.generalRuleCode").toString(),
                         row->valueForKeyPath("section.sectionNumber").toString()};
        for (int slot = 1; slot <= model::kWordSlots; ++slot)
            line << row->string(key::word(slot)) << row->string(key::bit(slot));
        lines << line.join('|');
    }
    for (const QString& entityName : {entity::Levels, entity::Unit, entity::Sections}) {
        const auto objects = context.fetch(platform::FetchRequest::all(entityName)).value();
        for (const ManagedObject* object : objects)
            lines << QStringList{entityName,
                                 object->string(key::levelNumber),
                                 object->valueForKeyPath("level.levelNumber").toString(),
                                 object->string(key::unitNumber),
                                 object->valueForKeyPath("unit.unitNumber").toString(),
                                 object->string(key::sectionNumber)}
                         .join('|');
    }
    lines.sort();
    return lines;
}

} // namespace

TEST(LessonsUndo, EachEditIsOneStepAndUndoingAllRestoresTheStore)
{
    LessonsFixture f([](LessonsStore& s) { s.fillFromFactoryFile(); });
    ASSERT_EQ(f.levels().arrangedObjects().size(), 13);
    const QStringList original = contents(*f.store.context);
    ASSERT_GT(original.size(), 1000);

    f.levels().setSelectionIndex(1);
    f.units().setSelectionIndex(1);
    f.sections().setSelectionIndex(0);

    // Each action in a turn of its own, as the user makes them.
    const QList<std::function<bool()>> edits{
        [&] { return f.units().add(); },
        [&] { return f.sections().add(); },
        [&] { return f.words().addFromMissedWordDragNDrop("zebra"); },
        [&] { return f.levels().add(); },
        [&] {
            f.units().setSelectionIndex(0);
            f.units().remove();
            return true;
        },
        [&] {
            f.levels().setSelectionIndex(4);
            f.levels().remove();
            return true;
        },
    };
    for (const auto& edit : edits) {
        ASSERT_TRUE(edit());
        settle();
    }
    EXPECT_EQ(f.levels().arrangedObjects().size(), 13);
    EXPECT_NE(contents(*f.store.context), original);

    for (qsizetype step = 0; step < edits.size(); ++step) {
        ASSERT_TRUE(f.store.undo.canUndo()) << step;
        f.store.undo.undo();
    }
    EXPECT_FALSE(f.store.undo.canUndo());
    EXPECT_FALSE(f.store.context->hasChanges());
    EXPECT_EQ(contents(*f.store.context), original);
    settle();
    EXPECT_EQ(f.levels().arrangedObjects().size(), 13);
}

TEST(LessonsUndo, TwoEditsInOneTurnAreTwoSteps)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 2); });
    ASSERT_TRUE(f.units().add());
    ASSERT_TRUE(f.levels().add());
    f.store.undo.undo();
    EXPECT_EQ(f.store.context->count(platform::FetchRequest::all(entity::Levels)), 1);
    EXPECT_EQ(f.store.context->count(platform::FetchRequest::all(entity::Unit)), 3);
    f.store.undo.undo();
    EXPECT_EQ(f.store.context->count(platform::FetchRequest::all(entity::Unit)), 2);
    EXPECT_FALSE(f.store.context->hasChanges());
}
