#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// Replaces the file so that it holds either its old content or the new one, never a mix: the bytes
// go to a temporary file in the same folder, are flushed to disk, and the temporary file is renamed
// over the old one. The file keeps its permissions. The writer holds a lock on the temporary file
// while it works, so that removeStaleTemporaries() can tell a dead save from one under way.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Removes the temporary files that saves of `path` left behind when they died half-way (a crash,
// a kill, a power cut): only files of the writer's own name pattern, owned by this user, that no
// process holds locked and that are a few seconds old. Returns how many were removed.
int removeStaleTemporaries(const QString& path);

} // namespace platform
