// An error-list file: any bytes imported into the agent's pairs. The file is only read; an import
// adds every pair it holds, stamped with the import time, and a failed one adds nothing and says
// why.
#include "model/OrthovaModel.h"
#include "tests/fuzz/XmlRoundTrip.h"
#include "tests/support/RecordingAlerts.h"
#include "typewarden/store/ImportSpellList.h"

#include <QDateTime>

namespace key = model::key;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::file(QStringLiteral("error-list"));
    const QByteArray bytes = fuzz::bytes(data, size);
    if (!fuzz::writeFile(path, bytes))
        fuzz::fail("cannot write the input file");

    fuzz::ScratchStore agent;
    testsupport::RecordingAlerts alerts;
    typewarden::ImportSpellList import(alerts, *agent.context, path);
    const QDateTime start = QDateTime::currentDateTime();
    const bool imported = import.run();
    if (fuzz::readFile(path) != bytes)
        fuzz::fail("importing an error list changed its file");
    const QList<platform::ManagedObject*> added = agent.context->insertedObjects();
    if (!imported) {
        if (!added.isEmpty() || import.importedCount() != 0)
            fuzz::fail("a failed import added pairs");
        if (alerts.shown.size() != 1 || !import.error().isError())
            fuzz::fail("a failed import did not say why, once");
        return 0;
    }
    if (!alerts.shown.isEmpty())
        fuzz::fail("an import that worked showed an alert");
    if (added.size() != import.importedCount())
        fuzz::fail("the import's count is not the pairs it added");
    for (const platform::ManagedObject* pair : added) {
        if (pair->entityName() != model::entity::WordPair)
            fuzz::fail("an import added something other than a word pair", pair->entityName());
        if (pair->date(key::tStamp) < start)
            fuzz::fail("an imported pair is not stamped with the import time");
    }
    return 0;
}
