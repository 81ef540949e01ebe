// The payload a lesson copy or drag leaves on the pasteboard and in the payload file: any bytes
// read as a keyed archive and resolved against a small saved lessons store. What the reader takes
// must write and read back as the same value.
#include "lexotrace/lessons/LessonPasteboard.h"
#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"
#include "tests/fuzz/FuzzSupport.h"

#include <memory>

namespace archive = platform::keyedArchive;

namespace
{

// The store the seeds' references name (tests/fuzz/seeds/LessonPasteboard): a level with two
// units, their sections and a row, under a fixed identity.
const char kStore[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<store format="orthova-store" version="1" uuid="0f2d8c1a-6b4e-4c39-9a57-3e1d2b7c5a90" next="7">
<o e="Levels" id="1" levelNumber="1"/>
<o e="Unit" id="2" unitNumber="1" generalRule="one" level="1"/>
<o e="Sections" id="3" sectionNumber="0" rule="first" unit="2"/>
<o e="RelatedWords" id="4" word1="cat" bit1="c" section="3"/>
<o e="Unit" id="5" unitNumber="2" level="1"/>
<o e="Sections" id="6" sectionNumber="0" unit="5"/>
</store>
)";

struct Lessons {
    std::shared_ptr<platform::StoreCoordinator> coordinator =
        std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    std::unique_ptr<platform::ObjectContext> context;
};

Lessons& lessons()
{
    static Lessons store = [] {
        Lessons made;
        const QString path = fuzz::file(QStringLiteral("lessons.store"));
        platform::StoreError error;
        if (!fuzz::writeFile(path, kStore) || !made.coordinator->addStore(path, &error))
            fuzz::fail("the lessons store does not open", error.message);
        made.context = std::make_unique<platform::ObjectContext>(made.coordinator);
        // An unsaved unit, so that temporary references have something to find.
        made.context->insertNewObject(model::entity::Unit);
        return made;
    }();
    return store;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    lessons();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const std::optional<QVariant> value = archive::unarchive(bytes);
    const bool isMap = value && value->metaType() == QMetaType::fromType<QVariantMap>();
    const std::optional<QVariantMap> dictionary = archive::unarchiveDictionary(bytes);
    if (dictionary.has_value() != isMap || (isMap && *dictionary != value->toMap()))
        fuzz::fail("unarchiveDictionary disagrees with unarchive");
    if (value) {
        const std::optional<QByteArray> written = archive::archive(*value);
        if (!written)
            fuzz::fail("a value the reader took cannot be written");
        const std::optional<QVariant> back = archive::unarchive(*written);
        if (!back || *back != *value)
            fuzz::fail("a value the reader took reads back differently");
        if (archive::archive(*back) != written)
            fuzz::fail("writing the same value twice gives other bytes");
    }

    Lessons& store = lessons();
    const auto items =
        lexotrace::lessonPasteboard::resolvePayload(bytes, *store.context, *store.coordinator);
    if (items) {
        if (!value || value->metaType() != QMetaType::fromType<QVariantList>() ||
            items->size() != value->toList().size())
            fuzz::fail("a payload resolved to items that are not its list");
        for (const auto& item : *items)
            if (item.object && store.context->objectWithID(item.object->objectID()) != item.object)
                fuzz::fail("a payload resolved to an object its context does not hold");
    }
    return 0;
}
