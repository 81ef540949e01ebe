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

std::optional<QString> optionalAt(const platform::ManagedObject& object, int index)
{
    if (index < 0)
        return std::nullopt;
    const QVariant& v = object.valueAt(index);
    return v.isValid() ? std::optional<QString>(v.toString()) : std::nullopt;
}

// Where a row entity keeps its word and bit slots, looked up once rather than for every row.
struct SlotIndexes {
    const platform::EntityDescription* entity = nullptr;
    std::array<int, model::kWordSlots> words{}, bits{};

    void resolve(const platform::EntityDescription& rowEntity)
    {
        if (entity == &rowEntity)
            return;
        entity = &rowEntity;
        for (int slot = 1; slot <= model::kWordSlots; ++slot) {
            words[slot - 1] = rowEntity.attributeIndex(key::word(slot));
            bits[slot - 1] = rowEntity.attributeIndex(key::bit(slot));
        }
    }
};

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

// One row from `text(attribute index)`, which reads the row wherever it is kept.
template <class Text>
LessonRowValues rowValues(const Text& text, const UnitValues& unit, const SlotIndexes& slotIndexes)
{
    LessonRowValues values;
    for (int slot = 0; slot < model::kWordSlots; ++slot) {
        values.words[slot] = text(slotIndexes.words[slot]);
        values.bits[slot] = text(slotIndexes.bits[slot]).value_or(QString());
    }
    values.levelNumber = unit.levelNumber;
    values.unitNumber = unit.unitNumber;
    values.generalRule = unit.generalRule;
    values.generalRuleCode = unit.generalRuleCode;
    return values;
}

LessonRowValues rowValues(const platform::ManagedObject& row, const UnitValues& unit,
                          SlotIndexes& slotIndexes)
{
    slotIndexes.resolve(row.entity());
    return rowValues([&row](int index) { return optionalAt(row, index); }, unit, slotIndexes);
}

const platform::ManagedObject* unitOf(const platform::ManagedObject& row)
{
    const platform::ManagedObject* section = row.toOne(key::section);
    return section ? section->toOne(key::unit) : nullptr;
}

} // namespace

LessonRowValues LessonRowValues::fromRow(const platform::ManagedObject& row)
{
    SlotIndexes slotIndexes;
    return rowValues(row, unitValues(unitOf(row)), slotIndexes);
}

LessonsSnapshot::LessonsSnapshot(QList<LessonRowValues> rows) : m_rows(std::move(rows))
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        for (int c = 0; c < model::kWordSlots; ++c)
            if (m_rows[i].words[c])
                m_index[c][*m_rows[i].words[c]].append(i);
}

QList<LessonRowValues> LessonsSnapshot::valuesOf(const QList<platform::ManagedObject*>& rows)
{
    QList<LessonRowValues> values;
    values.reserve(rows.size());
    QHash<const platform::ManagedObject*, UnitValues> units;
    SlotIndexes slotIndexes;
    for (const platform::ManagedObject* row : rows) {
        const platform::ManagedObject* unit = unitOf(*row);
        auto it = units.constFind(unit);
        if (it == units.constEnd())
            it = units.insert(unit, unitValues(unit));
        values.append(rowValues(*row, *it, slotIndexes));
    }
    return values;
}

std::shared_ptr<const LessonsSnapshot>
LessonsSnapshot::fromStore(const platform::StoreContents& store)
{
    using platform::StoreRecord;
    const platform::ObjectModelPtr model = model::orthovaCoreData();
    const platform::EntityDescription* rowEntity = model->entity(model::entity::RelatedWords);
    const platform::EntityDescription* sectionEntity = model->entity(model::entity::Sections);
    const platform::EntityDescription* unitEntity = model->entity(model::entity::Unit);
    const platform::EntityDescription* levelEntity = model->entity(model::entity::Levels);
    const int toSection = rowEntity->relationshipIndex(key::section);
    const int toUnit = sectionEntity->relationshipIndex(key::unit);
    const int toLevel = unitEntity->relationshipIndex(key::level);
    auto text = [](const StoreRecord* record, int index) -> std::optional<QString> {
        if (!record || index < 0 || index >= record->values.size() ||
            !record->values[index].isValid())
            return std::nullopt;
        return record->values[index].toString();
    };

    QHash<qint64, const StoreRecord*> owners; // sections, units and levels by number
    for (const StoreRecord& record : store.records)
        if (record.entity != rowEntity)
            owners.insert(record.number, &record);
    auto target = [&owners](const StoreRecord* record, int relationship,
                            const platform::EntityDescription* entity) -> const StoreRecord* {
        if (!record || relationship < 0 || relationship >= record->toOne.size())
            return nullptr;
        const StoreRecord* found = owners.value(record->toOne[relationship]);
        return found && found->entity == entity ? found : nullptr;
    };

    QList<LessonRowValues> values;
    QHash<const StoreRecord*, UnitValues> units;
    SlotIndexes slotIndexes;
    slotIndexes.resolve(*rowEntity);
    for (const StoreRecord& row : store.records) {
        if (row.entity != rowEntity)
            continue;
        const StoreRecord* section = target(&row, toSection, sectionEntity);
        const StoreRecord* unit = target(section, toUnit, unitEntity);
        auto it = units.constFind(unit);
        if (it == units.constEnd()) {
            const StoreRecord* level = target(unit, toLevel, levelEntity);
            it = units.insert(unit, {text(level, levelEntity->attributeIndex(key::levelNumber)),
                                     text(unit, unitEntity->attributeIndex(key::unitNumber)),
                                     text(unit, unitEntity->attributeIndex(key::generalRule)),
                                     text(unit, unitEntity->attributeIndex(key::generalRuleCode))});
        }
        values.append(
            rowValues([&text, &row](int index) { return text(&row, index); }, *it, slotIndexes));
    }
    return std::make_shared<const LessonsSnapshot>(std::move(values));
}

std::shared_ptr<const LessonsSnapshot>
LessonsSnapshot::fromRows(const QList<platform::ManagedObject*>& rows)
{
    return std::make_shared<const LessonsSnapshot>(valuesOf(rows));
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
