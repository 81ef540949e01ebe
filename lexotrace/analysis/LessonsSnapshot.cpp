#include "lexotrace/analysis/LessonsSnapshot.h"

#include "platform/store/Predicate.h"

#include <QHash>

#include <array>

namespace lexotrace
{

namespace key = model::key;

namespace
{

std::optional<QString> optionalValue(const platform::ManagedObject* object, const QString& k)
{
    if (!object)
        return std::nullopt;
    const QVariant v = object->value(k);
    return v.isValid() ? std::optional<QString>(v.toString()) : std::nullopt;
}

// The slot keys, made once rather than for every row.
struct SlotKeys {
    std::array<QString, model::kWordSlots> words, bits;
    SlotKeys()
    {
        for (int slot = 1; slot <= model::kWordSlots; ++slot) {
            words[slot - 1] = key::word(slot);
            bits[slot - 1] = key::bit(slot);
        }
    }
};

const SlotKeys& slotKeys()
{
    static const SlotKeys keys;
    return keys;
}

// What a row takes from its unit and level, read once for all the rows of a unit.
struct UnitValues {
    std::optional<QString> levelNumber, unitNumber, generalRule, generalRuleCode;
};

UnitValues unitValues(const platform::ManagedObject* unit)
{
    const platform::ManagedObject* level = unit ? unit->toOne(key::level) : nullptr;
    return {optionalValue(level, key::levelNumber), optionalValue(unit, key::unitNumber),
            optionalValue(unit, key::generalRule), optionalValue(unit, key::generalRuleCode)};
}

LessonRowValues rowValues(const platform::ManagedObject& row, const UnitValues& unit)
{
    const SlotKeys& keys = slotKeys();
    LessonRowValues values;
    for (int slot = 0; slot < model::kWordSlots; ++slot) {
        values.words[slot] = optionalValue(&row, keys.words[slot]);
        values.bits[slot] = row.string(keys.bits[slot]);
    }
    values.levelNumber = unit.levelNumber;
    values.unitNumber = unit.unitNumber;
    values.generalRule = unit.generalRule;
    values.generalRuleCode = unit.generalRuleCode;
    return values;
}

const platform::ManagedObject* unitOf(const platform::ManagedObject& row)
{
    const platform::ManagedObject* section = row.toOne(key::section);
    return section ? section->toOne(key::unit) : nullptr;
}

} // namespace

LessonRowValues LessonRowValues::fromRow(const platform::ManagedObject& row)
{
    return rowValues(row, unitValues(unitOf(row)));
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
    QHash<const platform::ManagedObject*, UnitValues> units;
    for (const platform::ManagedObject* row : rows) {
        const platform::ManagedObject* unit = unitOf(*row);
        auto it = units.constFind(unit);
        if (it == units.constEnd())
            it = units.insert(unit, unitValues(unit));
        values.append(rowValues(*row, *it));
    }
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
