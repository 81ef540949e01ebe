// Feeds real misspellings through the analysis against a curriculum and counts how many pairs the
// lessons explain. Prints figures only.
//
//   bench_coverage [lessons.xml]   (default: the factory curriculum)
//
// The word data is read from Debian packages that are installed for this benchmark only and are
// not needed by the programs:
//
//   apt-get install codespell wamerican
//
// codespell's dictionary gives lines "misspelling->correction[, correction...]"; a pair is kept
// when its correction is exactly one lowercase word listed in /usr/share/dict/words. Pairs whose
// correction has an apostrophe (dont->don't) are counted on a line of their own.

#include "lexotrace/analysis/AnalysisEngine.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

using namespace lexotrace;

namespace
{

const char* const kCodespellDictionary =
    "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
const char* const kWordList = "/usr/share/dict/words";

std::shared_ptr<const LessonsSnapshot> loadCourse(const QString& path)
{
    platform::SilentAlertPresenter alerts;
    auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
    coordinator->addStore(QStringLiteral("/nonexistent/bench-coverage-lessons.xml"), nullptr);
    platform::ObjectContext context(coordinator);
    ConvertToCoreDataHelper converter(alerts);
    converter.setContextSource([&] { return &context; });
    converter.createLessonCoreDataFromXMLfile(path);
    return LessonsSnapshot::fromRows(
        context.fetch(platform::FetchRequest::all(model::entity::RelatedWords))
            .value_or(QList<platform::ManagedObject*>{}));
}

bool readLines(const QString& path, QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd())
        lines.append(in.readLine());
    return true;
}

bool isLowercaseWord(const QString& word)
{
    return !word.isEmpty() &&
           std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

bool hasApostrophe(const QString& word)
{
    return word.count(u'\'') == 1 && isLowercaseWord(QString(word).remove(u'\''));
}

// The kept pairs, one per (correction, misspelling) ignoring case.
QList<ErrorEntry> loadPairs(const QStringList& dictionary, const QSet<QString>& words,
                            bool (*isKept)(const QString&))
{
    QList<ErrorEntry> pairs;
    QSet<QString> seen;
    for (const QString& line : dictionary) {
        const qsizetype arrow = line.indexOf(QStringLiteral("->"));
        if (arrow <= 0)
            continue;
        const QString misspelling = line.left(arrow).trimmed();
        const QString correction = line.mid(arrow + 2).trimmed();
        if (misspelling.isEmpty() || !isKept(correction) || !words.contains(correction))
            continue;
        const QString key = correction + u'\n' + misspelling.toLower();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        pairs.append({correction, misspelling});
    }
    return pairs;
}

struct PairResult {
    bool lesson = false;
    bool likelyTypo = false;
    bool notListed = false;
    std::set<QString> levels;
};

struct Analysis {
    QList<PairResult> results;
    qsizetype resultRows = 0;
    qsizetype unmatchedRows = 0;
    double seconds = 0;
};

Analysis analyse(const std::shared_ptr<const LessonsSnapshot>& course,
                 const QList<ErrorEntry>& pairs)
{
    // Rows name their pair by its spellings; the root pass lowercases them.
    QHash<QString, qsizetype> pairIndex;
    for (qsizetype i = 0; i < pairs.size(); ++i)
        pairIndex.insert(pairs[i].cSpell.toLower() + u'\n' + pairs[i].mSpell.toLower(), i);
    Analysis a;
    a.results.resize(pairs.size());
    AnalysisEngine engine(course, {[&](const AnalysisRow& row, bool) {
                                       ++a.resultRows;
                                       const auto it = pairIndex.constFind(
                                           row.cSpell.toLower() + u'\n' + row.mSpell.toLower());
                                       if (it == pairIndex.constEnd()) {
                                           ++a.unmatchedRows;
                                           return;
                                       }
                                       PairResult& r = a.results[*it];
                                       if (!row.isFallback()) {
                                           r.lesson = true;
                                           r.levels.insert(row.levelNumber.value_or("(none)"));
                                       } else if (row.generalRule == AnalysisRow::kLikelyTypo) {
                                           r.likelyTypo = true;
                                       } else if (row.generalRule == AnalysisRow::kNotListed) {
                                           r.notListed = true;
                                       }
                                   },
                                   {},
                                   {},
                                   {}});
    QElapsedTimer timer;
    timer.start();
    engine.analyse(pairs);
    a.seconds = double(timer.nsecsElapsed()) / 1e9;
    return a;
}

double percent(qsizetype part, qsizetype whole)
{
    return whole > 0 ? 100.0 * double(part) / double(whole) : 0.0;
}

// Orders level names numerically where they are numbers.
bool levelBefore(const QString& a, const QString& b)
{
    bool okA = false, okB = false;
    const int na = a.toInt(&okA), nb = b.toInt(&okB);
    if (okA && okB)
        return na < nb;
    if (okA != okB)
        return okA;
    return a < b;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("lexotrace.*.debug=false"));

    const QString lessonsPath =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QStringLiteral(ORTHOVA_SOURCE_DIR) + "/resources/Lessons_Initiation_Data.xml";
    if (!QFileInfo(lessonsPath).isFile()) {
        std::fprintf(stderr, "Lessons file not found: %s\n", qPrintable(lessonsPath));
        return 2;
    }
    QStringList dictionary, wordLines;
    if (!readLines(QString::fromLatin1(kCodespellDictionary), dictionary)) {
        std::fprintf(stderr, "Cannot read %s.\nInstall it with: apt-get install codespell\n",
                     kCodespellDictionary);
        return 2;
    }
    if (!readLines(QString::fromLatin1(kWordList), wordLines)) {
        std::fprintf(stderr, "Cannot read %s.\nInstall it with: apt-get install wamerican\n",
                     kWordList);
        return 2;
    }
    QSet<QString> words;
    for (const QString& w : wordLines)
        words.insert(w.trimmed());

    const QList<ErrorEntry> pairs = loadPairs(dictionary, words, isLowercaseWord);
    const QList<ErrorEntry> apostrophePairs = loadPairs(dictionary, words, hasApostrophe);
    const auto course = loadCourse(lessonsPath);
    if (course->isEmpty()) {
        std::fprintf(stderr, "No lesson rows read from %s\n", qPrintable(lessonsPath));
        return 2;
    }
    const Analysis analysis = analyse(course, pairs);
    const QList<PairResult>& results = analysis.results;

    const qsizetype total = pairs.size();
    qsizetype lesson = 0, typo = 0, notListed = 0, none = 0;
    std::map<QString, qsizetype, decltype(&levelBefore)> perLevel(&levelBefore);
    for (const PairResult& r : results) {
        lesson += r.lesson;
        typo += r.likelyTypo;
        notListed += r.notListed;
        none += !r.lesson && !r.likelyTypo && !r.notListed;
        for (const QString& level : r.levels)
            ++perLevel[level];
    }

    std::printf("Coverage of real misspellings by the lessons (Qt %s)\n\n", qVersion());
    std::printf("lessons:   %s (%lld rows)\n", qPrintable(lessonsPath),
                (long long)course->rows().size());
    std::printf("pairs:     %s\n", kCodespellDictionary);
    std::printf("           %lld lines, %lld pairs kept (correction one lowercase word in %s)\n",
                (long long)dictionary.size(), (long long)total, kWordList);
    std::printf("analysis:  %.3f s, one thread, %lld result rows", analysis.seconds,
                (long long)analysis.resultRows);
    if (analysis.unmatchedRows > 0)
        std::printf(" (%lld not traced to a pair)", (long long)analysis.unmatchedRows);
    std::printf("\n\n");

    std::printf("%-34s %8s %8s\n", "pairs with", "pairs", "share");
    const auto line = [&](const char* name, qsizetype n) {
        std::printf("%-34s %8lld %7.1f %%\n", name, (long long)n, percent(n, total));
    };
    line("at least one lesson row", lesson);
    line("a Likely typo row", typo);
    line("a Not currently listed row", notListed);
    line("no row at all", none);
    line("all pairs", total);

    std::printf("\n%-34s %8s %8s\n", "pairs with a lesson row in level", "pairs", "share");
    for (const auto& [level, n] : perLevel)
        std::printf("%-34s %8lld %7.1f %%\n", qPrintable(QStringLiteral("level ") + level),
                    (long long)n, percent(n, total));

    const QList<PairResult> apostrophes = analyse(course, apostrophePairs).results;
    const auto explained = std::count_if(apostrophes.begin(), apostrophes.end(),
                                         [](const PairResult& r) { return r.lesson; });
    std::printf("\npairs whose correction has an apostrophe (dont->don't), not counted above:\n");
    std::printf("%-34s %8lld %7.1f %%\n", "with a lesson row", (long long)explained,
                percent(explained, apostrophePairs.size()));
    std::printf("%-34s %8lld\n", "all", (long long)apostrophePairs.size());

    const double share = percent(lesson, total);
    std::printf("\nAim: at least 45 %% of the pairs get a lesson row: %.1f %% (%s)\n", share,
                share >= 45.0 ? "met" : "not met");
    return 0;
}
