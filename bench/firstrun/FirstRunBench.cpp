// Times what a new user waits for on first start: the factory curriculum and rules read into
// empty stores and saved, the fixed pause before the relaunch, and the relaunched program opening
// the saved stores and taking the analysis snapshot. Prints figures only.
//
//   bench_firstrun [runs] [lessons.xml rules.xml]   (default: 5 runs of the factory files)

#include "bench/support/BenchStore.h"
#include "lexotrace/analysis/LessonsSnapshot.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"
#include "model/OrthovaModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace lexotrace;
using bench::fail;
using bench::fetchAll;
using bench::median;
using bench::openStore;
using bench::Store;

namespace
{

// The relaunch command sleeps this long before starting the program again.
constexpr double kRelaunchPause = 1.0;

void save(Store& store)
{
    platform::StoreError error;
    if (!store.context->save(&error))
        fail(QStringLiteral("save: %1").arg(error.message));
}

double secondsSince(const QElapsedTimer& timer)
{
    return bench::msSince(timer) / 1000;
}

struct Run {
    double firstLoad = 0; // both files read and saved, as the first start does
    double reopen = 0;    // the relaunched program opening both stores and the snapshot
    qsizetype rows = 0;
    qsizetype rules = 0;
};

Run measure(const QString& lessonsXml, const QString& rulesXml, const QDir& dir, int run)
{
    Run r;
    const QString lessonsStore = dir.filePath(QStringLiteral("lessons-%1.xml").arg(run));
    const QString rulesStore = dir.filePath(QStringLiteral("rules-%1.xml").arg(run));
    platform::SilentAlertPresenter alerts;
    {
        QElapsedTimer timer;
        timer.start();
        Store lessons = openStore(lessonsStore);
        ConvertToCoreDataHelper lessonsReader(alerts);
        lessonsReader.setContextSource([&] { return lessons.context.get(); });
        if (!lessonsReader.createLessonCoreDataFromXMLfile(lessonsXml))
            fail(QStringLiteral("cannot read %1").arg(lessonsXml));
        save(lessons);
        Store rules = openStore(rulesStore);
        RulesCoreDataToXMLConverter rulesReader(alerts);
        rulesReader.setContextSource([&] { return rules.context.get(); });
        if (!rulesReader.createRulesCoreDataFromXMLFilePath(rulesXml))
            fail(QStringLiteral("cannot read %1").arg(rulesXml));
        save(rules);
        r.firstLoad = secondsSince(timer);
        QCoreApplication::processEvents();
    }
    QElapsedTimer timer;
    timer.start();
    Store lessons = openStore(lessonsStore);
    Store rules = openStore(rulesStore);
    const auto snapshot =
        LessonsSnapshot::fromRows(fetchAll(*lessons.context, model::entity::RelatedWords));
    r.rules = fetchAll(*rules.context, model::entity::Rule).size();
    r.reopen = secondsSince(timer);
    r.rows = snapshot ? snapshot->rows().size() : 0;
    QCoreApplication::processEvents();
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    const QStringList args = app.arguments();
    const int runs = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 5;
    const QString lessonsXml =
        args.size() > 3
            ? args.at(2)
            : QStringLiteral(ORTHOVA_SOURCE_DIR "/resources/Lessons_Initiation_Data.xml");
    const QString rulesXml =
        args.size() > 3 ? args.at(3)
                        : QStringLiteral(ORTHOVA_SOURCE_DIR "/resources/Rules_Initiation_Data.xml");
    QTemporaryDir dir;
    if (!dir.isValid())
        fail(QStringLiteral("no temporary folder"));

    std::vector<double> first, reopen;
    Run last;
    for (int run = 0; run < runs; ++run) {
        last = measure(lessonsXml, rulesXml, QDir(dir.path()), run);
        first.push_back(last.firstLoad);
        reopen.push_back(last.reopen);
    }
    const double total = median(first) + kRelaunchPause + median(reopen);
    std::printf("First start with the factory files (Qt %s), median of %d runs\n\n", qVersion(),
                runs);
    std::printf("lessons: %s (%lld rows)\nrules:   %s (%lld rules)\n\n", qPrintable(lessonsXml),
                static_cast<long long>(last.rows), qPrintable(rulesXml),
                static_cast<long long>(last.rules));
    std::printf("first-run load: both files read and saved     %6.3f s\n", median(first));
    std::printf("pause before the relaunch                     %6.3f s\n", kRelaunchPause);
    std::printf("relaunch: both stores opened, snapshot taken  %6.3f s\n", median(reopen));
    std::printf("total                                         %6.3f s (aim: under 2 s, %s)\n",
                total, total < 2.0 ? "met" : "not met");
    return 0;
}
