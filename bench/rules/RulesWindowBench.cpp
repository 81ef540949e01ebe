// Times the rules window on the factory rules: from the command to the window shown with every
// rule listed, then the copy of all rules and the printed text. Prints figures only.
//
//   bench_rules [runs]   (default: 5; runs offscreen unless a platform is set)

#include "bench/support/BenchProgram.h"
#include "bench/support/BenchStore.h"
#include "lexotrace/rules/RulesArrayController.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "lexotrace/rules/SpellRulesWindowDelegate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <cstdio>
#include <vector>

using namespace lexotrace;

int main(int argc, char** argv)
{
    const int runs = bench::prepareWindowBench(argc, argv, 5);
    QApplication app(argc, argv);

    std::vector<double> opens, copies, prints;
    qsizetype rules = 0;
    for (int run = 0; run < runs; ++run) {
        bench::FactoryProgram lexotrace;
        QElapsedTimer timer;
        timer.start();
        lexotrace.controller().showSpellRuleWindow();
        bench::settle();
        SpellRulesWindowController& window = *lexotrace.controller().spellRulesWindowController();
        rules = window.rulesArrayController()->arrangedObjects().size();
        if (!window.window()->isVisible() || rules == 0)
            bench::fail(QStringLiteral("the rules window did not show the rules"));
        opens.push_back(bench::msSince(timer));

        QList<qsizetype> all;
        for (qsizetype i = 0; i < rules; ++i)
            all.append(i);
        window.rulesArrayController()->setSelectionIndexes(all);
        timer.restart();
        window.deriveRulesCopyContent();
        copies.push_back(bench::msSince(timer));
        timer.restart();
        window.spellRulesWindowDelegate()->printText();
        prints.push_back(bench::msSince(timer));
    }
    std::printf("rules window shown with %lld rules: %.1f ms (median of %d runs; aim < 50)\n",
                static_cast<long long>(rules), bench::median(opens), runs);
    std::printf("copy of every rule: %.2f ms; printed text: %.2f ms\n", bench::median(copies),
                bench::median(prints));
    return 0;
}
