#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace lexotrace::payloadFile
{

// "appData.data" in the documents folder: the keyed archive through which Lexotrace's windows
// hand each other the items of the last copy or drag.
QString path();

// Replaces the file with the archive, making the documents folder when the account has none, and
// logs the outcome ("Write returned error: ..."). False, with the reason in `error`, when it cannot
// be written.
bool write(const QByteArray& archive, QString* error = nullptr);

// The last archive written; nothing when there is no readable file.
std::optional<QByteArray> read();

} // namespace lexotrace::payloadFile
