// Times saving and loading the object store, against a bare XML pass over the same bytes, and the
// lessons XML export and import. Prints figures only; it checks nothing.
//
//   bench_store [pairs=100000] [rows=20000] [runs=5]
//
// Smaller sizes are for profiling (e.g. under callgrind).

#include "bench/support/BenchStore.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"
#include "platform/ui/Alerts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace
{

using platform::ManagedObject;
using platform::ObjectContext;
using platform::StoreCoordinator;
using platform::StoreError;
namespace key = model::key;
namespace entity = model::entity;
using bench::closeStore;
using bench::fail;
using bench::fetchAll;
using bench::median;
using bench::msSince;
using bench::openStore;
using bench::Store;

// --- data -------------------------------------------------------------------------------------

QString randomWord(std::mt19937& rng, int minLength, int maxLength)
{
    // Letter frequencies roughly as in English, so that strings look like words to the parser.
    static const char* const kLetters =
        "eeeeeeeeeeeettttttttaaaaaaaoooooooiiiiiiinnnnnnnsssssshhhhhh"
        "rrrrrrddddllllcccuuummmwwffggyyppbbvkjxqz";
    static const int kCount = int(std::strlen(kLetters));
    std::uniform_int_distribution<int> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter(0, kCount - 1);
    QString word;
    const int n = length(rng);
    word.reserve(n);
    for (int i = 0; i < n; ++i)
        word += QLatin1Char(kLetters[letter(rng)]);
    return word;
}

// A plausible misspelling: two neighbouring letters swapped, or one doubled.
QString misspell(const QString& word, std::mt19937& rng)
{
    QString out = word;
    std::uniform_int_distribution<int> at(0, int(word.size()) - 2);
    const int i = at(rng);
    if (rng() % 2 && out[i] != out[i + 1])
        std::swap(out[i], out[i + 1]);
    else
        out.insert(i, out[i]);
    return out;
}

QString sentence(std::mt19937& rng, int words)
{
    QStringList parts;
    for (int i = 0; i < words; ++i)
        parts << randomWord(rng, 2, 9);
    return parts.join(u' ') + u'.';
}

struct PairData {
    QString mSpell, cSpell;
    QDateTime tStamp;
};

std::vector<PairData> makePairs(int count)
{
    std::mt19937 rng(1234);
    std::vector<PairData> pairs;
    pairs.reserve(count);
    const qint64 start = QDateTime(QDate(2023, 1, 1), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
    std::uniform_int_distribution<qint64> step(1000, 600000);
    qint64 ms = start;
    for (int i = 0; i < count; ++i) {
        PairData p;
        p.cSpell = randomWord(rng, 5, 12);
        p.mSpell = misspell(p.cSpell, rng).left(12);
        ms += step(rng);
        p.tStamp = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        pairs.push_back(std::move(p));
    }
    return pairs;
}

struct RowData {
    QStringList words, bits;
};

struct LessonsData {
    int levels = 20, units = 10, sections = 5, rowsPerSection = 20;
    QStringList unitRules, sectionRules;
    std::vector<RowData> rows;
    int rowCount() const { return levels * units * sections * rowsPerSection; }
    int objectCount() const
    {
        return levels + levels * units + levels * units * sections + rowCount();
    }
};

LessonsData makeLessons(int rows)
{
    LessonsData data;
    const int sectionCount = data.levels * data.units * data.sections;
    data.rowsPerSection = std::max(1, (rows + sectionCount - 1) / sectionCount);
    std::mt19937 rng(99);
    for (int u = 0; u < data.levels * data.units; ++u)
        data.unitRules << sentence(rng, 12 + int(rng() % 12));
    for (int s = 0; s < sectionCount; ++s)
        data.sectionRules << sentence(rng, 4 + int(rng() % 6));
    std::uniform_int_distribution<int> wordsInRow(2, model::kWordSlots);
    for (int r = 0; r < data.rowCount(); ++r) {
        RowData row;
        const int n = wordsInRow(rng);
        for (int w = 0; w < n; ++w) {
            const QString word = randomWord(rng, 5, 12);
            row.words << word;
            row.bits << word.mid(int(rng() % (word.size() - 2)), 2 + int(rng() % 2));
        }
        data.rows.push_back(std::move(row));
    }
    return data;
}

void fillPairs(ObjectContext& context, const std::vector<PairData>& pairs)
{
    for (const PairData& p : pairs) {
        ManagedObject* pair = context.insertNewObject(entity::WordPair);
        pair->setValue(key::mSpell, p.mSpell);
        pair->setValue(key::cSpell, p.cSpell);
        pair->setValue(key::tStamp, p.tStamp);
    }
}

void fillLessons(ObjectContext& context, const LessonsData& data)
{
    int unitIndex = 0, sectionIndex = 0;
    size_t rowIndex = 0;
    for (int l = 1; l <= data.levels; ++l) {
        ManagedObject* level = context.insertNewObject(entity::Levels);
        level->setValue(key::levelNumber, QString::number(l));
        for (int u = 1; u <= data.units; ++u) {
            ManagedObject* unit = context.insertNewObject(entity::Unit);
            unit->setValue(key::unitNumber, QString::number(u));
            unit->setValue(key::generalRuleCode, QString::number(unitIndex + 1));
            unit->setValue(key::generalRule, data.unitRules[unitIndex++]);
            for (int s = 0; s < data.sections; ++s) {
                ManagedObject* section = context.insertNewObject(entity::Sections);
                section->setValue(key::sectionNumber, QString::number(s));
                section->setValue(key::rule, data.sectionRules[sectionIndex++]);
                for (int r = 0; r < data.rowsPerSection; ++r) {
                    const RowData& rd = data.rows[rowIndex++];
                    ManagedObject* row = context.insertNewObject(entity::RelatedWords);
                    for (qsizetype w = 0; w < rd.words.size(); ++w) {
                        row->setValue(key::word(int(w) + 1), rd.words[w]);
                        row->setValue(key::bit(int(w) + 1), rd.bits[w]);
                    }
                    row->setToOne(key::section, section);
                }
                section->setToOne(key::unit, unit);
            }
            unit->setToOne(key::level, level);
        }
    }
}

// --- measurements -------------------------------------------------------------------------------

struct StoreFigures {
    int mainObjects = 0;
    int allObjects = 0;
    double insert = 0;
    double saveFirst = 0;
    double saveAgain = 0;
    double load = 0;
    double loadRead = 0;    // addStore: file read and parsed into records
    double loadContext = 0; // ObjectContext built from the records
    double loadFetch = 0;
    double bare = 0;
    double loadPerBare = 0;    // median of each run's load against the bare pass in the same run
    double write = 0;          // the saved bytes written and synced to disk
    double savePerWrite = 0;   // median of each run's save after one change against that write
    double bytesPerObject = 0; // heap held by the open store (context and coordinator) per object
    qint64 fileSize = 0;
};

// Every token read, and its name, attributes and text looked at, as a store reader would.
qint64 bareParse(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    qint64 touched = 0;
    auto touch = [&touched](QStringView s) {
        touched += s.size() + (s.isEmpty() ? 0 : s.front().unicode() + s.back().unicode());
    };
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            touch(xml.name());
            const QXmlStreamAttributes attributes = xml.attributes();
            for (const QXmlStreamAttribute& a : attributes) {
                touch(a.name());
                touch(a.value());
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            touch(xml.name());
            break;
        case QXmlStreamReader::Characters:
            touch(xml.text());
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        fail(QStringLiteral("bare parse: %1").arg(xml.errorString()));
    return touched;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

volatile qint64 g_sink = 0; // keeps the bare pass from being optimised away

// Writing the bytes of a store file to disk and syncing them: what any save must at least do.
double writeAndSync(const QString& path, const QByteArray& bytes)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("cannot write %1").arg(path));
    file.close();
    return msSince(timer);
}

StoreFigures measureStore(const QString& path, int runs, const QString& mainEntity,
                          const std::function<void(ObjectContext&)>& fill,
                          const std::function<void(ObjectContext&, int)>& changeOne)
{
    StoreFigures f;
    std::vector<double> insert, saveFirst, saveAgain, load, loadRead, loadContext, loadFetch, bare;
    std::vector<double> writes, savePerWrite, loadPerBare, bytesPerObject;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(path);
        Store store = openStore(path);
        QElapsedTimer timer;
        timer.start();
        fill(*store.context);
        insert.push_back(msSince(timer));

        StoreError error;
        timer.start();
        const bool saved = store.context->save(&error);
        saveFirst.push_back(msSince(timer));
        if (!saved)
            fail(QStringLiteral("save: %1").arg(error.message));

        changeOne(*store.context, run);
        if (store.context->updatedObjects().size() != 1)
            fail(QStringLiteral("the change did not make exactly one updated object"));
        timer.start();
        const bool savedAgain = store.context->save(&error);
        saveAgain.push_back(msSince(timer));
        if (!savedAgain)
            fail(QStringLiteral("second save: %1").arg(error.message));
        // The same bytes written plainly, in the same run, so drift stays out of the ratio.
        writes.push_back(writeAndSync(path + QStringLiteral(".plain"), readAll(path)));
        savePerWrite.push_back(saveAgain.back() / writes.back());
        closeStore(store);
    }
    QFile::remove(path + QStringLiteral(".plain"));
    f.fileSize = QFileInfo(path).size();
    const QByteArray bytes = readAll(path);

    for (int run = 0; run < runs; ++run) {
        const size_t heapBefore = mallinfo2().uordblks;
        QElapsedTimer timer;
        timer.start();
        Store store;
        store.coordinator = std::make_shared<StoreCoordinator>(model::orthovaCoreData());
        StoreError error;
        if (!store.coordinator->addStore(path, &error))
            fail(QStringLiteral("addStore %1: %2").arg(path, error.message));
        const double read = msSince(timer);
        store.context = std::make_unique<ObjectContext>(store.coordinator);
        const double built = msSince(timer);
        const QList<ManagedObject*> objects = fetchAll(*store.context, mainEntity);
        load.push_back(msSince(timer));
        loadRead.push_back(read);
        loadContext.push_back(built - read);
        loadFetch.push_back(load.back() - built);
        f.mainObjects = int(objects.size());
        // What the open store keeps once loaded, the fetched list aside.
        const double listBytes = double(objects.size() * sizeof(ManagedObject*));
        bytesPerObject.push_back((double(mallinfo2().uordblks - heapBefore) - listBytes) /
                                 double(std::max<qsizetype>(1, objects.size())));
        closeStore(store);

        // The bare pass over the same bytes, in the same run.
        timer.start();
        g_sink = g_sink + bareParse(bytes);
        bare.push_back(msSince(timer));
        loadPerBare.push_back(load.back() / bare.back());
    }

    f.insert = median(insert);
    f.saveFirst = median(saveFirst);
    f.saveAgain = median(saveAgain);
    f.load = median(load);
    f.loadRead = median(loadRead);
    f.loadContext = median(loadContext);
    f.loadFetch = median(loadFetch);
    f.bare = median(bare);
    f.loadPerBare = median(loadPerBare);
    f.write = median(writes);
    f.savePerWrite = median(savePerWrite);
    f.bytesPerObject = median(bytesPerObject);
    return f;
}

struct LessonsXmlFigures {
    double write = 0;
    double read = 0;
    qint64 fileSize = 0;
    int rowsRead = 0;
};

LessonsXmlFigures measureLessonsXml(const QString& storePath, const QString& xmlPath,
                                    const QDir& dir, int runs)
{
    LessonsXmlFigures f;
    platform::SilentAlertPresenter alerts;
    std::vector<double> write, read;
    {
        Store store = openStore(storePath);
        lexotrace::ConvertToCoreDataHelper helper(alerts);
        helper.setContextSource([&store] { return store.context.get(); });
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            const bool ok = helper.parseLessonsCoreDataToReadableXMLFilePath(xmlPath);
            write.push_back(msSince(timer));
            if (!ok)
                fail(QStringLiteral("lessons XML write failed"));
        }
        closeStore(store);
    }
    f.fileSize = QFileInfo(xmlPath).size();

    for (int run = 0; run < runs; ++run) {
        const QString freshPath = dir.filePath(QStringLiteral("lessons-read-%1.store").arg(run));
        QFile::remove(freshPath);
        Store store = openStore(freshPath);
        lexotrace::ConvertToCoreDataHelper helper(alerts);
        helper.setContextSource([&store] { return store.context.get(); });
        QElapsedTimer timer;
        timer.start();
        const bool ok = helper.createLessonCoreDataFromXMLfile(xmlPath);
        read.push_back(msSince(timer));
        if (!ok)
            fail(QStringLiteral("lessons XML read failed"));
        f.rowsRead = int(fetchAll(*store.context, entity::RelatedWords).size());
        closeStore(store);
    }
    f.write = median(write);
    f.read = median(read);
    return f;
}

// --- output
// ---------------------------------------------------------------------------------------

QString ms(double value)
{
    return QString::number(value, 'f', 1) + QStringLiteral(" ms");
}
QString mib(qint64 bytes)
{
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 2) + QStringLiteral(" MiB");
}
QString ratio(double load, double bare)
{
    return bare > 0 ? QString::number(load / bare, 'f', 2) + u'x' : QStringLiteral("-");
}

void row(const char* label, const QString& a, const QString& b)
{
    std::printf("  %-58s %12s %12s\n", label, qPrintable(a), qPrintable(b));
}

QString against(double value, double limit, int decimals = 1)
{
    if (value <= limit)
        return QStringLiteral("met");
    return QStringLiteral("missed by %1 (%2%)")
        .arg(QString::number(value - limit, 'f', decimals),
             QString::number(100.0 * (value - limit) / limit, 'f', 0));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Per-section debug lines of the lessons converter would time the terminal, not the work.
    QLoggingCategory::setFilterRules(QStringLiteral("lexotrace.xml.lessons.debug=false"));

    const QStringList args = app.arguments();
    auto intArg = [&args](int i, int fallback) {
        bool ok = false;
        const int v = args.size() > i ? args[i].toInt(&ok) : 0;
        return ok && v > 0 ? v : fallback;
    };
    const int pairCount = intArg(1, 100000);
    const int rowTarget = intArg(2, 20000);
    const int runs = intArg(3, 5);

    QTemporaryDir temp;
    if (!temp.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QDir dir(temp.path());

    const std::vector<PairData> pairs = makePairs(pairCount);
    const LessonsData lessons = makeLessons(rowTarget);

    const QString pairsPath = dir.filePath(QStringLiteral("pairs.store"));
    StoreFigures p = measureStore(
        pairsPath, runs, entity::WordPair, [&pairs](ObjectContext& c) { fillPairs(c, pairs); },
        [](ObjectContext& c, int run) {
            const auto all = fetchAll(c, entity::WordPair);
            ManagedObject* pair = all[(run * 7919) % all.size()];
            pair->setValue(key::cSpell, pair->string(key::cSpell) + QStringLiteral("x"));
        });
    p.allObjects = pairCount;

    const QString lessonsPath = dir.filePath(QStringLiteral("lessons.store"));
    StoreFigures l = measureStore(
        lessonsPath, runs, entity::RelatedWords,
        [&lessons](ObjectContext& c) { fillLessons(c, lessons); },
        [](ObjectContext& c, int run) {
            const auto all = fetchAll(c, entity::RelatedWords);
            ManagedObject* rowObject = all[(run * 7919) % all.size()];
            rowObject->setValue(key::word(1),
                                rowObject->string(key::word(1)) + QStringLiteral("x"));
        });
    l.allObjects = lessons.objectCount();

    const LessonsXmlFigures x =
        measureLessonsXml(lessonsPath, dir.filePath(QStringLiteral("lessons.xml")), dir, runs);

    std::printf("Store benchmark: median of %d runs, Qt %s, files in %s\n", runs, qVersion(),
                qPrintable(dir.path()));
    std::printf("  word pairs: %d WordPair (mSpell, cSpell 5-12 letters, tStamp)\n", pairCount);
    std::printf(
        "  lessons: %d levels x %d units x %d sections x %d rows of 2-5 words with bits\n\n",
        lessons.levels, lessons.units, lessons.sections, lessons.rowsPerSection);
    row("", QStringLiteral("word pairs"), QStringLiteral("lessons"));
    row("objects of the main entity (fetched on load)", QString::number(p.mainObjects),
        QString::number(l.mainObjects));
    row("objects in the store", QString::number(p.allObjects), QString::number(l.allObjects));
    row("store file size", mib(p.fileSize), mib(l.fileSize));
    row("insert all objects (setup, untargeted)", ms(p.insert), ms(l.insert));
    row("save: first save of all inserted objects", ms(p.saveFirst), ms(l.saveFirst));
    row("save: after changing one value", ms(p.saveAgain), ms(l.saveAgain));
    row("load: coordinator + addStore + context + fetch", ms(p.load), ms(l.load));
    row("  of which addStore (read + parse the file)", ms(p.loadRead), ms(l.loadRead));
    row("  of which ObjectContext construction", ms(p.loadContext), ms(l.loadContext));
    row("  of which fetch of all main-entity objects", ms(p.loadFetch), ms(l.loadFetch));
    row("bare QXmlStreamReader pass (bytes in memory)", ms(p.bare), ms(l.bare));
    row("load / bare parse (median of the runs' own ratios)", ratio(p.loadPerBare, 1),
        ratio(l.loadPerBare, 1));
    row("heap held by the open store, per main object (bytes)",
        QString::number(p.bytesPerObject, 'f', 0), QString::number(l.bytesPerObject, 'f', 0));
    row("writing and syncing the saved bytes", ms(p.write), ms(l.write));
    row("save after one change / that write (runs' own ratios)", ratio(p.savePerWrite, 1),
        ratio(l.savePerWrite, 1));
    std::printf("\n  lessons XML (%s, %d rows read back)\n", qPrintable(mib(x.fileSize)),
                x.rowsRead);
    row("write: parseLessonsCoreDataToReadableXMLFilePath", QString(), ms(x.write));
    row("read into a fresh store: createLessonCoreDataFromXMLfile", QString(), ms(x.read));

    std::printf("\nTargets (for reference, at 100,000 pairs; this run used %d):\n", pairCount);
    std::printf("  save 100,000 pairs under 300 ms   first %s: %s; after one change %s: %s\n",
                qPrintable(ms(p.saveFirst)), qPrintable(against(p.saveFirst, 300)),
                qPrintable(ms(p.saveAgain)), qPrintable(against(p.saveAgain, 300)));
    std::printf("  load 100,000 pairs under 300 ms   %s: %s\n", qPrintable(ms(p.load)),
                qPrintable(against(p.load, 300)));
    std::printf("  load within 1.5x of the bare parse  pairs %s: %s; lessons %s: %s\n",
                qPrintable(ratio(p.loadPerBare, 1)), qPrintable(against(p.loadPerBare, 1.5, 2)),
                qPrintable(ratio(l.loadPerBare, 1)), qPrintable(against(l.loadPerBare, 1.5, 2)));
    std::printf("  save after one change within 3x of writing the same bytes  pairs %s: %s\n",
                qPrintable(ratio(p.savePerWrite, 1)), qPrintable(against(p.savePerWrite, 3, 2)));
    std::printf("  memory per stored pair under 400 bytes  %s B: %s\n",
                qPrintable(QString::number(p.bytesPerObject, 'f', 0)),
                qPrintable(against(p.bytesPerObject, 400, 0)));
    return 0;
}
