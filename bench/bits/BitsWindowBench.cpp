// Times the word-bits dictionary on the factory curriculum: from creating the window to the window
// shown with every row sorted; one change of the lessons without the window, with it open and
// with it closed, and showing it again after changes; and looking a word up. Prints figures only.
//
//   bench_bits [runs]   (default: 5; runs offscreen unless a platform is set)

#include "bench/support/BenchProgram.h"
#include "bench/support/BenchStore.h"
#include "lexotrace/rules/BitsRelatedWordsArrayController.h"
#include "lexotrace/rules/SpellBitsTableView.h"
#include "lexotrace/rules/SpellBitsWindowController.h"
#include "model/OrthovaModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <cstdio>
#include <vector>

using namespace lexotrace;

namespace
{

using bench::settle;

bool sortedByFirstWord(const QList<platform::ManagedObject*>& rows)
{
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows[i - 1]
                ->string(model::key::word(1))
                .compare(rows[i]->string(model::key::word(1)), Qt::CaseInsensitive) > 0)
            return false;
    return true;
}

// One change of a unit's rule, announced by the context; in ms.
double timeOneChange(platform::ManagedObject& unit, int n)
{
    QElapsedTimer timer;
    timer.start();
    unit.setValue(model::key::generalRule, QStringLiteral("changed %1").arg(n));
    settle();
    return bench::msSince(timer);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = bench::prepareWindowBench(argc, argv, 5);
    QApplication app(argc, argv);

    std::vector<double> builds, shows, totals, changesWithout, changesWith, changesHidden, reshows,
        lookUps;
    qsizetype rows = 0;
    for (int run = 0; run < runs; ++run) {
        bench::FactoryProgram lexotrace;
        platform::ObjectContext& lessons = *lexotrace.controller().lessonsDBase();
        const auto units = lessons.fetch(platform::FetchRequest::all(model::entity::Unit));
        if (!units || units->isEmpty())
            bench::fail(QStringLiteral("no units in the factory curriculum"));
        platform::ManagedObject& unit = *units->first();
        for (int n = 0; n < 5; ++n)
            changesWithout.push_back(timeOneChange(unit, n));

        QElapsedTimer timer;
        timer.start();
        SpellBitsWindowController window(lexotrace.app->notifications(),
                                         lexotrace.controller().lessonCoreDataAppDelegate());
        builds.push_back(bench::msSince(timer));
        QElapsedTimer shown;
        shown.start();
        window.showWindow();
        settle();
        shows.push_back(bench::msSince(shown));
        totals.push_back(bench::msSince(timer));
        const BitsRelatedWordsArrayController& words = *window.relatedWordsArrayController();
        rows = words.arrangedObjects().size();
        if (!window.window()->isVisible() || rows < 15000 ||
            window.spellBitsTableView()->model()->rowCount() != rows ||
            !sortedByFirstWord(words.arrangedObjects()))
            bench::fail(QStringLiteral("the window did not show every row sorted"));

        for (int n = 0; n < 5; ++n)
            changesWith.push_back(timeOneChange(unit, n + 5));
        window.window()->hide();
        for (int n = 0; n < 5; ++n)
            changesHidden.push_back(timeOneChange(unit, n + 10));
        timer.restart();
        window.showWindow();
        settle();
        reshows.push_back(bench::msSince(timer));

        // A first word in the middle, one near the end, and a word not there (every word read).
        for (const char* text : {"m", "zo", "zzzzq"}) {
            timer.restart();
            window.lookUpWord(QString::fromLatin1(text));
            settle();
            lookUps.push_back(bench::msSince(timer));
        }
    }
    std::printf("word bits window, %lld rows: created %.1f ms + shown %.1f ms = %.1f ms "
                "(median of %d runs; aim < 300)\n",
                static_cast<long long>(rows), bench::median(builds), bench::median(shows),
                bench::median(totals), runs);
    std::printf("one change of the lessons: %.2f ms without the window, %.2f ms with it open, "
                "%.2f ms with it closed; shown again after changes: %.1f ms (medians)\n",
                bench::median(changesWithout), bench::median(changesWith),
                bench::median(changesHidden), bench::median(reshows));
    std::printf("word look-up: median %.2f ms, slowest %.2f ms\n", bench::median(lookUps),
                *std::max_element(lookUps.begin(), lookUps.end()));
    return 0;
}
