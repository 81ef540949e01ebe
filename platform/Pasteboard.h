#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

class QMimeData;

namespace platform
{

// Keyed archives: a fixed magic header, then one value written with QDataStream. A value is a
// map (string keys), a list, a string, a byte array, a URL, an index list (QList<int> of
// non-negative indexes) or null (an invalid QVariant). The reader checks the header, every type
// tag and every size against the bytes that are left, and rejects anything else, so a damaged or
// foreign file is never taken for data.
namespace keyedArchive
{

// The archive of the value; nullopt when it holds a type the format does not carry.
std::optional<QByteArray> archive(const QVariant& root);
// The value back; nullopt when the bytes are not a well-formed archive.
std::optional<QVariant> unarchive(const QByteArray& bytes);
// As unarchive, but the root must be a map.
std::optional<QVariantMap> unarchiveDictionary(const QByteArray& bytes);

} // namespace keyedArchive

// Pasteboard payloads on QMimeData: a type named `Name` travels as the format
// "application/x-Name"; plain text as "text/plain".
namespace pasteboard
{

QString format(const QString& typeName);
// Declares the type as the payload's only content, with those bytes.
void setSingleType(QMimeData& data, const QString& typeName, const QByteArray& bytes);
// The payload's plain text as its only content.
void setSingleString(QMimeData& data, const QString& text);
// The bytes of that type; nullopt when the payload does not carry it.
std::optional<QByteArray> dataForType(const QMimeData& data, const QString& typeName);

} // namespace pasteboard
} // namespace platform
