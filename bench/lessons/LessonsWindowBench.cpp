// Times the lessons window on the factory curriculum: from the command to the window shown with
// its first unit, and each switch of unit (the sections, rows and rule filled) through every
// unit of every level. Prints figures only.
//
//   bench_lessons [runs]   (default: 3; runs offscreen unless a platform is set)

#include "bench/support/BenchProgram.h"
#include "bench/support/BenchStore.h"
#include "lexotrace/app/LexotraceApplication.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
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

} // namespace

int main(int argc, char** argv)
{
    const int runs = bench::prepareWindowBench(argc, argv, 3);
    QApplication app(argc, argv);

    std::vector<double> opens, medians, worsts;
    qsizetype units = 0, largest = 0;
    for (int run = 0; run < runs; ++run) {
        bench::FactoryProgram lexotrace;

        QElapsedTimer timer;
        timer.start();
        lexotrace.controller().showSpellLessonsWindow();
        settle();
        SpellLessonsWindowController& window =
            *lexotrace.controller().spellLessonsWindowController();
        if (!window.window()->isVisible() || !window.unitsArrayController()->lastSelectedObject())
            bench::fail(QStringLiteral("the lessons window did not show a unit"));
        opens.push_back(bench::msSince(timer));

        std::vector<double> switches;
        LevelsArrayController& levels = *window.levelsArrayController();
        UnitsArrayController& unitList = *window.unitsArrayController();
        units = 0;
        for (qsizetype level = 0; level < levels.arrangedObjects().size(); ++level) {
            levels.setSelectionIndex(level);
            settle();
            for (qsizetype unit = 0; unit < unitList.arrangedObjects().size(); ++unit) {
                timer.restart();
                unitList.setSelectionIndex(unit);
                settle();
                switches.push_back(bench::msSince(timer));
                qsizetype rows = 0;
                for (const auto* section : window.sectionsArrayController()->arrangedObjects())
                    rows += section->toMany(model::key::relatedWords).size();
                largest = std::max(largest, rows);
                ++units;
            }
        }
        medians.push_back(bench::median(switches));
        worsts.push_back(*std::max_element(switches.begin(), switches.end()));
    }
    std::printf(
        "lessons window shown with its first unit: %.1f ms (median of %d runs; aim < 200)\n",
        bench::median(opens), runs);
    std::printf("unit switch over %lld units: median %.2f ms, slowest %.2f ms (aim < 50 for the "
                "largest unit, %lld rows)\n",
                static_cast<long long>(units), bench::median(medians), bench::median(worsts),
                static_cast<long long>(largest));
    return 0;
}
