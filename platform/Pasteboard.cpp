#include "platform/Pasteboard.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QStringDecoder>
#include <QUrl>

namespace platform
{

namespace keyedArchive
{

namespace
{

const QByteArray kMagic = QByteArrayLiteral("ORTHOVA-KEYED-ARCHIVE");
constexpr quint16 kVersion = 1;
// Deep enough for any payload we write; stops a crafted file from exhausting the stack.
constexpr int kMaxDepth = 32;

enum Tag : quint8 { Null = 0, Map = 1, List = 2, String = 3, Bytes = 4, Url = 5, IndexList = 6 };

void prepare(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_6_0);
    stream.setByteOrder(QDataStream::BigEndian);
}

void writeBytes(QDataStream& out, Tag tag, const QByteArray& bytes)
{
    out << quint8(tag) << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

bool writeValue(QDataStream& out, const QVariant& value, int depth)
{
    if (depth > kMaxDepth)
        return false;
    if (!value.isValid()) {
        out << quint8(Null);
        return true;
    }
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<QVariantMap>()) {
        const QVariantMap map = value.toMap();
        out << quint8(Map) << quint32(map.size());
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            writeBytes(out, String, it.key().toUtf8());
            if (!writeValue(out, it.value(), depth + 1))
                return false;
        }
        return true;
    }
    if (type == QMetaType::fromType<QVariantList>()) {
        const QVariantList list = value.toList();
        out << quint8(List) << quint32(list.size());
        for (const QVariant& item : list)
            if (!writeValue(out, item, depth + 1))
                return false;
        return true;
    }
    if (type == QMetaType::fromType<QString>()) {
        writeBytes(out, String, value.toString().toUtf8());
        return true;
    }
    if (type == QMetaType::fromType<QByteArray>()) {
        writeBytes(out, Bytes, value.toByteArray());
        return true;
    }
    if (type == QMetaType::fromType<QUrl>()) {
        writeBytes(out, Url, value.toUrl().toEncoded());
        return true;
    }
    if (type == QMetaType::fromType<QList<int>>()) {
        const QList<int> indexes = value.value<QList<int>>();
        out << quint8(IndexList) << quint32(indexes.size());
        for (int index : indexes) {
            if (index < 0)
                return false;
            out << qint32(index);
        }
        return true;
    }
    return false;
}

class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_in(bytes) { prepare(m_in); }

    bool readHeader()
    {
        QByteArray magic(kMagic.size(), Qt::Uninitialized);
        if (m_in.readRawData(magic.data(), int(magic.size())) != magic.size() || magic != kMagic)
            return false;
        quint16 version = 0;
        m_in >> version;
        return ok() && version == kVersion;
    }

    std::optional<QVariant> readValue(int depth)
    {
        if (depth > kMaxDepth)
            return std::nullopt;
        quint8 tag = 0;
        m_in >> tag;
        if (!ok())
            return std::nullopt;
        switch (tag) {
        case Null:
            return QVariant();
        case Map:
            return readMap(depth);
        case List:
            return readList(depth);
        case String:
            if (auto text = readString())
                return QVariant(*text);
            return std::nullopt;
        case Bytes:
            if (auto bytes = readBytes())
                return QVariant(*bytes);
            return std::nullopt;
        case Url:
            return readUrl();
        case IndexList:
            return readIndexList();
        }
        return std::nullopt;
    }

    bool atEnd() const { return m_in.atEnd(); }

private:
    bool ok() const { return m_in.status() == QDataStream::Ok; }
    qint64 remaining() const { return m_in.device()->bytesAvailable(); }

    // A count of items that each take at least itemSize bytes: never more than the bytes left.
    std::optional<quint32> readCount(qint64 itemSize)
    {
        quint32 count = 0;
        m_in >> count;
        if (!ok() || qint64(count) * itemSize > remaining())
            return std::nullopt;
        return count;
    }

    std::optional<QByteArray> readBytes()
    {
        const auto size = readCount(1);
        if (!size)
            return std::nullopt;
        QByteArray bytes(qsizetype(*size), Qt::Uninitialized);
        if (m_in.readRawData(bytes.data(), int(*size)) != int(*size))
            return std::nullopt;
        return bytes;
    }

    std::optional<QString> readString()
    {
        const auto bytes = readBytes();
        if (!bytes)
            return std::nullopt;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder(*bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }

    std::optional<QVariant> readMap(int depth)
    {
        // Each entry is at least a key tag and size and a value tag.
        const auto count = readCount(6);
        if (!count)
            return std::nullopt;
        QVariantMap map;
        for (quint32 i = 0; i < *count; ++i) {
            quint8 keyTag = 0;
            m_in >> keyTag;
            if (!ok() || keyTag != String)
                return std::nullopt;
            const auto key = readString();
            if (!key || map.contains(*key))
                return std::nullopt;
            auto value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            map.insert(*key, *value);
        }
        return QVariant(map);
    }

    std::optional<QVariant> readList(int depth)
    {
        const auto count = readCount(1);
        if (!count)
            return std::nullopt;
        QVariantList list;
        list.reserve(qsizetype(*count));
        for (quint32 i = 0; i < *count; ++i) {
            auto value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        return QVariant(list);
    }

    std::optional<QVariant> readUrl()
    {
        const auto text = readString();
        if (!text)
            return std::nullopt;
        const QUrl url(*text, QUrl::StrictMode);
        if (!url.isValid())
            return std::nullopt;
        return QVariant(url);
    }

    std::optional<QVariant> readIndexList()
    {
        const auto count = readCount(4);
        if (!count)
            return std::nullopt;
        QList<int> indexes;
        indexes.reserve(qsizetype(*count));
        for (quint32 i = 0; i < *count; ++i) {
            qint32 index = -1;
            m_in >> index;
            if (!ok() || index < 0)
                return std::nullopt;
            indexes.append(index);
        }
        return QVariant::fromValue(indexes);
    }

    QDataStream m_in;
};

} // namespace

std::optional<QByteArray> archive(const QVariant& root)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    prepare(out);
    out.writeRawData(kMagic.constData(), int(kMagic.size()));
    out << kVersion;
    if (!writeValue(out, root, 0) || out.status() != QDataStream::Ok)
        return std::nullopt;
    return bytes;
}

std::optional<QVariant> unarchive(const QByteArray& bytes)
{
    Reader reader(bytes);
    if (!reader.readHeader())
        return std::nullopt;
    auto value = reader.readValue(0);
    // Trailing bytes mean the file is not what we wrote.
    if (!value || !reader.atEnd())
        return std::nullopt;
    return value;
}

std::optional<QVariantMap> unarchiveDictionary(const QByteArray& bytes)
{
    const auto value = unarchive(bytes);
    if (!value || value->metaType() != QMetaType::fromType<QVariantMap>())
        return std::nullopt;
    return value->toMap();
}

} // namespace keyedArchive

namespace pasteboard
{

QString format(const QString& typeName)
{
    return QStringLiteral("application/x-") + typeName;
}

void setSingleType(QMimeData& data, const QString& typeName, const QByteArray& bytes)
{
    data.clear();
    data.setData(format(typeName), bytes);
}

void setSingleString(QMimeData& data, const QString& text)
{
    data.clear();
    data.setText(text);
}

std::optional<QByteArray> dataForType(const QMimeData& data, const QString& typeName)
{
    const QString mime = format(typeName);
    if (!data.hasFormat(mime))
        return std::nullopt;
    return data.data(mime);
}

} // namespace pasteboard
} // namespace platform
