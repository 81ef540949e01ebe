#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

namespace testsupport
{

// The temporary home of this test process (HOME, XDG folders and documents live under it).
QString sandboxRoot();

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// The folder of the programs' store files in this test's home.
QString storeFolder();
// Path of a file under tests/fixtures in the source tree.
QString fixturePath(const QString& name);
// Standard output of a command-line tool; fails the test when it is missing or fails.
QString toolOutput(const QString& tool, const QStringList& arguments);
// The text of a PDF file as pdftotext lays it out: one entry per line, spaces simplified, ligatures
// undone, a page break counted as a line end.
QStringList pdfLines(const QString& pdf);

} // namespace testsupport

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
QT_END_NAMESPACE
