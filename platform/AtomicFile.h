#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// Replaces the file so that it holds either its old content or the new one, never a mix: the bytes
// go to a temporary file in the same folder, are flushed to disk, and the temporary file is renamed
// over the old one. The file keeps its permissions.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace platform
