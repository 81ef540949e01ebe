#include "lexotrace/xml/XmlFileText.h"

#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QtEndian>

namespace lexotrace
{

QByteArray encodeXmlFileText(const QString& text)
{
    QByteArray bytes;
    bytes.resize(2 + text.size() * 2);
    char* out = bytes.data();
    qToLittleEndian<quint16>(0xFEFF, out);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), out + 2 + 2 * i);
    return bytes;
}

bool writeXmlFileText(const QString& path, const QString& text, QString* error)
{
    return platform::writeFileAtomically(path, encodeXmlFileText(text), error);
}

} // namespace lexotrace
