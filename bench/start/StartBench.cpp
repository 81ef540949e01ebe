// Times Lexotrace's start as a user sees it: from starting the process to its first window on
// screen (the "first window shown" line it logs), on the factory files with no pairs and with
// 10,000 stored pairs, beside a bare Qt program showing an empty table, runs interleaved so that
// the machine's drift stays out of the ratios. Prints figures only.
//
//   bench_start [runs=5]        (offscreen unless a platform is set)
//   bench_start --bare          (the bare program the bench times)

#include "bench/support/BenchProgram.h"
#include "model/OrthovaModel.h"
#include "platform/ui/FirstWindowLog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

int bareProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::FirstWindowLog firstWindow;
    QMainWindow window;
    QStandardItemModel model(0, 4);
    QTableView table;
    table.setModel(&model);
    window.setCentralWidget(&table);
    window.show();
    return app.exec();
}

// Milliseconds from starting the program to its first window, or a failure.
double timeToFirstWindow(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    QByteArray seen;
    while (!seen.contains("first window shown")) {
        if (!process.waitForReadyRead(30000))
            bench::fail(QStringLiteral("%1 showed no window: %2")
                            .arg(program, QString::fromLocal8Bit(seen.right(400))));
        seen += process.readAll();
    }
    const double ms = bench::msSince(timer);
    process.kill();
    process.waitForFinished();
    return ms;
}

QProcessEnvironment homeEnvironment(const bench::FactoryProgram& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       home.home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    if (environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

QList<model::WordPair> pairs(int count)
{
    QList<model::WordPair> out;
    for (int i = 0; i < count; ++i)
        out.append(
            {QStringLiteral("separate%1").arg(i % 500), QStringLiteral("seperate%1").arg(i % 500)});
    return out;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return bareProgram(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int runs = bench::prepareWindowBench(argc, argv, 5);
    QApplication app(argc, argv);

    bench::FactoryProgram empty, full;
    empty.storePairs({});
    full.storePairs(pairs(10000));
    const QString lexotrace = QStringLiteral(LEXOTRACE_PROGRAM);
    const QString self = QCoreApplication::applicationFilePath();

    std::vector<double> bare, withNone, withPairs;
    for (int run = 0; run < runs; ++run) {
        bare.push_back(timeToFirstWindow(self, {QStringLiteral("--bare")}, homeEnvironment(empty)));
        withNone.push_back(timeToFirstWindow(lexotrace, {}, homeEnvironment(empty)));
        withPairs.push_back(timeToFirstWindow(lexotrace, {}, homeEnvironment(full)));
    }
    const double b = median(bare);
    std::printf("Process start to first window shown, median of %d interleaved runs (Qt %s)\n\n",
                runs, qVersion());
    std::printf("bare Qt window with an empty table     %7.0f ms\n", b);
    for (const auto& [name, values] :
         {std::pair{"Lexotrace, factory files, no pairs", &withNone},
          std::pair{"Lexotrace, factory files, 10,000 pairs", &withPairs}}) {
        const double ms = median(*values);
        std::printf("%-38s %7.0f ms  %5.1fx the bare window  (aim within 3x: %s)\n", name, ms,
                    ms / b, ms <= 3 * b ? "met" : "not met");
    }
    return 0;
}
