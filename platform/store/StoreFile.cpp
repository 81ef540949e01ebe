#include "platform/store/StoreFile.h"

#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>


namespace platform {

namespace {

const QString kFormat = QStringLiteral("orthova-store");
const QString kVersion = QStringLiteral("1");

StoreError corrupt(const QString& path, const QString& why)
{
    return StoreError::make(
        StoreError::FileCorrupt,
        QObject::tr("The file “%1” couldn’t be opened because it isn’t in the correct format.")
                .arg(QFileInfo(path).fileName()) +
            QStringLiteral(" (") + why + u')',
        path);
}


} // namespace

std::optional<StoreContents> StoreFile::read(const QString& path, const ObjectModel& model,
                                             StoreError* error)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, StoreError::make(StoreError::FileUnreadable,
                                         QObject::tr("The file “%1” couldn’t be opened: %2")
                                             .arg(QFileInfo(path).fileName(), file.errorString()),
                                         path));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    QXmlStreamReader xml(bytes);
    StoreContents contents;
    // Targets are resolved to indices after every record is known.
    QHash<qint64, qsizetype> byNumber;
    QList<QList<QString>> pendingTargets;

    if (!xml.readNextStartElement() || xml.name() != u"store") {
        setError(error, corrupt(path, QStringLiteral("no store element")));
        return std::nullopt;
    }
    const auto rootAttrs = xml.attributes();
    if (rootAttrs.value(QLatin1StringView("format")) != kFormat || rootAttrs.value(QLatin1StringView("version")) != kVersion) {
        setError(error, corrupt(path, QStringLiteral("unknown format")));
        return std::nullopt;
    }
    contents.uuid = rootAttrs.value(QLatin1StringView("uuid")).toString();
    bool ok = false;
    contents.nextNumber = rootAttrs.value(QLatin1StringView("next")).toLongLong(&ok);
    if (contents.uuid.isEmpty() || !ok || contents.nextNumber < 1) {
        setError(error, corrupt(path, QStringLiteral("bad store header")));
        return std::nullopt;
    }

    while (xml.readNextStartElement()) {
        if (xml.name() != u"o") {
            setError(error, corrupt(path, QStringLiteral("unexpected element")));
            return std::nullopt;
        }
        const auto attrs = xml.attributes();
        StoreRecord record;
        record.entity = model.entity(attrs.value(QLatin1StringView("e")).toString());
        record.number = attrs.value(QLatin1StringView("id")).toLongLong(&ok);
        if (!record.entity || !ok || record.number < 1 || record.number >= contents.nextNumber ||
            byNumber.contains(record.number)) {
            setError(error, corrupt(path, QStringLiteral("bad object at line %1")
                                              .arg(xml.lineNumber())));
            return std::nullopt;
        }
        const EntityDescription& entity = *record.entity;
        record.values.resize(entity.attributes().size());
        record.toOne.resize(entity.relationships().size());
        QList<QString> targets(entity.relationships().size());
        while (xml.readNextStartElement()) {
            const QString name = xml.attributes().value(QLatin1StringView("n")).toString();
            if (xml.name() == u"a") {
                const int index = entity.attributeIndex(name);
                if (index < 0) {
                    setError(error, corrupt(path, QStringLiteral("unknown attribute ") + name));
                    return std::nullopt;
                }
                const QString text = xml.readElementText();
                if (entity.attributes()[index].type == AttributeType::Date) {
                    const qint64 ms = text.toLongLong(&ok);
                    if (!ok) {
                        setError(error, corrupt(path, QStringLiteral("bad date")));
                        return std::nullopt;
                    }
                    record.values[index] = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
                } else {
                    record.values[index] = text;
                }
            } else if (xml.name() == u"r") {
                const int index = entity.relationshipIndex(name);
                if (index < 0 || entity.relationships()[index].toMany) {
                    setError(error, corrupt(path, QStringLiteral("unknown relationship ") + name));
                    return std::nullopt;
                }
                targets[index] = xml.readElementText();
            } else {
                setError(error, corrupt(path, QStringLiteral("unexpected element")));
                return std::nullopt;
            }
        }
        byNumber.insert(record.number, contents.records.size());
        contents.records.append(std::move(record));
        pendingTargets.append(std::move(targets));
    }
    if (xml.hasError()) {
        setError(error, corrupt(path, xml.errorString()));
        return std::nullopt;
    }

    for (qsizetype i = 0; i < contents.records.size(); ++i) {
        StoreRecord& record = contents.records[i];
        const auto& rels = record.entity->relationships();
        for (int r = 0; r < rels.size(); ++r) {
            if (pendingTargets[i][r].isEmpty())
                continue;
            const qint64 target = pendingTargets[i][r].toLongLong(&ok);
            const auto it = byNumber.constFind(target);
            if (!ok || it == byNumber.cend() ||
                contents.records[*it].entity->name() != rels[r].destination) {
                setError(error, corrupt(path, QStringLiteral("dangling relationship")));
                return std::nullopt;
            }
            record.toOne[r] = target;
        }
    }
    return contents;
}

bool StoreFile::write(const QString& path, const StoreContents& contents, StoreError* error)
{
    QByteArray bytes;
    bytes.reserve(64 + contents.records.size() * 96);
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(false);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("store"));
    xml.writeAttribute(QStringLiteral("format"), kFormat);
    xml.writeAttribute(QStringLiteral("version"), kVersion);
    xml.writeAttribute(QStringLiteral("uuid"), contents.uuid);
    xml.writeAttribute(QStringLiteral("next"), QString::number(contents.nextNumber));
    for (const StoreRecord& record : contents.records) {
        xml.writeCharacters(QStringLiteral("\n"));
        xml.writeStartElement(QStringLiteral("o"));
        xml.writeAttribute(QStringLiteral("e"), record.entity->name());
        xml.writeAttribute(QStringLiteral("id"), QString::number(record.number));
        const auto& attrs = record.entity->attributes();
        for (int a = 0; a < attrs.size(); ++a) {
            const QVariant& v = record.values[a];
            if (!v.isValid())
                continue;
            xml.writeStartElement(QStringLiteral("a"));
            xml.writeAttribute(QStringLiteral("n"), attrs[a].name);
            if (attrs[a].type == AttributeType::Date)
                xml.writeCharacters(QString::number(v.toDateTime().toMSecsSinceEpoch()));
            else
                xml.writeCharacters(v.toString());
            xml.writeEndElement();
        }
        const auto& rels = record.entity->relationships();
        for (int r = 0; r < rels.size(); ++r) {
            if (rels[r].toMany || record.toOne[r] == 0)
                continue;
            xml.writeStartElement(QStringLiteral("r"));
            xml.writeAttribute(QStringLiteral("n"), rels[r].name);
            xml.writeCharacters(QString::number(record.toOne[r]));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeCharacters(QStringLiteral("\n"));
    xml.writeEndElement();
    xml.writeEndDocument();

    QString why;
    if (!writeFileAtomically(path, bytes, &why)) {
        setError(error, StoreError::make(StoreError::WriteFailed,
                                         QObject::tr("The file “%1” couldn’t be saved: %2")
                                             .arg(QFileInfo(path).fileName(), why),
                                         path));
        return false;
    }
    return true;
}


} // namespace platform
