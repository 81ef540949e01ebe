#include "model/OrthovaModel.h"

namespace model
{

namespace key
{
QString word(int slot)
{
    return QStringLiteral("word%1").arg(slot);
}
QString bit(int slot)
{
    return QStringLiteral("bit%1").arg(slot);
}
} // namespace key

namespace
{

using platform::AttributeDescription;
using platform::AttributeType;
using platform::EntityDescription;
using platform::RelationshipDescription;

QList<AttributeDescription> strings(const QStringList& names)
{
    QList<AttributeDescription> list;
    for (const QString& n : names)
        list.append({n, AttributeType::String});
    return list;
}

platform::ObjectModelPtr build()
{
    QStringList rowAttributes;
    for (int slot = 1; slot <= kWordSlots; ++slot)
        rowAttributes << key::word(slot) << key::bit(slot);

    QList<EntityDescription> entities;
    entities.append(EntityDescription(entity::Levels, strings({key::levelNumber}),
                                      {{key::units, entity::Unit, key::level, true, true}}));
    entities.append(EntityDescription(
        entity::Unit, strings({key::unitNumber, key::generalRule, key::generalRuleCode}),
        {{key::level, entity::Levels, key::units, false, false},
         {key::sections, entity::Sections, key::unit, true, true}}));
    entities.append(
        EntityDescription(entity::Sections, strings({key::sectionNumber, key::rule}),
                          {{key::unit, entity::Unit, key::sections, false, false},
                           {key::relatedWords, entity::RelatedWords, key::section, true, true}}));
    entities.append(
        EntityDescription(entity::RelatedWords, strings(rowAttributes),
                          {{key::section, entity::Sections, key::relatedWords, false, false}}));
    entities.append(
        EntityDescription(entity::Rule, strings({key::ruleCode, key::rule, key::reference}), {}));
    entities.append(EntityDescription(entity::WordPair,
                                      {{key::mSpell, AttributeType::String},
                                       {key::cSpell, AttributeType::String},
                                       {key::tStamp, AttributeType::Date}},
                                      {}));
    return std::make_shared<const platform::ObjectModel>(std::move(entities));
}

} // namespace

platform::ObjectModelPtr orthovaCoreData()
{
    // Immutable, so one shared copy serves every store of the process.
    static const platform::ObjectModelPtr model = build();
    return model;
}

} // namespace model
