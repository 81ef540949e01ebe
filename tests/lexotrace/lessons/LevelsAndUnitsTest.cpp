// Numbering of levels and units as the user adds, inserts and removes them, and undo of each.
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <gtest/gtest.h>

using namespace lessonstest;

namespace
{

QStringList oneToN(int n)
{
    QStringList numbers;
    for (int i = 1; i <= n; ++i)
        numbers << QString::number(i);
    return numbers;
}

} // namespace

TEST(LevelsArrayController, AddedLevelFollowsTheLastLevelAndRuleCode)
{
    LessonsFixture f([](LessonsStore& s) {
        // Stored out of order, so that "last" must come from the numeric order.
        for (int n : {10, 2, 5, 1, 7, 3, 4})
            s.addLevel(n, n == 10 ? 12 : 2, 0, n == 10 ? QStringLiteral("42") : QString());
    });
    f.levels().updateLevelNumbersForLevel();
    ASSERT_EQ(shown(f.levels(), key::levelNumber), oneToN(7));
    EXPECT_EQ(f.levels().getLastRuleCode(), "42");
    f.levels().setSelectionIndex(2);

    ASSERT_TRUE(f.levels().add());
    EXPECT_EQ(shown(f.levels(), key::levelNumber), oneToN(8));
    ManagedObject* level = f.levels().arrangedObjects().last();
    const QList<ManagedObject*> units = level->toMany(key::units);
    ASSERT_EQ(units.size(), 1);
    EXPECT_EQ(units[0]->string(key::unitNumber), "1");
    EXPECT_EQ(units[0]->string(key::generalRuleCode), "43");
    // The selection moves to the new level only once the lists have settled.
    EXPECT_EQ(selected(f.levels(), key::levelNumber), "3");
    EXPECT_TRUE(waitUntil([&] { return f.levels().lastSelectedObject() == level; }));
    EXPECT_EQ(f.units().arrangedObjects(), units);
}

TEST(LevelsArrayController, FirstRuleCodeIsOneWhenTheLastIsMissingOrNotANumber)
{
    for (const QVariant& code : {QVariant(), QVariant(QStringLiteral("n/a"))}) {
        LessonsFixture f([&](LessonsStore& s) {
            s.addLevel(1, 1)->toMany(key::units)[0]->setValue(key::generalRuleCode, code);
        });
        f.levels().add();
        EXPECT_EQ(f.levels().arrangedObjects().last()->toMany(key::units)[0]->string(
                      key::generalRuleCode),
                  "1")
            << code.toString().toStdString();
    }
    LessonsFixture empty([](LessonsStore&) {});
    empty.levels().add();
    EXPECT_EQ(shown(empty.levels(), key::levelNumber), QStringList{"1"});
}

TEST(LevelsArrayController, RemovingALevelRenumbersAndSelectsTheLevelBefore)
{
    LessonsFixture f([](LessonsStore& s) {
        for (int n = 1; n <= 5; ++n)
            s.addLevel(n, 2, 1);
    });
    ManagedObject* third = f.levels().arrangedObjects()[2];
    const QList<ManagedObject*> itsUnits = third->toMany(key::units);
    f.levels().setSelectionIndex(2);

    f.levels().remove();
    EXPECT_EQ(shown(f.levels(), key::levelNumber), oneToN(4));
    EXPECT_EQ(f.levels().selectionIndex(), 1);
    EXPECT_EQ(selected(f.levels(), key::levelNumber), "2");
    // Its units and their sections go with it.
    EXPECT_TRUE(itsUnits[0]->isDeleted());
    EXPECT_TRUE(itsUnits[0]->toMany(key::sections).isEmpty());
    EXPECT_EQ(f.store.context->count(platform::FetchRequest::all(entity::Unit)), 8);

    // Removing the first level leaves the new first one selected.
    f.levels().setSelectionIndex(0);
    f.levels().remove();
    EXPECT_EQ(shown(f.levels(), key::levelNumber), oneToN(3));
    EXPECT_EQ(f.levels().selectionIndex(), 0);
}

TEST(UnitsArrayController, InsertedUnitLandsAfterTheSelectedOneAndIsSelected)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 4); });
    ManagedObject* level = f.levels().arrangedObjects()[0];
    ManagedObject* former3 = f.units().arrangedObjects()[2];
    ManagedObject* former4 = f.units().arrangedObjects()[3];
    f.units().setSelectionIndex(1);

    ASSERT_TRUE(f.units().add());
    EXPECT_EQ(f.units().insertIndexString(), "3");
    EXPECT_EQ(former3->string(key::unitNumber), "4");
    EXPECT_EQ(former4->string(key::unitNumber), "5");
    settle();
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(5));
    ManagedObject* inserted = f.units().lastSelectedObject();
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(f.units().selectionIndex(), 2);
    EXPECT_EQ(inserted->string(key::unitNumber), "3");
    EXPECT_EQ(inserted->toOne(key::level), level);
    EXPECT_EQ(inserted->string(key::generalRuleCode), "000");
    // An empty rule, not an absent one.
    EXPECT_TRUE(inserted->hasValue(key::generalRule));
    EXPECT_EQ(inserted->string(key::generalRule), "");

    // Inserted on its own, it is selected once the list has sorted; until then the selection
    // rests on the unit that followed.
    f.units().setSelectionIndex(1);
    ManagedObject* unit = f.units().newObject();
    f.units().insertObject(unit, 1);
    EXPECT_EQ(selected(f.units(), key::unitNumber), "4");
    settle();
    EXPECT_EQ(f.units().lastSelectedObject(), unit);
    EXPECT_EQ(f.units().selectionIndex(), 2);
}

TEST(UnitsArrayController, UnitInsertedAfterTheLastOrIntoAnEmptyLevel)
{
    LessonsFixture f([](LessonsStore& s) {
        s.addLevel(1, 2);
        s.addLevel(2, 0);
    });
    f.units().setSelectionIndex(1);
    f.units().add();
    settle();
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(3));
    EXPECT_EQ(f.units().selectionIndex(), 2);

    f.levels().setSelectionIndex(1);
    EXPECT_TRUE(f.units().arrangedObjects().isEmpty());
    f.units().add();
    settle();
    EXPECT_EQ(shown(f.units(), key::unitNumber), QStringList{"1"});
    EXPECT_EQ(f.units().selectionIndex(), 0);
}

TEST(UnitsArrayController, UnitNeedsASelectedLevel)
{
    LessonsFixture f([](LessonsStore&) {});
    EXPECT_FALSE(f.units().add());
    settle();
    EXPECT_FALSE(f.store.context->hasChanges());
}

TEST(UnitsArrayController, RemovingAUnitRenumbersAndSelectsTheUnitBefore)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 6); });
    const auto removeAt = [&](qsizetype at) {
        f.units().setSelectionIndex(at);
        f.units().remove();
    };
    removeAt(1); // "2" of six
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(5));
    EXPECT_EQ(f.units().selectionIndex(), 0);

    removeAt(4); // the last
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(4));
    EXPECT_EQ(f.units().selectionIndex(), 3);

    removeAt(2); // the one before the last
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(3));
    EXPECT_EQ(f.units().selectionIndex(), 1);

    removeAt(0); // the first
    EXPECT_EQ(shown(f.units(), key::unitNumber), oneToN(2));
    EXPECT_EQ(f.units().selectionIndex(), 0);
    EXPECT_EQ(f.levels().arrangedObjects()[0]->toMany(key::units).size(), 2);
}

TEST(UnitsArrayController, DeletingAnObjectByItsIdentifier)
{
    ManagedObject* row = nullptr;
    LessonsFixture f([&](LessonsStore& s) {
        ManagedObject* level = s.addLevel(1, 1, 1);
        row = s.addRow(level->toMany(key::units)[0]->toMany(key::sections)[0], "cat", "a");
    });
    const platform::ObjectID id = row->objectID();
    EXPECT_TRUE(f.units().deleteThisWordOfCoreData(id));
    EXPECT_TRUE(row->isDeleted());
    EXPECT_TRUE(f.alerts().shown.isEmpty());

    // Gone now: the user is told, and nothing else changes.
    settle();
    const auto rowsLeft = f.store.context->count(platform::FetchRequest::all(entity::RelatedWords));
    EXPECT_FALSE(f.units().deleteThisWordOfCoreData(id));
    ASSERT_EQ(f.alerts().shown.size(), 1);
    EXPECT_FALSE(f.alerts().shown[0].sheet);
    EXPECT_EQ(f.store.context->count(platform::FetchRequest::all(entity::RelatedWords)), rowsLeft);

    f.store.undo.undo();
    EXPECT_FALSE(row->isDeleted());
    EXPECT_FALSE(f.store.context->hasChanges());
}

TEST(ArrayControllerModel, RowsFollowTheControllerWithoutAReset)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 3); });
    platform::ArrayControllerModel model(&f.units(), {{key::unitNumber, "Unit"}});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    const auto column = [&] {
        QStringList values;
        for (int r = 0; r < model.rowCount(); ++r)
            values << model.index(r, 0).data().toString();
        return values;
    };

    f.units().setSelectionIndex(0);
    f.units().add();
    settle();
    EXPECT_EQ(column(), oneToN(4));
    f.units().setSelectionIndex(3);
    f.units().remove();
    settle();
    EXPECT_EQ(column(), oneToN(3));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Unit");

    // A section put at the bottom moves to the top when the list sorts again.
    platform::ArrayControllerModel sections(&f.sections(), {{key::sectionNumber, "Section"}});
    QSignalSpy moved(&sections, &QAbstractItemModel::rowsMoved);
    f.sections().add();
    f.sections().addSectionAtEnd();
    EXPECT_EQ(sections.objectAt(1), f.sections().lastSelectedObject());
    settle();
    EXPECT_EQ(sections.objectAt(0), f.sections().lastSelectedObject());
    EXPECT_EQ(sections.index(1, 0).data().toString(), "1");
    EXPECT_EQ(moved.count(), 1);
}
