// Times the window-load analysis of captured pairs against the factory course and against a
// generated course of 20,000 rows, with the indexed lookup and with the plain filter. Prints
// figures only.
//
//   bench_analysis [pairs=10000] [rows=20000] [plain-sample=300]
//
// The plain filter scans every row for every lookup; it is timed on a sample of the pairs and
// given as pairs per second.

#include "lexotrace/analysis/AnalysisEngine.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <cstdio>
#include <random>

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
    return LessonsSnapshot::fromRows(
        context.fetch(platform::FetchRequest::all(model::entity::RelatedWords))
            .value_or(QList<platform::ManagedObject*>{}));
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
        QString m = c;
        const int at = int(random() % m.size());
        switch (random() % 3) {
        case 0:
            m.remove(at, 1);
            break;
        case 1:
            m.insert(at, m[at]);
            break;
        default:
            if (at + 1 < m.size())
                std::swap(m[at], m[at + 1]);
        }
        pairs.append({c, m});
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("lexotrace.*.debug=false"));
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
    return 0;
}
