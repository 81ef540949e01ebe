#pragma once

#include "lexotrace/analysis/AnalysisRow.h"
#include "lexotrace/analysis/LessonsSnapshot.h"
#include "model/WordPairAnnouncement.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace lexotrace
{

// One captured pair as the analysis reads it.
using ErrorEntry = model::WordPair;

// Matches captured pairs against the lessons: for every lesson row that holds the correct
// spelling, the row's bit decides whether the misspelling broke the lesson's pattern. Where no
// row explains a pair, known prefixes and suffixes are stripped to reach a root word, which is
// tried in turn; failing that the pair is a likely typo (the word is taught, its patterns were
// kept) or not listed. Works on an immutable snapshot, so it may run on any thread.
class AnalysisEngine
{
public:
    struct Callbacks {
        // Receives each row in production order; `wait` marks the rows (not listed) a sink may
        // want in its list before the run goes on. The analysis window takes them in order
        // with the rest.
        std::function<void(const AnalysisRow& row, bool wait)> append;
        std::function<void()> beginProgress;
        std::function<void()> endProgress;
        std::function<void()> scrollToEnd;
    };

    AnalysisEngine(std::shared_ptr<const LessonsSnapshot> snapshot, Callbacks callbacks);

    // The main pass over a list of pairs.
    void analyse(const QList<ErrorEntry>& entries);

    // Steps of the main pass, public for the tests.
    bool searchForRootWord(const QString& cSpell, const QString& mSpell);
    bool searchForSuffixes(const QString& cSpell, const QString& mSpell,
                           const QString& shortenedCSpell, const QString& shortenedMSpell);
    // Whether a lesson row with this bit reports the test word as a broken pattern.
    static bool isReported(const QString& bit, const QString& testWord);

    static const QStringList& prefixes();
    static const QStringList& suffixes();

    // Lookups go through the plain filter instead of the index (for comparing the two).
    void setUseIndex(bool on) { m_useIndex = on; }

private:
    struct RootEntry {
        QString cSpell, mSpell, rootCSpell, rootMSpell;
    };
    bool rootPass(const RootEntry& entry);
    QList<qsizetype> lookup(int column, const QString& searchWord) const;
    AnalysisRow lessonRow(qsizetype index, const QString& cSpell, const QString& mSpell,
                          const QString& rootCSpell) const;
    void call(const std::function<void()>& f) const
    {
        if (f)
            f();
    }

    std::shared_ptr<const LessonsSnapshot> m_snapshot;
    Callbacks m_callbacks;
    bool m_useIndex = true;
};

} // namespace lexotrace
