#include "lexotrace/analysis/AnalysisEngine.h"

namespace lexotrace
{

namespace
{

// The empty string is never found inside a word.
bool contains(const QString& word, const QString& part)
{
    return !part.isEmpty() && word.contains(part);
}

} // namespace

const QStringList& AnalysisEngine::prefixes()
{
    static const QStringList list{"be",    "con",   "de",   "dis",   "ex",  "in", "inter",
                                  "mis",   "ob",    "over", "pre",   "pro", "re", "sub",
                                  "super", "trans", "un",   "under", "up"};
    return list;
}

const QStringList& AnalysisEngine::suffixes()
{
    // Not alphabetical: "age" before "able", "ed" before "d", and "y" last.
    static const QStringList list{
        "age",    "able",  "al",  "ally", "ance",  "ancy", "ant",  "any",  "ate", "ation", "atory",
        "cation", "ed",    "d",   "en",   "ence",  "enne", "ent",  "er",   "es",  "est",   "ette",
        "ever",   "every", "ful", "full", "fully", "hood", "ial",  "ian",  "iar", "ible",  "ic",
        "ical",   "ie",    "ing", "ion",  "ity",   "ive",  "ix",   "less", "ly",  "ment",  "ness",
        "no",     "ory",   "ous", "ry",   "s",     "sion", "some", "tion", "ul",  "ular",  "y"};
    return list;
}

AnalysisEngine::AnalysisEngine(std::shared_ptr<const LessonsSnapshot> snapshot, Callbacks callbacks)
    : m_snapshot(snapshot ? std::move(snapshot)
                          : std::make_shared<const LessonsSnapshot>(QList<LessonRowValues>{})),
      m_callbacks(std::move(callbacks))
{
}

bool AnalysisEngine::isReported(const QString& bit, const QString& testWord)
{
    // A bit starting with "-" (after any leading white space) names letters that must not appear.
    qsizetype i = 0;
    while (i < bit.size() && bit[i].isSpace())
        ++i;
    if (i < bit.size() && bit[i] == u'-')
        return contains(testWord, bit.mid(1));
    return !contains(testWord, bit);
}

QList<qsizetype> AnalysisEngine::lookup(int column, const QString& searchWord) const
{
    return m_useIndex ? m_snapshot->lookup(column, searchWord)
                      : m_snapshot->lookupByScan(column, searchWord);
}

AnalysisRow AnalysisEngine::lessonRow(qsizetype index, const QString& cSpell, const QString& mSpell,
                                      const QString& rootCSpell) const
{
    const LessonRowValues& lesson = m_snapshot->rows()[index];
    AnalysisRow row;
    row.levelNumber = lesson.levelNumber;
    row.unitNumber = lesson.unitNumber;
    row.reference = QStringLiteral("%1-%2").arg(lesson.levelNumber.value_or("(null)"),
                                                lesson.unitNumber.value_or("(null)"));
    row.generalRuleCode = lesson.generalRuleCode;
    row.generalRule = lesson.generalRule;
    row.cSpell = cSpell;
    row.mSpell = mSpell;
    row.rootCSpell = rootCSpell;
    return row;
}

void AnalysisEngine::analyse(const QList<ErrorEntry>& entries)
{
    // Editors type the typographic apostrophe (don’t); the lessons spell it plainly (don't).
    const auto plain = [](QString word) { return word.replace(QChar(0x2019), u'\''); };
    call(m_callbacks.beginProgress);
    for (const ErrorEntry& entry : entries) {
        const QString c = plain(entry.cSpell);
        const QString m = plain(entry.mSpell);
        bool unreported = true;
        bool listed = false;
        for (int column = 1; column <= model::kWordSlots; ++column) {
            const QList<qsizetype> found = lookup(column, c);
            if (!found.isEmpty())
                listed = true;
            for (qsizetype index : found) {
                if (!isReported(m_snapshot->rows()[index].bits[column - 1], m))
                    continue;
                m_callbacks.append(lessonRow(index, c, m, QString()), false);
                unreported = false;
            }
        }
        if (!unreported)
            continue;
        if (listed) {
            if (!searchForRootWord(c, m))
                m_callbacks.append(AnalysisRow::likelyTypo(c, m), false);
        } else if (!searchForRootWord(c, m) && c != m) {
            m_callbacks.append(AnalysisRow::notListed(c, m), true);
        }
    }
    call(m_callbacks.endProgress);
    call(m_callbacks.scrollToEnd);
}

bool AnalysisEngine::searchForRootWord(const QString& cSpell, const QString& mSpell)
{
    const QString c = cSpell.toLower();
    const QString m = mSpell.toLower();
    int hits = 0;
    for (const QString& p : prefixes()) {
        if (!c.startsWith(p))
            continue;
        // A matching prefix counts by itself, root found or not.
        ++hits;
        if (c.size() > p.size() && m.startsWith(p) &&
            searchForSuffixes(c, m, c.mid(p.size()), m.mid(p.size())))
            ++hits;
    }
    if (hits == 0 && searchForSuffixes(c, m, c, m))
        hits = 1;
    return hits > 0;
}

bool AnalysisEngine::searchForSuffixes(const QString& cSpell, const QString& mSpell,
                                       const QString& shortenedCSpell,
                                       const QString& shortenedMSpell)
{
    const QString sc = shortenedCSpell.toLower();
    const QString sm = shortenedMSpell.toLower();
    const QString c = cSpell.toLower();
    const QString m = mSpell.toLower();
    int found = 0;
    for (const QString& s : suffixes()) {
        if (!c.endsWith(s) || !sc.endsWith(s) || !sm.endsWith(s))
            continue;
        const QString rootC = sc.left(sc.size() - s.size());
        const QString rootM = sm.left(sm.size() - s.size());
        if (rootC.size() > 3 && rootPass({c, m, rootC, rootM}))
            ++found;
    }
    return found > 0;
}

bool AnalysisEngine::rootPass(const RootEntry& entry)
{
    call(m_callbacks.beginProgress);
    const QString& search = entry.rootCSpell.isEmpty() ? entry.cSpell : entry.rootCSpell;
    bool appended = false;
    for (int column = 1; column <= model::kWordSlots; ++column) {
        for (qsizetype index : lookup(column, search)) {
            if (!isReported(m_snapshot->rows()[index].bits[column - 1], entry.rootMSpell))
                continue;
            m_callbacks.append(lessonRow(index, entry.cSpell, entry.mSpell, entry.rootCSpell),
                               false);
            appended = true;
        }
    }
    return appended;
}

} // namespace lexotrace
