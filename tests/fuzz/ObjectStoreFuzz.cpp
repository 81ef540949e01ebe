// The store file: any bytes opened as a store. A file that opens is saved (with one object added,
// as a save needs a change) and opened again: it must hold the same objects, values and
// relationships, plus the one added.
#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"
#include "tests/fuzz/FuzzSupport.h"

#include <limits>
#include <map>

using platform::ManagedObject;

namespace
{

QString describe(const ManagedObject& object)
{
    QString text = object.entityName();
    const platform::EntityDescription& entity = object.entity();
    for (int a = 0; a < entity.attributes().size(); ++a) {
        const QVariant& value = object.valueAt(a);
        text += u' ' + entity.attributes()[a].name + u'=';
        if (!value.isValid())
            text += u'~';
        else if (entity.attributes()[a].type == platform::AttributeType::Date)
            text += value.toDateTime().isValid()
                        ? QString::number(value.toDateTime().toMSecsSinceEpoch())
                        : QStringLiteral("invalid date");
        else
            text += u'"' + value.toString() + u'"' + QString::number(value.toString().size());
    }
    for (const platform::RelationshipDescription& r : entity.relationships()) {
        text += u' ' + r.name + u'>';
        QList<qint64> numbers;
        if (r.toMany) {
            for (const ManagedObject* member : object.toMany(r.name))
                numbers.append(member->objectID().number());
            std::sort(numbers.begin(), numbers.end());
        } else if (const ManagedObject* target = object.toOne(r.name)) {
            numbers.append(target->objectID().number());
        }
        for (qint64 n : numbers)
            text += QString::number(n) + u',';
    }
    return text;
}

// Every object of the context by its number in the file.
std::map<qint64, QString> objectsOf(const platform::ObjectContext& context)
{
    std::map<qint64, QString> objects;
    for (const platform::EntityDescription& entity : context.coordinator()->model()->entities()) {
        const auto fetched = context.fetch(platform::FetchRequest::all(entity.name()));
        if (!fetched)
            fuzz::fail("a store that opened cannot be fetched from");
        for (const ManagedObject* object : *fetched)
            if (!objects.emplace(object->objectID().number(), describe(*object)).second)
                fuzz::fail("two objects have one number");
    }
    return objects;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::file(QStringLiteral("objects.store"));
    if (!fuzz::writeFile(path, fuzz::bytes(data, size)))
        fuzz::fail("cannot write the input file");

    const auto model = model::orthovaCoreData();
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model);
    platform::StoreError error;
    if (!coordinator->addStore(path, &error)) {
        if (!error.isError())
            fuzz::fail("a store that did not open gives no error");
        if (fuzz::readFile(path) != fuzz::bytes(data, size))
            fuzz::fail("a store that did not open was written");
        return 0;
    }
    const QString uuid = coordinator->storeUuid();
    const qint64 next = coordinator->nextNumber();
    platform::ObjectContext context(coordinator);
    std::map<qint64, QString> expected = objectsOf(context);

    ManagedObject* added = context.insertNewObject(model::entity::Rule);
    added->setValue(model::key::rule, QStringLiteral("added by the fuzz target"));
    if (!context.save(&error)) {
        // Only a file whose counter is at the top of its range may refuse a new object.
        if (next == std::numeric_limits<qint64>::max())
            return 0;
        fuzz::fail("a store that opened cannot be saved", error.message);
    }
    expected.emplace(added->objectID().number(), describe(*added));
    if (added->objectID().number() < next)
        fuzz::fail("a new object took a number the file had given out");

    auto reopened = std::make_shared<platform::StoreCoordinator>(model);
    if (!reopened->addStore(path, &error))
        fuzz::fail("a saved store does not open again", error.message);
    if (reopened->storeUuid() != uuid)
        fuzz::fail("a saved store changed its identity", uuid + u' ' + reopened->storeUuid());
    platform::ObjectContext again(reopened);
    const std::map<qint64, QString> found = objectsOf(again);
    if (found != expected) {
        QString diff;
        for (const auto& [number, text] : expected)
            if (auto it = found.find(number); it == found.end() || it->second != text)
                diff += QStringLiteral("- %1 %2\n").arg(number).arg(text);
        for (const auto& [number, text] : found)
            if (auto it = expected.find(number); it == expected.end() || it->second != text)
                diff += QStringLiteral("+ %1 %2\n").arg(number).arg(text);
        fuzz::fail("a saved store opened with other objects", diff);
    }
    return 0;
}
