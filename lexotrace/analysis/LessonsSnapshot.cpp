#include "lexotrace/analysis/LessonsSnapshot.h"

#include "platform/store/Predicate.h"

namespace lexotrace
{

namespace key = model::key;

namespace
{

std::optional<QString> optionalValue(const platform::ManagedObject* object, const QString& k)
{
    if (!object || !object->hasValue(k))
        return std::nullopt;
    return object->string(k);
}

} // namespace

LessonRowValues LessonRowValues::fromRow(const platform::ManagedObject& row)
{
    LessonRowValues values;
    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
        values.words[slot - 1] = optionalValue(&row, key::word(slot));
        values.bits[slot - 1] = row.string(key::bit(slot));
    }
    const platform::ManagedObject* section = row.toOne(key::section);
    const platform::ManagedObject* unit = section ? section->toOne(key::unit) : nullptr;
    const platform::ManagedObject* level = unit ? unit->toOne(key::level) : nullptr;
    values.levelNumber = optionalValue(level, key::levelNumber);
    values.unitNumber = optionalValue(unit, key::unitNumber);
    values.generalRule = optionalValue(unit, key::generalRule);
    values.generalRuleCode = optionalValue(unit, key::generalRuleCode);
    return values;
}

LessonsSnapshot::LessonsSnapshot(QList<LessonRowValues> rows) : m_rows(std::move(rows))
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        for (int c = 0; c < model::kWordSlots; ++c)
            if (m_rows[i].words[c])
                m_index[c][*m_rows[i].words[c]].append(i);
}

std::shared_ptr<const LessonsSnapshot>
LessonsSnapshot::fromRows(const QList<platform::ManagedObject*>& rows)
{
    QList<LessonRowValues> values;
    values.reserve(rows.size());
    for (const platform::ManagedObject* row : rows)
        values.append(LessonRowValues::fromRow(*row));
    return std::make_shared<const LessonsSnapshot>(std::move(values));
}

QList<qsizetype> LessonsSnapshot::lookup(int column, const QString& searchWord) const
{
    if (column < 1 || column > model::kWordSlots)
        return {};
    // Without wildcards `like` is plain equality, which the index answers in snapshot order.
    if (platform::Predicate::hasWildcards(searchWord))
        return lookupByScan(column, searchWord);
    return m_index[column - 1].value(searchWord);
}

QList<qsizetype> LessonsSnapshot::lookupByScan(int column, const QString& searchWord) const
{
    QList<qsizetype> found;
    if (column < 1 || column > model::kWordSlots)
        return found;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const auto& word = m_rows[i].words[column - 1];
        if (word && platform::Predicate::matchesLike(*word, searchWord))
            found.append(i);
    }
    return found;
}

} // namespace lexotrace
