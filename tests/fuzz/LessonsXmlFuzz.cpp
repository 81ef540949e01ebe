// The lessons file: any bytes imported, the store exported, that file imported and exported again.
// A failed import changes nothing; when every value reads back as itself, the export imports
// again and the second export is the first byte for byte.
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "tests/fuzz/XmlRoundTrip.h"
#include "tests/support/RecordingAlerts.h"

namespace key = model::key;
namespace ent = model::entity;
using fuzz::ValueForm;
using platform::ManagedObject;

namespace
{

struct Trip {
    bool imported = false;
    QByteArray exported;
};

Trip importAndExport(fuzz::ScratchStore& store, const QString& in, const QString& out)
{
    testsupport::RecordingAlerts alerts;
    lexotrace::ConvertToCoreDataHelper converter(alerts);
    converter.setContextSource([&store] { return store.context.get(); });
    Trip trip;
    trip.imported = converter.createLessonCoreDataFromXMLfile(in);
    if (!trip.imported)
        return trip;
    if (!converter.parseLessonsCoreDataToReadableXMLFilePath(out))
        fuzz::fail("the lessons export could not write its file");
    trip.exported = fuzz::readFile(out);
    if (!trip.exported.startsWith("\xFF\xFE"))
        fuzz::fail("the lessons export has no little-endian byte-order mark");
    return trip;
}

bool readsBack(const ManagedObject* object, const QString& k, const QStringList& path,
               ValueForm form)
{
    return !object->hasValue(k) || fuzz::readsBackAsItself(object->string(k), path, form);
}

// An absent number is written "(null)" and read back as that text, which sorts elsewhere.
bool sortsTheSame(const ManagedObject* object, const QString& k, const QStringList& path)
{
    return object->hasValue(k) && readsBack(object, k, path, ValueForm::Text);
}

// Every value of the store is one the writer's verbatim output keeps.
bool everyValueReadsBack(const fuzz::ScratchStore& store)
{
    const QStringList level{QStringLiteral("lessonsData"), QStringLiteral("level")};
    const QStringList unit = level + QStringList{QStringLiteral("unit")};
    const QStringList rule = unit + QStringList{QStringLiteral("generalRule")};
    const QStringList section = unit + QStringList{QStringLiteral("section")};
    const QStringList row = section + QStringList{QStringLiteral("relatedWords")};
    for (const ManagedObject* o : store.all(ent::Levels))
        if (!sortsTheSame(o, key::levelNumber, level + QStringList{key::levelNumber}))
            return false;
    for (const ManagedObject* o : store.all(ent::Unit))
        if (!sortsTheSame(o, key::unitNumber, unit + QStringList{key::unitNumber}) ||
            !readsBack(o, key::generalRuleCode, rule + QStringList{QStringLiteral("code")},
                       ValueForm::FirstNodeMarkup) ||
            !readsBack(o, key::generalRule, rule + QStringList{QStringLiteral("rule")},
                       ValueForm::FirstNodeMarkup))
            return false;
    for (const ManagedObject* o : store.all(ent::Sections))
        if (!readsBack(o, key::rule, section + QStringList{key::rule}, ValueForm::Text))
            return false;
    for (const ManagedObject* o : store.all(ent::RelatedWords))
        for (int slot = 1; slot <= model::kWordSlots; ++slot)
            if (!readsBack(o, key::word(slot), row + QStringList{QStringLiteral("word")},
                           ValueForm::FirstNodeMarkup) ||
                !readsBack(o, key::bit(slot), row + QStringList{QStringLiteral("bit")},
                           ValueForm::FirstNodeMarkup))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = fuzz::file(QStringLiteral("lessons-in.xml"));
    const QString first = fuzz::file(QStringLiteral("lessons-1.xml"));
    const QString second = fuzz::file(QStringLiteral("lessons-2.xml"));
    if (!fuzz::writeFile(input, fuzz::bytes(data, size)))
        fuzz::fail("cannot write the input file");

    fuzz::ScratchStore a;
    const Trip one = importAndExport(a, input, first);
    if (!one.imported) {
        if (a.context->hasChanges())
            fuzz::fail("a lessons file that was not imported changed the store");
        return 0;
    }
    // Values that do not read back as themselves may break the file's structure; the rest must
    // give the same file again.
    fuzz::ScratchStore b;
    const Trip two = importAndExport(b, first, second);
    if (!everyValueReadsBack(a))
        return 0;
    if (!two.imported)
        fuzz::fail("the lessons export does not import again");
    if (two.exported != one.exported)
        fuzz::fail("exporting the import of an export changed the lessons file",
                   fuzz::exportedText(one.exported) + QStringLiteral("\n---- became ----\n") +
                       fuzz::exportedText(two.exported));
    return 0;
}
