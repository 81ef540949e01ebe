// The payload that names copied lesson items: resolved before and after a save, refused when
// damaged. (The text forms are tested with the copies that put them on the pasteboard.)
#include "lexotrace/lessons/LessonPasteboard.h"
#include "platform/Pasteboard.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using platform::ManagedObject;
namespace key = model::key;
namespace board = lexotrace::lessonPasteboard;

namespace
{

TEST(LessonPayload, NamesTheCopiedItemsBeforeAndAfterTheyAreSavedAndRefusesDamage)
{
    testsupport::StoreOnDisk l(testsupport::sandboxRoot() + "/pasteboard-lessons.xml");
    ManagedObject* unit = l.context->insertNewObject(model::entity::Unit);
    ManagedObject* section = l.context->insertNewObject(model::entity::Sections);
    section->setToOne(key::unit, unit);
    ManagedObject* row = l.context->insertNewObject(model::entity::RelatedWords);
    row->setToOne(key::section, section);
    const auto unsaved = board::payloadArchive({unit, row});
    ASSERT_TRUE(unsaved);
    auto items = board::resolvePayload(*unsaved, *l.context, *l.coordinator);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2);
    EXPECT_EQ((*items)[0].object, unit);
    EXPECT_EQ((*items)[1].object, row);
    EXPECT_TRUE((*items)[0].temporary);

    ASSERT_TRUE(l.context->save());
    const auto saved = board::payloadArchive({section});
    items = board::resolvePayload(*saved, *l.context, *l.coordinator);
    ASSERT_TRUE(items && items->size() == 1);
    EXPECT_EQ((*items)[0].object, section);
    EXPECT_FALSE((*items)[0].temporary);

    // A deleted item is named but no longer there.
    l.context->deleteObject(section);
    items = board::resolvePayload(*saved, *l.context, *l.coordinator);
    ASSERT_TRUE(items && items->size() == 1);
    EXPECT_EQ((*items)[0].object, nullptr);

    for (const QByteArray& damaged :
         {QByteArray("not an archive"), saved->left(saved->size() - 3),
          platform::keyedArchive::archive(QVariantMap{{"urID", "x"}}).value()})
        EXPECT_EQ(board::resolvePayload(damaged, *l.context, *l.coordinator), std::nullopt);
}

} // namespace
