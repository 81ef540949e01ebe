// The payload that names copied lesson items: resolved before and after a save, refused when
// damaged. (The text forms are tested with the copies that put them on the pasteboard.)
#include "lexotrace/lessons/LessonPasteboard.h"
#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/StoreCoordinator.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using platform::ManagedObject;
namespace key = model::key;
namespace board = lexotrace::lessonPasteboard;

namespace
{

struct Lesson {
    std::shared_ptr<platform::StoreCoordinator> coordinator =
        std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    std::unique_ptr<platform::ObjectContext> context;
    ManagedObject* unit = nullptr;
    ManagedObject* section = nullptr;
    ManagedObject* row = nullptr;

    // Unit G, its section R, and the row cat (bit a), hat (no bit), bat.
    Lesson()
    {
        coordinator->addStore(testsupport::sandboxRoot() + "/pasteboard-lessons.xml", nullptr);
        context = std::make_unique<platform::ObjectContext>(coordinator);
        unit = context->insertNewObject(model::entity::Unit);
        unit->setValue(key::generalRule, "G");
        section = context->insertNewObject(model::entity::Sections);
        section->setValue(key::rule, "R");
        section->setToOne(key::unit, unit);
        row = context->insertNewObject(model::entity::RelatedWords);
        row->setValue(key::word(1), "cat");
        row->setValue(key::bit(1), "a");
        row->setValue(key::word(2), "hat");
        row->setValue(key::word(3), "bat");
        row->setToOne(key::section, section);
    }
};

TEST(LessonPayload, NamesTheCopiedItemsBeforeAndAfterTheyAreSavedAndRefusesDamage)
{
    Lesson l;
    const auto unsaved = board::payloadArchive({l.unit, l.row});
    ASSERT_TRUE(unsaved);
    auto items = board::resolvePayload(*unsaved, *l.context, *l.coordinator);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2);
    EXPECT_EQ((*items)[0].object, l.unit);
    EXPECT_EQ((*items)[1].object, l.row);
    EXPECT_TRUE((*items)[0].temporary);

    ASSERT_TRUE(l.context->save());
    const auto saved = board::payloadArchive({l.section});
    items = board::resolvePayload(*saved, *l.context, *l.coordinator);
    ASSERT_TRUE(items && items->size() == 1);
    EXPECT_EQ((*items)[0].object, l.section);
    EXPECT_FALSE((*items)[0].temporary);

    // A deleted item is named but no longer there.
    l.context->deleteObject(l.section);
    items = board::resolvePayload(*saved, *l.context, *l.coordinator);
    ASSERT_TRUE(items && items->size() == 1);
    EXPECT_EQ((*items)[0].object, nullptr);

    for (const QByteArray& damaged :
         {QByteArray("not an archive"), saved->left(saved->size() - 3),
          platform::keyedArchive::archive(QVariantMap{{"urID", "x"}}).value()})
        EXPECT_EQ(board::resolvePayload(damaged, *l.context, *l.coordinator), std::nullopt);
}

} // namespace
