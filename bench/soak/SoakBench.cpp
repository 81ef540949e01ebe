// A burst of announced pairs: Lexotrace on the factory files, its analysis window open, is sent
// 10,000 pairs at once over the session bus. Prints whether the window shows every one in the
// order sent (the rows the engine makes of the same pairs), how long that took, and the memory in
// use before the burst, at its peak and once it is processed (heap in use and resident size).
//
//   bench_soak [pairs=10000]
//
// Runs on the session bus it finds; without one it starts itself again under dbus-run-session.

#include "bench/support/BenchProgram.h"
#include "bench/support/Misspell.h"
#include "lexotrace/analysis/AnalysisEngine.h"
#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "model/OrthovaModel.h"
#include "model/WordPairAnnouncement.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <malloc.h>
#include <random>
#include <unistd.h>

using namespace lexotrace;

namespace
{

struct Memory {
    double heapMb = 0;
    double residentMb = 0;
};

Memory memoryNow()
{
    Memory m;
    m.heapMb = double(mallinfo2().uordblks) / 1e6;
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (statm.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = statm.readAll().split(' ');
        if (fields.size() > 1)
            m.residentMb = fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6;
    }
    return m;
}

// Words of the course, misspelt by a dropped, doubled or swapped letter, and some made-up ones.
QList<model::WordPair> burstPairs(const LessonsSnapshot& course, int count)
{
    std::mt19937 random(20261207);
    QList<model::WordPair> pairs;
    while (pairs.size() < count) {
        const auto& row = course.rows()[random() % course.rows().size()];
        const auto& word = row.words[random() % 5];
        const QString c =
            word && random() % 5 ? *word : QStringLiteral("zarbon%1").arg(random() % 997);
        const QString m = bench::misspell(c, random);
        if (m != c)
            pairs.append({c, m});
    }
    return pairs;
}

void settleFor(int ms, Memory* peak)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        bench::settle();
        if (peak) {
            const Memory now = memoryNow();
            peak->heapMb = std::max(peak->heapMb, now.heapMb);
            peak->residentMb = std::max(peak->residentMb, now.residentMb);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        std::vector<char*> again{const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
        for (int i = 0; i < argc; ++i)
            again.push_back(argv[i]);
        again.push_back(nullptr);
        execvp("dbus-run-session", again.data());
        bench::fail(QStringLiteral("no session bus, and dbus-run-session could not be started"));
    }
    const int count = bench::prepareWindowBench(argc, argv, 10000);
    QApplication app(argc, argv);

    bench::FactoryProgram lexotrace; // the first start fills the stores
    lexotrace.start();
    QElapsedTimer timer;
    timer.start();
    while (!lexotrace.app->isLoaded() && timer.elapsed() < 30000)
        bench::settle();
    SpellErrorAnalysisController* window = lexotrace.controller().spellErrorAnalysisController();
    if (!window || !lexotrace.app->isLoaded())
        bench::fail(QStringLiteral("the analysis window did not load"));
    const AnalysisRowsModel& rows = window->matchedWordsArrayController();
    settleFor(1000, nullptr);

    auto course = LessonsSnapshot::fromRows(
        bench::fetchAll(*lexotrace.controller().lessonsDBase(), model::entity::RelatedWords));
    const QList<model::WordPair> pairs = burstPairs(*course, count);
    QList<AnalysisRow> expected;
    AnalysisEngine(course,
                   {[&](const AnalysisRow& row, bool) { expected.append(row); }, {}, {}, {}})
        .analyse(pairs);
    // Its own memory is counted before the burst.
    const qsizetype before = rows.rows().size();
    QDBusConnection sender =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("burst"));
    platform::DBusDistributedNotificationCenter typewarden(sender);
    settleFor(500, nullptr);
    const Memory start = memoryNow();

    Memory peak = start;
    timer.restart();
    for (const model::WordPair& pair : pairs)
        if (!typewarden.post(model::announcement::Name, model::announcement::Object,
                             model::announcement::toUserInfo(pair)))
            bench::fail(QStringLiteral("a pair could not be announced"));
    const double sent = bench::msSince(timer);
    while (rows.rows().size() < before + expected.size() && timer.elapsed() < 300000)
        settleFor(10, &peak);
    const double shown = bench::msSince(timer);
    settleFor(2000, &peak);
    const Memory after = memoryNow();

    const QList<AnalysisRow> got = rows.rows().mid(before);
    std::printf("%d pairs announced in %.0f ms; the window showed %lld of the %lld rows they make "
                "after %.0f ms, in the order sent: %s\n",
                count, sent, (long long)got.size(), (long long)expected.size(), shown,
                got == expected ? "yes" : "NO");
    std::printf("%-10s %10s %12s\n", "memory", "heap MB", "resident MB");
    std::printf("%-10s %10.1f %12.1f\n", "before", start.heapMb, start.residentMb);
    std::printf("%-10s %10.1f %12.1f\n", "peak", peak.heapMb, peak.residentMb);
    std::printf("%-10s %10.1f %12.1f\n", "after", after.heapMb, after.residentMb);
    const double heapRatio = after.heapMb / start.heapMb;
    const double residentRatio = after.residentMb / start.residentMb;
    std::printf("after the burst: heap %+.1f %%, resident %+.1f %% of before; aim within 10 %%: "
                "%s\n",
                (heapRatio - 1) * 100, (residentRatio - 1) * 100,
                heapRatio <= 1.1 && residentRatio <= 1.1 ? "met" : "not met");
    return got == expected ? 0 : 1;
}
