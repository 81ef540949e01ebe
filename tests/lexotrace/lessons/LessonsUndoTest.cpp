// Every edit of the factory curriculum is one undo step, and undoing them all gives back the store.
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <gtest/gtest.h>

using namespace lessonstest;

TEST(LessonsUndo, EachEditIsOneStepAndUndoingAllRestoresTheStore)
{
    LessonsFixture f([](LessonsStore& s) { s.fillFromFactoryFile(); });
    const qsizetype factoryLevels = f.levels().arrangedObjects().size();
    ASSERT_GE(factoryLevels, 13);
    const QStringList original = storeLines(*f.store.context);
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
    EXPECT_EQ(f.levels().arrangedObjects().size(), factoryLevels);
    EXPECT_NE(storeLines(*f.store.context), original);

    for (qsizetype step = 0; step < edits.size(); ++step) {
        ASSERT_TRUE(f.store.undo.canUndo()) << step;
        f.store.undo.undo();
    }
    EXPECT_FALSE(f.store.undo.canUndo());
    EXPECT_FALSE(f.store.context->hasChanges());
    EXPECT_EQ(storeLines(*f.store.context), original);
    settle();
    EXPECT_EQ(f.levels().arrangedObjects().size(), factoryLevels);
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
