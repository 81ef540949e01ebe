// The rules file: any bytes imported, the store exported, that file imported and exported again.
// An export imports again with as many rules; when every value reads back as itself, the second
// export is the first byte for byte.
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"
#include "tests/fuzz/XmlRoundTrip.h"
#include "tests/support/RecordingAlerts.h"

namespace key = model::key;
namespace ent = model::entity;

namespace
{

struct Trip {
    bool imported = false;
    QByteArray exported;
};

Trip importAndExport(fuzz::ScratchStore& store, const QString& in, const QString& out)
{
    testsupport::RecordingAlerts alerts;
    lexotrace::RulesCoreDataToXMLConverter converter(alerts);
    converter.setContextSource([&store] { return store.context.get(); });
    Trip trip;
    trip.imported = converter.createRulesCoreDataFromXMLFilePath(in);
    if (trip.imported != alerts.shown.isEmpty())
        fuzz::fail("a rules import failed without an alert, or alerted and went on");
    if (!trip.imported)
        return trip;
    if (!converter.parseRulesCoreDataToReadableXMLforPath(out))
        fuzz::fail("the rules export could not write its file");
    trip.exported = fuzz::readFile(out);
    if (!trip.exported.startsWith("\xFF\xFE"))
        fuzz::fail("the rules export has no little-endian byte-order mark");
    return trip;
}

bool everyValueReadsBack(const fuzz::ScratchStore& store)
{
    for (const platform::ManagedObject* o : store.all(ent::Rule)) {
        // An absent code is written "(null)" and read back as that text, which sorts elsewhere.
        if (!o->hasValue(key::ruleCode))
            return false;
        for (const QString& k : {key::ruleCode, key::rule, key::reference})
            if (o->hasValue(k) &&
                !fuzz::readsBackAsItself(
                    o->string(k), {QStringLiteral("rulesData"), QStringLiteral("ruleObject"), k},
                    fuzz::ValueForm::Text))
                return false;
    }
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
    const QString input = fuzz::file(QStringLiteral("rules-in.xml"));
    const QString first = fuzz::file(QStringLiteral("rules-1.xml"));
    const QString second = fuzz::file(QStringLiteral("rules-2.xml"));
    if (!fuzz::writeFile(input, fuzz::bytes(data, size)))
        fuzz::fail("cannot write the input file");

    fuzz::ScratchStore a;
    const Trip one = importAndExport(a, input, first);
    if (!one.imported) {
        if (a.context->hasChanges())
            fuzz::fail("a rules file that could not be read changed the store");
        return 0;
    }
    fuzz::ScratchStore b;
    const Trip two = importAndExport(b, first, second);
    if (!two.imported)
        fuzz::fail("the rules export does not import again");
    // Values that do not read back as themselves may break the file's structure; the rest must
    // give the same file again.
    if (!everyValueReadsBack(a))
        return 0;
    if (b.all(ent::Rule).size() != a.all(ent::Rule).size())
        fuzz::fail("the rules export imports with another number of rules");
    if (two.exported != one.exported)
        fuzz::fail("exporting the import of an export changed the rules file",
                   fuzz::exportedText(one.exported) + QStringLiteral("\n---- became ----\n") +
                       fuzz::exportedText(two.exported));
    return 0;
}
