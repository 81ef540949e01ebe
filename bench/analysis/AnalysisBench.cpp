// Times the window-load analysis of captured pairs against the factory course and against a
// generated course of 20,000 rows, with the indexed lookup and with the plain filter; then what
// the user waits for: Lexotrace started on the factory files with 10,000 and 100,000 stored
// pairs, until its analysis window holds every row (engine, rows model and table, offscreen),
// less the same start with no pairs, beside the engine alone on the same pairs, runs
// interleaved. Prints figures only.
//
//   bench_analysis [pairs=10000] [rows=20000] [plain-sample=300] [window-runs=3]
//
// The plain filter scans every row for every lookup; it is timed on a sample of the pairs and
// given as pairs per second.

#include "bench/support/BenchProgram.h"
#include "bench/support/Misspell.h"
#include "lexotrace/analysis/AnalysisEngine.h"
#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace lexotrace;

namespace
{

std::shared_ptr<const LessonsSnapshot> factoryCourse()
{
    platform::SilentAlertPresenter alerts;
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    coordinator->addStore(QStringLiteral("/nonexistent/bench-lessons.xml"), nullptr);
    platform::ObjectContext context(coordinator);
    ConvertToCoreDataHelper converter(alerts);
    converter.setContextSource([&] { return &context; });
    converter.createLessonCoreDataFromXMLfile(QStringLiteral(ORTHOVA_SOURCE_DIR) +
                                              "/resources/Lessons_Initiation_Data.xml");
    // What the window does on the main thread before its run: fetch the rows, take the snapshot.
    QElapsedTimer timer;
    timer.start();
    const auto rows = context.fetch(platform::FetchRequest::all(model::entity::RelatedWords))
                          .value_or(QList<platform::ManagedObject*>{});
    const double fetched = bench::msSince(timer);
    auto snapshot = LessonsSnapshot::fromRows(rows);
    std::printf("factory lessons: %lld rows fetched in %.0f ms, snapshot taken in %.0f ms\n\n",
                (long long)rows.size(), fetched, bench::msSince(timer) - fetched);
    return snapshot;
}

QString randomWord(std::mt19937& random)
{
    static const char* pieces[] = {"b",  "c",  "d",   "f",    "g",    "h",   "l",  "m",
                                   "n",  "p",  "r",   "s",    "t",    "a",   "e",  "i",
                                   "o",  "u",  "ea",  "ie",   "ei",   "ou",  "ck", "sh",
                                   "ch", "th", "ing", "tion", "able", "ful", "ly", "re"};
    QString word;
    const int n = 2 + int(random() % 5);
    for (int i = 0; i < n; ++i)
        word += QLatin1String(pieces[random() % std::size(pieces)]);
    return word;
}

std::shared_ptr<const LessonsSnapshot> generatedCourse(int rows, std::mt19937& random)
{
    QList<LessonRowValues> values;
    for (int r = 0; r < rows; ++r) {
        LessonRowValues row;
        const int words = 2 + int(random() % 4);
        for (int s = 0; s < words; ++s) {
            const QString w = randomWord(random);
            row.words[s] = w;
            row.bits[s] = w.mid(int(random() % w.size()), 2);
        }
        row.levelNumber = QString::number(1 + r / 1000);
        row.unitNumber = QString::number(1 + (r / 50) % 20);
        row.generalRule = QStringLiteral("rule %1").arg(r / 50);
        row.generalRuleCode = QString::number(1 + (r / 50) % 120);
        values.append(row);
    }
    return std::make_shared<const LessonsSnapshot>(std::move(values));
}

// Pairs whose correct spelling is mostly a course word, sometimes with a prefix or suffix, and
// whose misspelling drops, doubles or swaps a letter.
QList<ErrorEntry> pairsFor(const LessonsSnapshot& course, int count, std::mt19937& random)
{
    QList<ErrorEntry> pairs;
    for (int i = 0; i < count; ++i) {
        QString c;
        const auto& row = course.rows()[random() % course.rows().size()];
        const auto& word = row.words[random() % 5];
        c = word && random() % 4 ? *word : randomWord(random);
        if (random() % 6 == 0)
            c = (random() % 2 ? "re" : "") + c + (random() % 2 ? "ful" : "ing");
        pairs.append({c, bench::misspell(c, random)});
    }
    return pairs;
}

struct Timing {
    double seconds;
    qsizetype rows;
};

Timing analyse(std::shared_ptr<const LessonsSnapshot> course, const QList<ErrorEntry>& pairs,
               bool index)
{
    qsizetype rows = 0;
    AnalysisEngine engine(std::move(course),
                          {[&](const AnalysisRow&, bool) { ++rows; }, {}, {}, {}});
    engine.setUseIndex(index);
    QElapsedTimer timer;
    timer.start();
    engine.analyse(pairs);
    return {double(timer.nsecsElapsed()) / 1e9, rows};
}

void report(const char* name, std::shared_ptr<const LessonsSnapshot> course,
            const QList<ErrorEntry>& pairs, int plainSample)
{
    const Timing indexed = analyse(course, pairs, true);
    const QList<ErrorEntry> sample = pairs.mid(0, plainSample);
    const Timing plain = analyse(course, sample, false);
    const Timing indexedSample = analyse(course, sample, true);
    const double indexedRate = double(pairs.size()) / indexed.seconds;
    const double plainRate = double(sample.size()) / plain.seconds;
    std::printf("%-22s %8lld rows  %6lld pairs: indexed %9.3f s  %10.0f pairs/s  (%lld result "
                "rows)\n",
                name, (long long)course->rows().size(), (long long)pairs.size(), indexed.seconds,
                indexedRate, (long long)indexed.rows);
    std::printf("%-22s %8s       %6lld pairs: plain   %9.3f s  %10.0f pairs/s  speed-up %.0fx "
                "(same result rows on the sample: %s)\n",
                "", "", (long long)sample.size(), plain.seconds, plainRate, indexedRate / plainRate,
                plain.rows == indexedSample.rows ? "yes" : "NO");
}

struct WindowRun {
    double ms = 0;          // start to every row in the table and the events handled
    double longestTurn = 0; // the longest the main thread went without taking events
    qsizetype rows = 0;
    qsizetype insertions = 0;
};

// Lexotrace on the factory files, started again with the pairs stored (oldest first): its
// analysis window opens at the start and runs them to the end.
WindowRun windowPath(const QList<ErrorEntry>& pairs, qsizetype expectedRows)
{
    bench::FactoryProgram lexotrace;
    lexotrace.storePairs(pairs);
    WindowRun run;
    QElapsedTimer timer, turn;
    timer.start();
    lexotrace.start();
    SpellErrorAnalysisController* window = lexotrace.controller().spellErrorAnalysisController();
    if (!window)
        bench::fail(QStringLiteral("no analysis window at the start"));
    const AnalysisRowsModel& rows = window->matchedWordsArrayController();
    QObject::connect(&rows, &AnalysisRowsModel::rowsInserted, [&run] { ++run.insertions; });
    // The stores are read while the window shows: an empty start counts until they are in.
    while ((!lexotrace.app->isLoaded() || rows.rows().size() < expectedRows) &&
           timer.elapsed() < 120000) {
        turn.start();
        bench::settle();
        run.longestTurn = std::max(run.longestTurn, bench::msSince(turn));
    }
    window->waitForBackgroundRun();
    bench::settle();
    run.ms = bench::msSince(timer);
    run.rows = rows.rows().size();
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void reportWindow(const std::shared_ptr<const LessonsSnapshot>& course,
                  const QList<ErrorEntry>& pairs, int runs, double aimRatio, double aimMs)
{
    std::vector<double> window, engine, turns, bare;
    WindowRun last;
    for (int i = 0; i < runs; ++i) {
        const Timing alone = analyse(course, pairs, true);
        engine.push_back(alone.seconds * 1000);
        bare.push_back(windowPath({}, 0).ms);
        last = windowPath(pairs, alone.rows);
        if (last.rows != alone.rows)
            bench::fail(QStringLiteral("the window shows %1 rows, the engine made %2")
                            .arg(last.rows)
                            .arg(alone.rows));
        window.push_back(last.ms);
        turns.push_back(last.longestTurn);
    }
    // What the pairs add to a start whose window is empty.
    const double w = median(window) - median(bare), e = median(engine), ratio = w / e;
    std::printf("%6lld pairs: window filled %8.0f ms after the start of an empty one (%.0f ms), "
                "engine alone %6.0f ms, ratio %5.1fx;\n              %lld rows in %lld "
                "insertions; longest main-thread turn %.0f ms\n",
                (long long)pairs.size(), w, median(bare), e, ratio, (long long)last.rows,
                (long long)last.insertions, median(turns));
    if (aimRatio > 0)
        std::printf("              aim: within %.0fx of the engine: %s\n", aimRatio,
                    ratio <= aimRatio ? "met" : "not met");
    if (aimMs > 0)
        std::printf("              aim: under %.0f s: %s\n", aimMs / 1000,
                    w < aimMs ? "met" : "not met");
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // figures as they come, even into a pipe
    const int windowRuns = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    bench::prepareWindowBench(1, argv, 1);
    QApplication app(argc, argv);
    const int pairCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rowCount = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int plainSample = argc > 3 ? std::atoi(argv[3]) : 300;
    std::mt19937 random(7);

    std::printf("Window-load analysis, one thread (Qt %s)\n\n", qVersion());
    const auto factory = factoryCourse();
    report("factory course", factory, pairsFor(*factory, pairCount, random), plainSample);
    const auto generated = generatedCourse(rowCount, random);
    report("generated course", generated, pairsFor(*generated, pairCount, random), plainSample);
    std::printf("\nAim: %d pairs against %d rows in under 1 second.\n", pairCount, rowCount);

    std::printf("\nThe analysis window on the factory files, median of %d interleaved runs\n",
                windowRuns);
    reportWindow(factory, pairsFor(*factory, 10000, random), windowRuns, 3, 0);
    reportWindow(factory, pairsFor(*factory, 100000, random), windowRuns, 0, 2000);
    return 0;
}
