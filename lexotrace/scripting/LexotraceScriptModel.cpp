#include "lexotrace/scripting/LexotraceScriptModel.h"

#include "model/NumberText.h"
#include "model/OrthovaModel.h"
#include "model/WordPairScripting.h"
#include "platform/scripting/ScriptEngine.h"
#include "platform/store/FetchRequest.h"
#include "platform/store/ManagedObject.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/ObjectID.h"
#include "platform/store/SortDescriptor.h"
#include "platform/ui/Alerts.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cmath>

namespace lexotrace
{

namespace
{

Q_LOGGING_CATEGORY(lcScripting, "lexotrace.scripting")

namespace key = model::key;
namespace entity = model::entity;
namespace pairs = model::wordPairScripting;
using platform::ManagedObject;
using platform::scripting::ScriptValue;

QString tr(const char* text)
{
    return QCoreApplication::translate("LexotraceScriptModel", text);
}

// The language's own error numbers.
constexpr int kCantGet = platform::scripting::ScriptEngine::CantGet;
constexpr int kNotAllowed = platform::scripting::ScriptEngine::AccessNotAllowed;
constexpr int kWrongKind = platform::scripting::ScriptEngine::CantMakeType;
constexpr int kNotUnderstood = platform::scripting::ScriptEngine::NotUnderstood;

const QString kLevels = QStringLiteral("levelsArray");
const QString kUnits = QStringLiteral("unitsArray");
const QString kSections = QStringLiteral("sectionsArray");
const QString kRows = QStringLiteral("relatedWordsArray");
const QString kRules = QStringLiteral("rulesArray");
const QString kWordPairs = QStringLiteral("wordPairArray");

// Each list: the entity of its objects, the entity and relationship that own it (none: the
// application), and its order.
struct ListKind {
    QString key, entity, owner, relationship;
    QList<platform::SortDescriptor> order;
};

const QList<ListKind>& lists()
{
    using platform::Comparison;
    static const QList<ListKind> all{
        {kLevels, entity::Levels, {}, {}, {{key::levelNumber, true, Comparison::Numeric}}},
        {kUnits,
         entity::Unit,
         entity::Levels,
         key::units,
         {{key::unitNumber, true, Comparison::Numeric}}},
        {kSections,
         entity::Sections,
         entity::Unit,
         key::sections,
         {{key::sectionNumber, true, Comparison::Numeric}}},
        {kRows,
         entity::RelatedWords,
         entity::Sections,
         key::relatedWords,
         {{key::word(1), true, Comparison::Plain}}},
        {kRules, entity::Rule, {}, {}, {{key::ruleCode, true, Comparison::Numeric}}},
        {kWordPairs, entity::WordPair, {}, {}, {{key::tStamp, true, Comparison::Plain}}},
    };
    return all;
}

const ListKind* listWithKey(const QString& elementKey)
{
    for (const ListKind& list : lists())
        if (list.key == elementKey)
            return &list;
    return nullptr;
}

const ListKind* listOfEntity(const QString& entityName)
{
    for (const ListKind& list : lists())
        if (list.entity == entityName)
            return &list;
    return nullptr;
}

platform::scripting::ObjectRef refOf(const ManagedObject& object)
{
    const ListKind* list = listOfEntity(object.entityName());
    return {list ? list->key : object.entityName(), object.objectID().uriString()};
}

// A number's or a text's string form ("3" for 3), as numbers of the curriculum are stored.
std::optional<QString> numberText(const ScriptValue& value)
{
    if (const QString* text = value.as<QString>())
        return *text;
    if (const double* n = value.as<double>())
        return std::floor(*n) == *n ? QString::number(qint64(*n)) : QString::number(*n);
    return std::nullopt;
}

ScriptValue textValue(const ManagedObject& object, const QString& k)
{
    return object.hasValue(k) ? ScriptValue(object.string(k)) : ScriptValue();
}

// The record's value under the key, as a number of the curriculum when it is one and not 0.
std::optional<QString> givenNumber(const ScriptValue& record, const QString& k)
{
    const ScriptValue* given = record.field(k);
    const auto text = given ? numberText(*given) : std::nullopt;
    if (!text || model::intValue(*text) == 0)
        return std::nullopt;
    return text;
}

ScriptValue oneOrList(ScriptValue::List refs)
{
    if (refs.size() == 1)
        return refs.front();
    return ScriptValue(std::move(refs));
}

} // namespace

LexotraceScriptModel::LexotraceScriptModel(ScriptPeers peers, platform::AlertPresenter& alerts)
    : m_peers(std::move(peers)), m_alerts(alerts)
{
}

platform::scripting::ScriptTerminology LexotraceScriptModel::terminology()
{
    platform::scripting::ScriptTerminology terms;
    terms.classes = {{"level", "levels", kLevels, entity::Levels},
                     {"unit", "units", kUnits, entity::Unit},
                     {"section", "sections", kSections, entity::Sections},
                     {"row", "rows", kRows, entity::RelatedWords},
                     {"rule", "rules", kRules, entity::Rule},
                     {"word pair", "word pairs", kWordPairs, entity::WordPair}};
    terms.properties = {{"level number", "aSLevelNumber"},
                        {"unit number", "aSUnitNumber"},
                        {"general rule", "aSGeneralRule"},
                        {"general rule code", "aSGeneralRuleCode"},
                        {"section number", "aSSectionNumber"},
                        {"section rule", "aSSectionRule"},
                        {"word bit sets", "aSWordBitSetsObject"},
                        {"rule reference", "aSGeneralRuleReference"},
                        {"correct spelling", pairs::kCSpell},
                        {"misspelling", pairs::kMSpell},
                        {"time stamp", pairs::kTStamp},
                        {"spelling set", pairs::kSpellSet},
                        {"terminology version", "terminologyVersion"},
                        {"current unit", "aCurrentUnit"},
                        {"show last opened lesson", "aSShowLastOpenedLesson"},
                        {"open rules window", "aSOpenGeneralRulesWindow"},
                        {"open analysis window", "aSOpenAnalysisWindow"},
                        {"open lessons window", "aSOpenLessonsWindow"},
                        {"open word bits window", "aSOpenWordbitDictionaryWindow"},
                        {"id", "uniqueID"}};
    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
        terms.properties.append({key::word(slot), QStringLiteral("aSWord%1Object").arg(slot)});
        terms.properties.append({key::bit(slot), QStringLiteral("aSBit%1Object").arg(slot)});
    }
    terms.commands = {{"evaluate id", "evaluateID"}};
    return terms;
}

platform::ObjectContext* LexotraceScriptModel::contextFor(const QString& entityName) const
{
    if (entityName == entity::Rule)
        return m_peers.rules ? m_peers.rules() : nullptr;
    if (entityName == entity::WordPair)
        return m_peers.wordPairs ? m_peers.wordPairs() : nullptr;
    return m_peers.lessons ? m_peers.lessons() : nullptr;
}

ManagedObject* LexotraceScriptModel::object(const QString& id, ScriptError& error) const
{
    const auto objectID = platform::ObjectID::fromUriString(id);
    platform::ObjectContext* context = objectID ? contextFor(objectID->entityName()) : nullptr;
    ManagedObject* found = context ? context->objectWithID(*objectID) : nullptr;
    if (!found || found->isDeleted()) {
        error = {kCantGet, tr("Can't get the object with id \"%1\".").arg(id)};
        return nullptr;
    }
    return found;
}

std::optional<QList<platform::scripting::ObjectRef>>
LexotraceScriptModel::elements(const std::optional<ObjectRef>& container, const QString& elementKey,
                               ScriptError& error)
{
    const ListKind* list = listWithKey(elementKey);
    ManagedObject* owner = container ? object(container->uniqueID, error) : nullptr;
    if (container && !owner)
        return std::nullopt;
    if (!list || (owner ? owner->entityName() : QString()) != list->owner) {
        error = {kCantGet, tr("There is no such list there.")};
        return std::nullopt;
    }
    QList<ManagedObject*> objects;
    if (owner) {
        objects = owner->toMany(list->relationship);
    } else {
        platform::ObjectContext* context = contextFor(list->entity);
        platform::StoreError fetchError;
        const auto fetched =
            context ? context->fetch(platform::FetchRequest::all(list->entity), &fetchError)
                    : std::nullopt;
        if (!fetched) {
            // Told on screen as well: the store could not be read.
            if (context)
                m_alerts.beginSheet(platform::AlertPresenter::alertWithError(fetchError), nullptr,
                                    {});
            error = {kCantGet, context ? fetchError.message : tr("The store is not open.")};
            return std::nullopt;
        }
        objects = *fetched;
    }
    platform::sortObjects(objects, list->order);
    QList<ObjectRef> refs;
    for (const ManagedObject* o : objects)
        refs.append(refOf(*o));
    return refs;
}

std::optional<platform::scripting::ObjectRef>
LexotraceScriptModel::objectWithID(const QString& elementKey, const QString& id, ScriptError& error)
{
    ManagedObject* found = object(id, error);
    if (!found)
        return std::nullopt;
    const ListKind* list = listWithKey(elementKey);
    if (!list || list->entity != found->entityName()) {
        error = {kCantGet, tr("Can't get that object: it is not of that kind.")};
        return std::nullopt;
    }
    return refOf(*found);
}

std::optional<ScriptValue> LexotraceScriptModel::property(const std::optional<ObjectRef>& ref,
                                                          const QString& k, ScriptError& error)
{
    if (!ref) {
        if (k == QStringLiteral("terminologyVersion")) {
            qCInfo(lcScripting) << "terminologyVersion";
            return ScriptValue(1);
        }
        if (k == QStringLiteral("aCurrentUnit")) {
            ManagedObject* unit = m_peers.currentUnit ? m_peers.currentUnit() : nullptr;
            return unit ? ScriptValue(refOf(*unit)) : ScriptValue();
        }
        if (const auto action = m_peers.actions.find(k); action != m_peers.actions.end()) {
            (*action)();
            return ScriptValue();
        }
        error = {kCantGet, tr("Lexotrace has no such property.")};
        return std::nullopt;
    }
    ManagedObject* o = object(ref->uniqueID, error);
    if (!o)
        return std::nullopt;
    const QString& kind = o->entityName();
    if (k == QStringLiteral("uniqueID"))
        return ScriptValue(ref->uniqueID);
    if (kind == entity::Levels && k == QStringLiteral("aSLevelNumber"))
        return ScriptValue(model::intValue(o->string(key::levelNumber)));
    if (kind == entity::Unit) {
        if (k == QStringLiteral("aSUnitNumber"))
            return ScriptValue(model::intValue(o->string(key::unitNumber)));
        if (k == QStringLiteral("aSGeneralRule"))
            return textValue(*o, key::generalRule);
        if (k == QStringLiteral("aSGeneralRuleCode"))
            return textValue(*o, key::generalRuleCode);
    }
    if (kind == entity::Sections) {
        // Sections count from 0 in the store and from 1 in scripts.
        if (k == QStringLiteral("aSSectionNumber")) {
            const qint64 number = qint64(model::intValue(o->string(key::sectionNumber))) + 1;
            qCDebug(lcScripting) << "sectionNumberInt:" << number;
            return ScriptValue(number);
        }
        if (k == QStringLiteral("aSSectionRule"))
            return textValue(*o, key::rule);
    }
    if (kind == entity::RelatedWords) {
        for (int slot = 1; slot <= model::kWordSlots; ++slot) {
            if (k == QStringLiteral("aSWord%1Object").arg(slot))
                return textValue(*o, key::word(slot));
            if (k == QStringLiteral("aSBit%1Object").arg(slot))
                return textValue(*o, key::bit(slot));
        }
        if (k == QStringLiteral("aSWordBitSetsObject")) {
            // word1, bit1, word2, ... up to the first absent value.
            ScriptValue::List sets;
            for (int slot = 1; slot <= model::kWordSlots; ++slot) {
                for (const QString& stored : {key::word(slot), key::bit(slot)}) {
                    if (!o->hasValue(stored))
                        return ScriptValue(sets);
                    sets.push_back(ScriptValue(o->string(stored)));
                }
            }
            return ScriptValue(sets);
        }
    }
    if (kind == entity::Rule) {
        if (k == QStringLiteral("aSGeneralRule"))
            return textValue(*o, key::rule);
        if (k == QStringLiteral("aSGeneralRuleCode"))
            return textValue(*o, key::ruleCode);
        if (k == QStringLiteral("aSGeneralRuleReference"))
            return textValue(*o, key::reference);
    }
    if (kind == entity::WordPair)
        if (auto value = pairs::property(*o, k))
            return value;
    error = {kCantGet, tr("Can't get that property of this object.")};
    return std::nullopt;
}

bool LexotraceScriptModel::setProperty(const ObjectRef& ref, const QString& k,
                                       const ScriptValue& value, ScriptError& error)
{
    ManagedObject* o = object(ref.uniqueID, error);
    if (!o)
        return false;
    const QString& kind = o->entityName();
    if (kind == entity::WordPair)
        return pairs::setProperty(*o, k, value, error);
    // Which stored key the property writes, and whether it takes a number.
    QString stored;
    bool number = false;
    if (kind == entity::Levels && k == QStringLiteral("aSLevelNumber"))
        stored = key::levelNumber, number = true;
    else if (kind == entity::Unit && k == QStringLiteral("aSUnitNumber"))
        stored = key::unitNumber, number = true;
    else if (kind == entity::Unit && k == QStringLiteral("aSGeneralRule"))
        stored = key::generalRule;
    else if (kind == entity::Unit && k == QStringLiteral("aSGeneralRuleCode"))
        stored = key::generalRuleCode, number = true;
    else if (kind == entity::Sections && k == QStringLiteral("aSSectionNumber"))
        stored = key::sectionNumber, number = true; // written as given, without taking 1 off
    else if (kind == entity::Sections && k == QStringLiteral("aSSectionRule"))
        stored = key::rule;
    else if (kind == entity::Rule && k == QStringLiteral("aSGeneralRule"))
        stored = key::rule;
    else if (kind == entity::Rule && k == QStringLiteral("aSGeneralRuleCode"))
        stored = key::ruleCode, number = true;
    for (int slot = 1; slot <= model::kWordSlots && kind == entity::RelatedWords; ++slot) {
        if (k == QStringLiteral("aSWord%1Object").arg(slot))
            stored = key::word(slot);
        if (k == QStringLiteral("aSBit%1Object").arg(slot))
            stored = key::bit(slot);
    }
    if (stored.isEmpty()) {
        error = {kNotAllowed, tr("Access not allowed.")};
        return false;
    }
    if (value.isMissing()) {
        o->setValue(stored, QVariant());
        return true;
    }
    const auto text =
        number ? numberText(value)
               : (value.as<QString>() ? std::optional(*value.as<QString>()) : std::nullopt);
    if (!text) {
        error = {kWrongKind, number ? tr("That is not a number.") : tr("That is not a text.")};
        return false;
    }
    o->setValue(stored, *text);
    return true;
}

bool LexotraceScriptModel::remove(const ObjectRef& ref, ScriptError& error)
{
    ManagedObject* o = object(ref.uniqueID, error);
    if (!o)
        return false;
    // Nothing is saved and no sibling renumbered.
    o->context()->deleteObject(o);
    return true;
}

std::optional<ScriptValue> LexotraceScriptModel::made(ManagedObject* o, ScriptError& error)
{
    if (!o) {
        error = {-10000, tr("The store is not open.")};
        return std::nullopt;
    }
    return ScriptValue(refOf(*o));
}

std::optional<ScriptValue> LexotraceScriptModel::make(const QString& classKey,
                                                      const std::optional<Location>& location,
                                                      const ScriptValue::Record& properties,
                                                      ScriptError& error)
{
    const ScriptValue given(properties);
    auto text = [&](const char* k) -> std::optional<QString> {
        const ScriptValue* v = given.field(QLatin1String(k));
        return v ? numberText(*v) : std::nullopt;
    };
    platform::ObjectContext* lessons = contextFor(entity::Levels);
    if (classKey == entity::Levels) {
        if (!location) {
            error = {6006, tr("Can't create this object without a destination (e.g. level 6.)")};
            return std::nullopt;
        }
        ManagedObject* level = lessons ? lessons->insertNewObject(entity::Levels) : nullptr;
        if (level)
            level->setValue(key::levelNumber, QString::number(location->index + 1));
        return made(level, error);
    }
    if (classKey == entity::Rule) {
        platform::ObjectContext* rules = contextFor(entity::Rule);
        ManagedObject* rule = rules ? rules->insertNewObject(entity::Rule) : nullptr;
        if (!rule)
            return made(nullptr, error);
        if (const auto r = text("aSGeneralRule"))
            rule->setValue(key::rule, *r);
        const auto code = text("aSGeneralRuleCode");
        rule->setValue(
            key::ruleCode,
            code ? *code
                 : QString::number(
                       rules->count(platform::FetchRequest::all(entity::Rule)).value_or(0)));
        return made(rule, error);
    }
    // Units, sections and rows go into the object the location names.
    const QString ownerEntity = classKey == entity::Unit       ? entity::Levels
                                : classKey == entity::Sections ? entity::Unit
                                                               : entity::Sections;
    ManagedObject* owner =
        location && location->container ? object(location->container->uniqueID, error) : nullptr;
    if (classKey != entity::Unit && classKey != entity::Sections &&
        classKey != entity::RelatedWords) {
        error = {kNotUnderstood, tr("Lexotrace can't make that.")};
        return std::nullopt;
    }
    if (!owner || owner->entityName() != ownerEntity) {
        error = {kCantGet, tr("Can't make this object there: give a place such as \"at end of %1 "
                              "of ...\".")
                               .arg(classKey == entity::Unit       ? QStringLiteral("units")
                                    : classKey == entity::Sections ? QStringLiteral("sections")
                                                                   : QStringLiteral("rows"))};
        return std::nullopt;
    }
    if (classKey == entity::Unit) {
        ManagedObject* unit = lessons->insertNewObject(entity::Unit);
        if (const auto r = text("aSGeneralRule"))
            unit->setValue(key::generalRule, *r);
        if (const auto c = text("aSGeneralRuleCode"))
            unit->setValue(key::generalRuleCode, *c);
        const auto number = givenNumber(given, QStringLiteral("aSUnitNumber"));
        unit->setValue(key::unitNumber,
                       number ? *number : QString::number(owner->toMany(key::units).size() + 1));
        unit->setToOne(key::level, owner);
        return made(unit, error);
    }
    if (classKey == entity::Sections) {
        ManagedObject* section = lessons->insertNewObject(entity::Sections);
        if (const auto r = text("aSSectionRule"))
            section->setValue(key::rule, *r);
        section->setToOne(key::unit, owner);
        const auto number = givenNumber(given, QStringLiteral("aSSectionNumber"));
        section->setValue(key::sectionNumber,
                          number ? *number : QString::number(owner->toMany(key::sections).size()));
        return made(section, error);
    }
    // Rows: one for each "word/bit/word/bit" text, or one from the word and bit properties.
    QList<QStringList> rows;
    if (const ScriptValue* sets = given.field(QStringLiteral("aSWordBitSetsObject"))) {
        const auto* list = sets->as<ScriptValue::List>();
        for (const ScriptValue& item : list ? *list : ScriptValue::List{}) {
            const QString* textItem = item.as<QString>();
            const QStringList parts = textItem ? textItem->split(u'/') : QStringList();
            if (!textItem || parts.size() % 2 != 0 || parts.size() > 2 * model::kWordSlots) {
                error = {kWrongKind, tr("Each word bit set is a text of up to five words, each "
                                        "followed by its bit: \"cat/a/hat/a\".")};
                return std::nullopt;
            }
            rows.append(parts);
        }
        if (rows.isEmpty()) {
            error = {kWrongKind, tr("The word bit sets are a list of texts.")};
            return std::nullopt;
        }
    }
    ManagedObject* last = nullptr;
    for (qsizetype r = 0; r < std::max<qsizetype>(rows.size(), 1); ++r) {
        ManagedObject* row = lessons->insertNewObject(entity::RelatedWords);
        for (int slot = 1; slot <= model::kWordSlots; ++slot) {
            if (!rows.isEmpty()) {
                const QStringList& parts = rows[r];
                if (2 * slot - 1 <= parts.size()) {
                    row->setValue(key::word(slot), parts[2 * slot - 2]);
                    row->setValue(key::bit(slot), parts[2 * slot - 1]);
                }
                continue;
            }
            if (const auto w = text(qPrintable(QStringLiteral("aSWord%1Object").arg(slot))))
                row->setValue(key::word(slot), *w);
            if (const auto b = text(qPrintable(QStringLiteral("aSBit%1Object").arg(slot))))
                row->setValue(key::bit(slot), *b);
        }
        row->setToOne(key::section, owner);
        last = row;
    }
    return made(last, error);
}

ManagedObject* LexotraceScriptModel::clone(const ManagedObject& original)
{
    platform::ObjectContext* context = original.context();
    const QString& kind = original.entityName();
    ManagedObject* copy = context->insertNewObject(kind);
    auto copyValues = [&](std::initializer_list<QString> keys) {
        for (const QString& k : keys)
            copy->setValue(k, original.value(k));
    };
    auto copyMembers = [&](const QString& relationship, const QString& inverse) {
        for (const ManagedObject* member : original.toMany(relationship))
            clone(*member)->setToOne(inverse, copy);
    };
    if (kind == entity::Levels) {
        copyValues({key::levelNumber});
        copyMembers(key::units, key::level);
    } else if (kind == entity::Unit) {
        copyValues({key::unitNumber, key::generalRuleCode, key::generalRule});
        copyMembers(key::sections, key::unit);
    } else if (kind == entity::Sections) {
        copyValues({key::rule});
        copyMembers(key::relatedWords, key::section);
    } else if (kind == entity::RelatedWords) {
        for (int slot = 1; slot <= model::kWordSlots; ++slot)
            copyValues({key::word(slot), key::bit(slot)});
    } else if (kind == entity::Rule) {
        copyValues({key::ruleCode, key::rule});
    }
    return copy;
}

std::optional<ScriptValue> LexotraceScriptModel::duplicate(const QList<ObjectRef>& refs,
                                                           const ScriptValue::Record& properties,
                                                           ScriptError& error)
{
    static const QStringList copyable{kLevels, kUnits, kSections, kRows, kRules};
    for (const ObjectRef& ref : refs)
        if (!copyable.contains(ref.elementKey)) {
            error = {6003, tr("Lexotrace can't duplicate that.")};
            return std::nullopt;
        }
    QList<ManagedObject*> originals;
    for (const ObjectRef& ref : refs)
        if (ManagedObject* o = object(ref.uniqueID, error))
            originals.append(o);
    if (originals.isEmpty() || originals.size() != refs.size()) {
        error = {6008, QStringLiteral("%1: %2").arg(
                           tr("Lexotrace got an error"),
                           tr("Can't move objects because some object doesn't exist."))};
        return std::nullopt;
    }
    const ScriptValue given(properties);
    ScriptValue::List copies;
    for (ManagedObject* original : originals) {
        ManagedObject* copy = clone(*original);
        const QString& kind = original->entityName();
        if (kind == entity::Levels) {
            if (const auto n = givenNumber(given, QStringLiteral("aSLevelNumber")))
                copy->setValue(key::levelNumber, *n);
        } else if (kind == entity::Unit) {
            copy->setToOne(key::level, original->toOne(key::level));
            if (const auto n = givenNumber(given, QStringLiteral("aSUnitNumber")))
                copy->setValue(key::unitNumber, *n);
        } else if (kind == entity::Sections) {
            copy->setToOne(key::unit, original->toOne(key::unit));
            const ScriptValue* n = given.field(QStringLiteral("aSSectionNumber"));
            if (const auto text = n ? numberText(*n) : std::nullopt)
                copy->setValue(key::sectionNumber, *text);
        } else if (kind == entity::RelatedWords) {
            copy->setToOne(key::section, original->toOne(key::section));
        }
        copies.push_back(refOf(*copy));
    }
    return oneOrList(std::move(copies));
}

std::optional<ScriptValue> LexotraceScriptModel::move(const QList<ObjectRef>& refs,
                                                      const ObjectRef& destination,
                                                      ScriptError& error)
{
    if (refs.isEmpty()) {
        error = {6008, QStringLiteral("%1: %2").arg(
                           tr("Lexotrace got an error"),
                           tr("Can't move objects because some object doesn't exist."))};
        return std::nullopt;
    }
    const QString& list = refs.first().elementKey;
    if (list == kLevels) {
        error = {6009,
                 tr("Moving level(s) is not allowed. Try duplicating level(s) using the level "
                    "number parameter.")};
        return std::nullopt;
    }
    ManagedObject* to = object(destination.uniqueID, error);
    const QString toKind = to ? to->entityName() : QString();
    struct Rule {
        QString list, destination, relationship, inverse, numberKey;
        int number;
        const char* text;
    };
    static const QList<Rule> rules{
        {kUnits, entity::Levels, key::units, key::level, key::unitNumber, 6010,
         "Can't move a unit to this location."},
        {kSections, entity::Unit, key::sections, key::unit, key::sectionNumber, 6011,
         "Can't move a section to this location."},
        {kRows,
         entity::Sections,
         key::relatedWords,
         key::section,
         {},
         6012,
         "Can't move related words to this location."},
    };
    const auto rule =
        std::find_if(rules.begin(), rules.end(), [&](const Rule& r) { return r.list == list; });
    if (rule == rules.end())
        return std::nullopt; // rules and word pairs stay where they are
    if (toKind != rule->destination) {
        error = {rule->number, tr(rule->text)};
        return std::nullopt;
    }
    ScriptValue::List moved;
    for (const ObjectRef& ref : refs) {
        ManagedObject* o = object(ref.uniqueID, error);
        if (!o) {
            error = {6008, QStringLiteral("%1: %2").arg(
                               tr("Lexotrace got an error"),
                               tr("Can't move objects because some object doesn't exist."))};
            return std::nullopt;
        }
        // Numbered after the destination's last, counted before it joins; the old container
        // keeps its numbers.
        if (!rule->numberKey.isEmpty())
            o->setValue(rule->numberKey,
                        QString::number(to->toMany(rule->relationship).size() + 1));
        o->setToOne(rule->inverse, to);
        moved.push_back(refOf(*o));
    }
    qCInfo(lcScripting) << "moved" << moved.size() << "objects";
    return oneOrList(std::move(moved));
}

bool LexotraceScriptModel::save(ScriptError& error)
{
    platform::ObjectContext* lessons = contextFor(entity::Levels);
    platform::StoreError storeError;
    if (lessons && lessons->save(&storeError))
        return true;
    m_alerts.beginSheet(platform::AlertPresenter::alertWithError(storeError), nullptr, {});
    error = {-10000, storeError.message.isEmpty() ? tr("The lessons could not be saved.")
                                                  : storeError.message};
    return false;
}

std::optional<ScriptValue> LexotraceScriptModel::perform(const QString& commandKey,
                                                         const ScriptValue& direct,
                                                         ScriptError& error)
{
    const QString* id = direct.as<QString>();
    if (commandKey != QStringLiteral("evaluateID") || !id) {
        error = {kNotUnderstood, tr("Lexotrace doesn't understand that command.")};
        return std::nullopt;
    }
    // IDs are looked up in the lessons store only.
    const auto objectID = platform::ObjectID::fromUriString(*id);
    platform::ObjectContext* lessons = contextFor(entity::Levels);
    ManagedObject* found = objectID && lessons ? lessons->objectWithID(*objectID) : nullptr;
    if (!found || found->isDeleted() || found->entityName() == entity::Rule ||
        found->entityName() == entity::WordPair) {
        error = {kCantGet, tr("Can't get the object with id \"%1\".").arg(*id)};
        return std::nullopt;
    }
    return ScriptValue(refOf(*found));
}

} // namespace lexotrace
