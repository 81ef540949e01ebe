#pragma once

// Shared by the lessons and rules file tests: a fresh store per test and small readers of it.
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

namespace xmltest
{

inline QString sandboxFile(const QString& name)
{
    static int counter = 0;
    return testsupport::sandboxRoot() + QStringLiteral("/%1-%2").arg(++counter).arg(name);
}

struct Store : testsupport::StoreOnDisk {
    Store() : StoreOnDisk(sandboxFile(QStringLiteral("store.xml"))) {}
    platform::ObjectContext* ctx() { return context.get(); }
};

// UTF-16 with a byte-order mark, built here rather than with the code under test.
inline QByteArray utf16(const QString& text, bool bigEndian = false)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

inline QString fromUtf16File(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xFF\xFE"))
        return QStringLiteral("<no little-endian byte-order mark>");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

inline QString fixture(const QString& name)
{
    return fromUtf16File(testsupport::readFile(testsupport::fixturePath(name)));
}

inline QString valueOr(const platform::ManagedObject* o, const QString& k)
{
    return o->hasValue(k) ? o->string(k) : QStringLiteral("~");
}

} // namespace xmltest
