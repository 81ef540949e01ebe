#include "platform/store/StoreFile.h"

#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

#include <charconv>
#include <string>

namespace platform
{

namespace
{

const QString kFormat = QStringLiteral("orthova-store");
const QString kVersion = QStringLiteral("1");
// Marks an attribute whose value is the base64 of its UTF-16 text.
constexpr const char* kBase64Suffix = ".b64";

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

namespace
{

// Characters XML 1.0 cannot carry, not even as references; such values are written in base64.
bool isXmlSafe(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

void appendEscaped(std::string& out, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
}

// ` name="value"`, or ` name.b64="…"` for a value XML cannot carry. `name` has its leading space.
void appendValue(std::string& out, const QByteArray& name, const QString& value)
{
    // Most values are plain ASCII with nothing to escape: copied as they are.
    const qsizetype n = value.size();
    const char16_t* chars = reinterpret_cast<const char16_t*>(value.utf16());
    bool plain = true;
    for (qsizetype i = 0; i < n && plain; ++i) {
        const char16_t c = chars[i];
        plain = c >= 0x20 && c < 0x7f && c != u'&' && c != u'<' && c != u'>' && c != u'"';
    }
    out.append(name.constData(), size_t(name.size()));
    if (plain) {
        out += "=\"";
        for (qsizetype i = 0; i < n; ++i)
            out += char(chars[i]);
    } else if (isXmlSafe(value)) {
        out += "=\"";
        appendEscaped(out, value);
    } else {
        out += kBase64Suffix;
        out += "=\"";
        const QByteArray base64 =
            QByteArray(reinterpret_cast<const char*>(value.utf16()), value.size() * 2).toBase64();
        out.append(base64.constData(), size_t(base64.size()));
    }
    out += '"';
}

QString fromBase64Utf16(QStringView base64)
{
    const QByteArray raw = QByteArray::fromBase64(base64.toLatin1());
    return QString(reinterpret_cast<const QChar*>(raw.constData()), raw.size() / 2);
}

void appendAttribute(std::string& out, const QString& name, const QString& value)
{
    appendValue(out, ' ' + name.toUtf8(), value);
}

void appendNumber(std::string& out, qint64 number)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, size_t(end - digits));
}

void append(std::string& out, const QByteArray& bytes)
{
    out.append(bytes.constData(), size_t(bytes.size()));
}

int indexOf(const QList<AttributeDescription>& list, QStringView name)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return i;
    return -1;
}

int indexOf(const QList<RelationshipDescription>& list, QStringView name)
{
    for (int i = 0; i < list.size(); ++i)
        if (!list[i].toMany && list[i].name == name)
            return i;
    return -1;
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
    auto fail = [&](const QString& why) {
        setError(error, corrupt(path, why));
        return std::nullopt;
    };

    if (!xml.readNextStartElement() || xml.name() != u"store")
        return fail(QStringLiteral("no store element"));
    const auto rootAttrs = xml.attributes();
    if (rootAttrs.value(QLatin1StringView("format")) != kFormat ||
        rootAttrs.value(QLatin1StringView("version")) != kVersion)
        return fail(QStringLiteral("unknown format"));
    // An identity XML cannot carry is written in base 64, as any value is.
    const QString base64Uuid = QStringLiteral("uuid") + QLatin1StringView(kBase64Suffix);
    contents.uuid = rootAttrs.hasAttribute(base64Uuid)
                        ? fromBase64Utf16(rootAttrs.value(base64Uuid))
                        : rootAttrs.value(QLatin1StringView("uuid")).toString();
    bool ok = false;
    contents.nextNumber = rootAttrs.value(QLatin1StringView("next")).toLongLong(&ok);
    if (contents.uuid.isEmpty() || !ok || contents.nextNumber < 1)
        return fail(QStringLiteral("bad store header"));

    // Object numbers run below `next`, densely in practice: a vector maps them to records for the
    // relationship check, with a hash for numbers too large to index.
    constexpr qint64 kDenseLimit = 1 << 23;
    std::vector<qsizetype> byNumber;
    QHash<qint64, qsizetype> bySparseNumber;
    auto recordAt = [&](qint64 number) -> qsizetype {
        if (number < qint64(byNumber.size()))
            return byNumber[number];
        return number < kDenseLimit ? -1 : bySparseNumber.value(number, -1);
    };
    const EntityDescription* lastEntity = nullptr;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"o")
            return fail(QStringLiteral("unexpected element at line %1").arg(xml.lineNumber()));
        const QXmlStreamAttributes attrs = xml.attributes();
        StoreRecord record;
        for (const QXmlStreamAttribute& a : attrs) {
            if (a.name() == u"e") {
                if (!lastEntity || lastEntity->name() != a.value())
                    lastEntity = model.entity(a.value().toString());
                record.entity = lastEntity;
            } else if (a.name() == u"id") {
                record.number = a.value().toLongLong(&ok);
                if (!ok)
                    record.number = 0;
            }
        }
        if (!record.entity || record.number < 1 || record.number >= contents.nextNumber)
            return fail(QStringLiteral("bad object at line %1").arg(xml.lineNumber()));
        if (recordAt(record.number) >= 0)
            return fail(QStringLiteral("object %1 appears twice").arg(record.number));

        const EntityDescription& entity = *record.entity;
        record.values.resize(entity.attributes().size());
        record.toOne.resize(entity.relationships().size());
        for (const QXmlStreamAttribute& a : attrs) {
            QStringView name = a.name();
            if (name == u"e" || name == u"id")
                continue;
            const bool base64 = name.endsWith(QLatin1StringView(kBase64Suffix));
            if (base64)
                name.chop(qsizetype(qstrlen(kBase64Suffix)));
            const int attribute = indexOf(entity.attributes(), name);
            if (attribute >= 0) {
                QString text;
                if (base64)
                    text = fromBase64Utf16(a.value());
                if (entity.attributes()[attribute].type == AttributeType::Date) {
                    const qint64 ms = base64 ? text.toLongLong(&ok) : a.value().toLongLong(&ok);
                    if (!ok)
                        return fail(QStringLiteral("bad date at line %1").arg(xml.lineNumber()));
                    record.values[attribute] = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
                } else {
                    record.values[attribute] = base64 ? std::move(text) : a.value().toString();
                }
                continue;
            }
            const int relationship = base64 ? -1 : indexOf(entity.relationships(), name);
            if (relationship < 0)
                return fail(QStringLiteral("unknown key %1 at line %2")
                                .arg(name.toString())
                                .arg(xml.lineNumber()));
            record.toOne[relationship] = a.value().toLongLong(&ok);
            if (!ok || record.toOne[relationship] < 1)
                return fail(QStringLiteral("bad relationship at line %1").arg(xml.lineNumber()));
        }
        xml.skipCurrentElement();
        if (record.number < kDenseLimit) {
            if (qint64(byNumber.size()) <= record.number)
                byNumber.resize(std::min(kDenseLimit, 2 * record.number + 16), -1);
            byNumber[record.number] = contents.records.size();
        } else {
            bySparseNumber.insert(record.number, contents.records.size());
        }
        contents.records.append(std::move(record));
    }
    if (xml.hasError())
        return fail(xml.errorString());

    // Every to-one relationship must name an object of its destination entity.
    for (const StoreRecord& record : contents.records) {
        const auto& rels = record.entity->relationships();
        for (int r = 0; r < rels.size(); ++r) {
            const qint64 target = record.toOne[r];
            if (target == 0)
                continue;
            const qsizetype at = recordAt(target);
            if (at < 0 || contents.records[at].entity->name() != rels[r].destination)
                return fail(QStringLiteral("dangling relationship"));
        }
    }
    return contents;
}

StoreFileWriter::StoreFileWriter(const QString& uuid, qint64 nextNumber, qsizetype sizeHint)
{
    m_bytes.reserve(size_t(256 + sizeHint));
    m_bytes += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<store";
    appendAttribute(m_bytes, QStringLiteral("format"), kFormat);
    appendAttribute(m_bytes, QStringLiteral("version"), kVersion);
    appendAttribute(m_bytes, QStringLiteral("uuid"), uuid);
    appendAttribute(m_bytes, QStringLiteral("next"), QString::number(nextNumber));
    m_bytes += ">\n";
}

const StoreFileWriter::Names& StoreFileWriter::namesFor(const EntityDescription& entity)
{
    for (const Names& names : m_names)
        if (names.entity == &entity)
            return names;
    Names names;
    names.entity = &entity;
    names.objectHead = "<o e=\"" + entity.name().toUtf8() + "\" id=\"";
    for (const AttributeDescription& a : entity.attributes())
        names.attributes.append(' ' + a.name.toUtf8());
    for (const RelationshipDescription& r : entity.relationships())
        names.relationships.append(' ' + r.name.toUtf8() + "=\"");
    m_names.append(std::move(names));
    return m_names.last();
}

void StoreFileWriter::add(const EntityDescription& entity, qint64 number,
                          const QList<QVariant>& values, std::span<const qint64> toOne)
{
    const Names& names = namesFor(entity);
    append(m_bytes, names.objectHead);
    appendNumber(m_bytes, number);
    m_bytes += '"';
    const auto& attributes = entity.attributes();
    for (qsizetype a = 0; a < attributes.size() && a < values.size(); ++a) {
        const QVariant& value = values[a];
        if (!value.isValid())
            continue;
        if (attributes[a].type == AttributeType::Date) {
            append(m_bytes, names.attributes[a]);
            m_bytes += "=\"";
            appendNumber(m_bytes, value.toDateTime().toMSecsSinceEpoch());
            m_bytes += '"';
        } else if (value.typeId() == QMetaType::QString) {
            appendValue(m_bytes, names.attributes[a],
                        *static_cast<const QString*>(value.constData()));
        } else {
            appendValue(m_bytes, names.attributes[a], value.toString());
        }
    }
    for (size_t r = 0; r < toOne.size() && r < size_t(names.relationships.size()); ++r) {
        if (toOne[r] == 0 || entity.relationships()[qsizetype(r)].toMany)
            continue;
        append(m_bytes, names.relationships[qsizetype(r)]);
        appendNumber(m_bytes, toOne[r]);
        m_bytes += '"';
    }
    m_bytes += "/>\n";
}

bool StoreFileWriter::commit(const QString& path, StoreError* error)
{
    m_bytes += "</store>\n";
    QString why;
    if (!writeFileAtomically(
            path, QByteArray::fromRawData(m_bytes.data(), qsizetype(m_bytes.size())), &why)) {
        setError(error, StoreError::make(StoreError::WriteFailed,
                                         QObject::tr("The file “%1” couldn’t be saved: %2")
                                             .arg(QFileInfo(path).fileName(), why),
                                         path));
        return false;
    }
    return true;
}

} // namespace platform
