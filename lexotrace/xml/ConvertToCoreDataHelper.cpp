#include "lexotrace/xml/ConvertToCoreDataHelper.h"

#include "lexotrace/xml/XmlFileText.h"
#include "model/NumberText.h"
#include "model/OrthovaModel.h"
#include "platform/xml/LenientXmlDocument.h"

#include <QFile>

#include <algorithm>

Q_LOGGING_CATEGORY(lcLessonsXml, "lexotrace.xml.lessons")

namespace lexotrace
{

namespace key = model::key;
using platform::ManagedObject;
using platform::XmlNode;

namespace
{

const QString kNull = QStringLiteral("(null)");

QVariant valueOf(const XmlNode& node)
{
    return node.isNull() ? QVariant() : QVariant(node.stringValue());
}

// The text of an element's first node, in markup form; absent when there is none.
QVariant markupOfFirstNode(const XmlNode& element)
{
    const XmlNode first = element.firstChild();
    return first.isNull() ? QVariant() : QVariant(first.markupValue());
}

QString orNull(const ManagedObject* object, const QString& k, const char* logName, bool* absent)
{
    *absent = !object->hasValue(k);
    if (*absent) {
        qCWarning(lcLessonsXml).noquote()
            << QStringLiteral("Unresolved error for CoreData-to-XML translator at '%1'")
                   .arg(QLatin1String(logName));
        return kNull;
    }
    return object->string(k);
}

} // namespace

ConvertToCoreDataHelper::ConvertToCoreDataHelper(platform::AlertPresenter& alerts)
    : m_alerts(alerts)
{
}

QList<platform::SortDescriptor> ConvertToCoreDataHelper::levelsSortDescriptor()
{
    return {{key::levelNumber, true, platform::Comparison::Numeric}};
}

QList<platform::SortDescriptor> ConvertToCoreDataHelper::unitsSortDescriptor()
{
    return {{key::unitNumber, true, platform::Comparison::Numeric}};
}

bool ConvertToCoreDataHelper::createLessonCoreDataFromXMLfile(const QString& path)
{
    platform::ObjectContext* context = m_context ? m_context() : nullptr;
    if (!context)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcLessonsXml).noquote()
            << QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QString parseError;
    const auto document = platform::LenientXmlDocument::parse(file.readAll(), &parseError);
    if (!document) {
        qCWarning(lcLessonsXml).noquote()
            << QStringLiteral("cannot parse %1: %2").arg(path, parseError);
        return false;
    }
    const std::vector<XmlNode> levels = document->select(QStringLiteral("/lessonsData/level"));
    if (levels.empty())
        return false;

    for (const XmlNode& levelElement : levels) {
        ManagedObject* level = context->insertNewObject(model::entity::Levels);
        for (const XmlNode& child : levelElement.children()) {
            if (child.markup().startsWith(QLatin1String("<levelNumber>"))) {
                const QVariant number = valueOf(levelElement.firstChildElement(key::levelNumber));
                level->setValue(key::levelNumber, number);
                m_levelString = number.toString();
                qCDebug(lcLessonsXml).noquote()
                    << QStringLiteral("_levelString: %1").arg(m_levelString);
                if (!number.isValid())
                    qCWarning(lcLessonsXml) << "Unresolved error for XML-to-CoreData translator "
                                               "at '_levelString'";
                continue;
            }
            // Every other child of a level is a unit, whatever its name.
            ManagedObject* unit = context->insertNewObject(model::entity::Unit);
            int sectionCounter = 0;
            for (const XmlNode& unitChild : child.children()) {
                const QString markup = unitChild.markup();
                if (markup.startsWith(QLatin1String("<unitNumber>"))) {
                    const QVariant number = valueOf(child.firstChildElement(key::unitNumber));
                    if (number.isValid()) {
                        unit->setValue(key::unitNumber, number);
                        m_unitString = number.toString();
                    } else {
                        qCWarning(lcLessonsXml) << "Unresolved error for XML-to-CoreData "
                                                   "translator at '_unitString'";
                        m_alerts.beep();
                    }
                } else if (markup.startsWith(QLatin1String("<generalRule>"))) {
                    const QVariant code = markupOfFirstNode(unitChild.child(0));
                    const QVariant rule = markupOfFirstNode(unitChild.child(1));
                    if (code.isValid()) {
                        unit->setValue(key::generalRuleCode, code);
                    } else {
                        qCWarning(lcLessonsXml) << "Unresolved error for XML-to-CoreData "
                                                   "translator at '_codeString'";
                        m_alerts.beep();
                    }
                    if (rule.isValid()) {
                        unit->setValue(key::generalRule, rule);
                    } else {
                        qCWarning(lcLessonsXml) << "Unresolved error for XML-to-CoreData "
                                                   "translator at '_ruleString'";
                        m_alerts.beep();
                    }
                } else if (markup.startsWith(QLatin1String("<section>"))) {
                    ManagedObject* section = context->insertNewObject(model::entity::Sections);
                    // Sections are numbered by their place in the file; its numbers are ignored.
                    section->setValue(key::sectionNumber, QString::number(sectionCounter++));
                    int rowPosition = 3; // rows follow the number and the rule
                    for (const XmlNode& sectionChild : unitChild.children()) {
                        const QString m = sectionChild.markup();
                        if (m.startsWith(QLatin1String("<rule>"))) {
                            const QVariant rule = valueOf(unitChild.firstChildElement(key::rule));
                            section->setValue(key::rule, rule);
                            if (!rule.isValid()) {
                                qCWarning(lcLessonsXml)
                                    << "Unresolved error for XML-to-CoreData translator at "
                                       "'rule (generalRule)'";
                                m_alerts.beep();
                            }
                        } else if (m.startsWith(QLatin1String("<relatedWords>"))) {
                            const XmlNode rowElement = unitChild.child(rowPosition - 1);
                            ++rowPosition;
                            if (rowElement.childCount() == 0) {
                                qCWarning(lcLessonsXml) << "Unresolved error for XML-to-CoreData "
                                                           "translator at 'relatedWords'";
                                m_alerts.beep();
                            }
                            ManagedObject* row =
                                context->insertNewObject(model::entity::RelatedWords);
                            const int pairs = (rowElement.childCount() + 1) / 2;
                            for (int p = 1; p <= std::min(pairs, model::kWordSlots); ++p) {
                                const QVariant word =
                                    markupOfFirstNode(rowElement.child(2 * p - 2));
                                const QVariant bit = markupOfFirstNode(rowElement.child(2 * p - 1));
                                if (!word.isValid() || word.toString() == kNull)
                                    continue;
                                row->setValue(key::word(p), word);
                                row->setValue(key::bit(p), bit);
                            }
                            row->setToOne(key::section, section);
                        }
                    }
                    section->setToOne(key::unit, unit);
                }
            }
            unit->setToOne(key::level, level);
        }
    }
    return true;
}

bool ConvertToCoreDataHelper::parseLessonsCoreDataToReadableXMLFilePath(const QString& path)
{
    platform::ObjectContext* context = m_context ? m_context() : nullptr;
    QList<ManagedObject*> levels;
    if (context) {
        platform::StoreError error;
        auto fetched = context->fetch(
            platform::FetchRequest{model::entity::Levels, {}, levelsSortDescriptor(), 0}, &error);
        if (fetched)
            levels = *fetched;
        else
            qCWarning(lcLessonsXml).noquote()
                << QStringLiteral("Unresolved error for rulesMOC fetch: %1, %2, %3")
                       .arg(error.message, error.userInfo.value("NSFilePath").toString(),
                            error.description());
    }

    QString x;
    x.reserve(10);
    x += QLatin1String("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<lessonsData>\n");
    bool absent = false;
    for (ManagedObject* level : levels) {
        x += QLatin1String("<level>\n<levelNumber>");
        x += orNull(level, key::levelNumber, "levelNumber", &absent);
        x += QLatin1String("</levelNumber>\n");
        QList<ManagedObject*> units = level->toMany(key::units);
        platform::sortObjects(units, unitsSortDescriptor());
        for (ManagedObject* unit : units) {
            x += QLatin1String("<unit>\n<unitNumber>");
            x += orNull(unit, key::unitNumber, "unitNumber", &absent);
            if (absent)
                m_alerts.beep();
            x += QLatin1String("</unitNumber>\n<generalRule>\n<code>");
            x += orNull(unit, key::generalRuleCode, "generalRuleCode", &absent);
            if (absent)
                m_alerts.beep();
            x += QLatin1String("</code>\n<rule>");
            x += orNull(unit, key::generalRule, "generalRule", &absent);
            if (absent)
                m_alerts.beep();
            x += QLatin1String("</rule>\n</generalRule>\n");
            // Sections in the order of their numbers, so that reading the file back (which
            // numbers them by position) keeps their numbering.
            QList<ManagedObject*> sections = unit->toMany(key::sections);
            std::stable_sort(sections.begin(), sections.end(),
                             [](ManagedObject* a, ManagedObject* b) {
                                 return model::integerValue(a->string(key::sectionNumber)) <
                                        model::integerValue(b->string(key::sectionNumber));
                             });
            for (ManagedObject* section : sections) {
                x += QLatin1String("<section>\n<sectionNumber>");
                if (section->hasValue(key::sectionNumber)) {
                    x += QString::number(model::integerValue(section->string(key::sectionNumber)));
                } else {
                    qCWarning(lcLessonsXml) << "Unresolved error for CoreData-to-XML translator "
                                               "at 'sectionNumber'";
                    m_alerts.beep();
                    x += kNull;
                }
                x += QLatin1String("</sectionNumber>\n<rule>");
                x += section->hasValue(key::rule) ? section->string(key::rule) : kNull;
                x += QLatin1String("</rule>\n");
                const QList<ManagedObject*> rows = section->toMany(key::relatedWords);
                qCDebug(lcLessonsXml).noquote()
                    << QStringLiteral("arrayOfRelatedWords: %1 rows").arg(rows.size());
                for (ManagedObject* row : rows) {
                    x += QLatin1String("<relatedWords>\n");
                    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
                        if (!row->hasValue(key::word(slot)))
                            continue;
                        x += QLatin1String("<word>") + row->string(key::word(slot)) +
                             QLatin1String("</word>\n<bit>");
                        x += row->hasValue(key::bit(slot)) ? row->string(key::bit(slot)) : kNull;
                        x += QLatin1String("</bit>\n");
                    }
                    x += QLatin1String("</relatedWords>\n");
                }
                x += QLatin1String("</section>\n");
            }
            x += QLatin1String("</unit>\n");
        }
        x += QLatin1String("</level>\n");
    }
    x += QLatin1String("</lessonsData>");
    m_xmlString = x;

    QString error;
    if (!writeXmlFileText(path, m_xmlString, &error)) {
        qCWarning(lcLessonsXml).noquote() << QStringLiteral("error: %1").arg(error);
        return false;
    }
    return true;
}

} // namespace lexotrace
