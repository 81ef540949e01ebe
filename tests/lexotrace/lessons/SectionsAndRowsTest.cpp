// Numbering of sections, and rows of related words added by the user or by a dragged word.
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <gtest/gtest.h>

using namespace lessonstest;

namespace
{

QStringList zeroTo(int last)
{
    QStringList numbers;
    for (int i = 0; i <= last; ++i)
        numbers << QString::number(i);
    return numbers;
}

} // namespace

TEST(SectionsArrayController, AddedSectionFollowsTheSelectedOne)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 1, 4); });
    QList<ManagedObject*> before = f.sections().arrangedObjects();
    f.sections().setSelectionIndex(1);

    ASSERT_TRUE(f.sections().add());
    EXPECT_EQ(before[2]->string(key::sectionNumber), "3");
    EXPECT_EQ(before[3]->string(key::sectionNumber), "4");
    EXPECT_EQ(before[1]->string(key::sectionNumber), "1");
    settle();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), zeroTo(4));
    EXPECT_EQ(f.sections().selectionIndex(), 2);
    EXPECT_FALSE(before.contains(f.sections().lastSelectedObject()));
    EXPECT_EQ(f.sections().lastSelectedObject()->toOne(key::unit), f.units().lastSelectedObject());
}

TEST(SectionsArrayController, WithoutASelectionTheNewSectionGoesAtTheEndUnnumbered)
{
    LessonsFixture f([](LessonsStore& s) {
        s.addLevel(1, 2, 2);
        // The second unit has no sections.
        s.context->deleteObject(
            s.context->fetch(platform::FetchRequest::all(entity::Sections)).value().last());
        s.context->deleteObject(
            s.context->fetch(platform::FetchRequest::all(entity::Sections)).value().last());
    });
    QSignalSpy scrolls(&f.sections(),
                       &lexotrace::SectionsArrayController::scrollSelectionToVisible);
    EXPECT_EQ(f.sections().selectionIndex(), platform::ArrayController::NotFound);
    ASSERT_TRUE(f.sections().add());
    ManagedObject* added = f.sections().lastSelectedObject();
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(added->hasValue(key::sectionNumber));
    settle();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), (QStringList{"", "0", "1"}));
    EXPECT_EQ(f.sections().lastSelectedObject(), added);

    // An empty unit's first section is numbered "1".
    f.units().setSelectionIndex(1);
    EXPECT_TRUE(f.sections().arrangedObjects().isEmpty());
    ASSERT_TRUE(f.sections().add());
    settle();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), QStringList{"1"});
    EXPECT_EQ(f.sections().selectionIndex(), 0);
    EXPECT_EQ(scrolls.count(), 2);
}

TEST(SectionsArrayController, SectionsSortAsTextAndRenumberFromZero)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 1, 11); });
    EXPECT_EQ(shown(f.sections(), key::sectionNumber),
              (QStringList{"0", "1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}));
    f.sections().updateSectionNumbersForUnit();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), zeroTo(10));
}

TEST(SectionsArrayController, RemovingASectionKeepsTheOtherNumbers)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 1, 4); });
    f.sections().setSelectionIndex(1);
    f.sections().remove();
    settle();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), (QStringList{"0", "2", "3"}));
    EXPECT_EQ(f.sections().selectionIndex(), platform::ArrayController::NotFound);
}

TEST(SectionsArrayController, PlainInsertAtTheBottomIsUnnumberedAndSelected)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 1, 3); });
    f.sections().setSelectionIndex(0);
    ASSERT_TRUE(f.sections().addSectionAtEnd());
    ManagedObject* added = f.sections().lastSelectedObject();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(f.sections().selectionIndex(), 3);
    EXPECT_FALSE(added->hasValue(key::sectionNumber));
    EXPECT_EQ(added->toOne(key::unit), f.units().lastSelectedObject());
    settle();
    EXPECT_EQ(shown(f.sections(), key::sectionNumber), (QStringList{"", "0", "1", "2"}));
}

TEST(SectionsArrayController, SectionNeedsASelectedUnit)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 0); });
    EXPECT_FALSE(f.sections().add());
    EXPECT_FALSE(f.sections().addSectionAtEnd());
    settle();
    EXPECT_FALSE(f.store.context->hasChanges());
}

TEST(RelatedWordsArrayController, RowsGoIntoTheSelectedSection)
{
    LessonsFixture f([](LessonsStore& s) {
        ManagedObject* section =
            s.addLevel(1, 1, 1)->toMany(key::units)[0]->toMany(key::sections)[0];
        s.addRow(section, "hat", "a");
    });
    f.sections().setSelectionIndex(0);
    ManagedObject* section = f.sections().lastSelectedObject();

    ASSERT_TRUE(f.words().add());
    ManagedObject* empty = f.words().lastSelectedObject();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->toOne(key::section), section);
    for (int slot = 1; slot <= model::kWordSlots; ++slot)
        EXPECT_FALSE(empty->hasValue(key::word(slot)) || empty->hasValue(key::bit(slot)));

    ASSERT_TRUE(f.words().addFromMissedWordDragNDrop("bat"));
    EXPECT_EQ(shown(f.words(), key::word(1)), (QStringList{"", "bat", "hat"}));
    EXPECT_EQ(selected(f.words(), key::word(1)), "bat");
    EXPECT_TRUE(f.alerts().shown.isEmpty());

    // Removing a row leaves the selection on the row that followed.
    f.words().remove();
    EXPECT_EQ(shown(f.words(), key::word(1)), (QStringList{"", "hat"}));
    EXPECT_EQ(selected(f.words(), key::word(1)), "hat");
}

TEST(RelatedWordsArrayController, WithoutASectionTheUserIsToldAndNothingIsAdded)
{
    LessonsFixture f([](LessonsStore& s) { s.addLevel(1, 1, 1); });
    ASSERT_EQ(f.sections().selectionIndex(), platform::ArrayController::NotFound);
    QWidget window;
    f.words().setSheetWindow(&window);

    EXPECT_FALSE(f.words().add());
    EXPECT_FALSE(f.words().addFromMissedWordDragNDrop("bat"));
    ASSERT_EQ(f.alerts().shown.size(), 2);
    const auto& sheet = f.alerts().shown[0];
    EXPECT_TRUE(sheet.sheet);
    EXPECT_EQ(sheet.window, &window);
    EXPECT_EQ(sheet.alert.messageText, "Please create a unit rule for your imported word.");
    EXPECT_EQ(sheet.alert.informativeText,
              "If none of the rules showing are appropriate, you may create a new one.");
    EXPECT_EQ(sheet.alert.buttons, QStringList{"OK"});
    settle();
    EXPECT_FALSE(f.store.context->hasChanges());
}

TEST(RelatedWordsArrayController, BitOfASectionComesFromOneOfItsRows)
{
    ManagedObject* withRows = nullptr;
    ManagedObject* withoutRows = nullptr;
    LessonsFixture f([&](LessonsStore& s) {
        const auto sections = s.addLevel(1, 1, 2)->toMany(key::units)[0]->toMany(key::sections);
        withRows = sections[0];
        withoutRows = sections[1];
        s.addRow(withRows, "ship", "sh");
        s.addRow(withRows, "shop", "sh");
    });
    EXPECT_EQ(lexotrace::RelatedWordsArrayController::deriveBitFromSectionRule(withRows), "sh");
    EXPECT_TRUE(
        lexotrace::RelatedWordsArrayController::deriveBitFromSectionRule(withoutRows).isNull());
}
