#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform
{

// Remembered file locations kept in the user defaults. A bookmark is the file's absolute path as
// bytes; it resolves while the file exists and is never stale.
namespace bookmarks
{

// Fails (with a reason) when the path is not absolute or its folder does not exist.
std::optional<QByteArray> create(const QString& path, QString* error = nullptr);
// The path, when the bookmark names an existing file.
std::optional<QString> resolve(const QByteArray& bookmark, QString* error = nullptr);

} // namespace bookmarks
} // namespace platform
