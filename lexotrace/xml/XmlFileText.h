#pragma once

#include <QString>

namespace lexotrace
{

// The lessons and rules files are UTF-16 in the machine's byte order (little-endian) with a
// byte-order mark, although their first line names utf-8; readers tell the encoding by the mark.
QByteArray encodeXmlFileText(const QString& text);
// Replaces the file atomically; on failure the old file is untouched and *error says why.
bool writeXmlFileText(const QString& path, const QString& text, QString* error);

} // namespace lexotrace
