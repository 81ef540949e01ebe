#pragma once

#include "platform/store/ManagedObject.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace platform
{
class ObjectContext;
class StoreCoordinator;
} // namespace platform

// What a copy of lesson items puts on the pasteboard: their text forms, and a payload that names
// the items themselves so that a paste can move them.
namespace lexotrace::lessonPasteboard
{

inline const QString UnitsDataType = QStringLiteral("MyUnitsDataPBoardType");
inline const QString SectionsDataType = QStringLiteral("MySectionsDataPBoardType");
inline const QString RelatedWordsDataType = QStringLiteral("MyRelatedWordsDataPBoardType");

// A row: word1, then each present bit and later word after a tab.
QString wordString(const platform::ManagedObject& row);
// A section's rule, or a unit's general rule.
QString shallowCopyString(const platform::ManagedObject& item);
// A section's rule and its rows' words, or a unit's general rule and its sections' rules and
// rows' words. Bits are left out.
QString deepCopyString(const platform::ManagedObject& item);

// The reference to one item: {"urID": archive of the item's URI}.
QVariantMap dataDictionaryRepresentation(const platform::ManagedObject& item);
// The archive of the references to these items, in order; nothing when one cannot be archived.
std::optional<QByteArray> payloadArchive(const QList<platform::ManagedObject*>& items);

// An item a payload names: null when it no longer exists; `temporary` when it was never saved.
struct PayloadItem {
    platform::ManagedObject* object = nullptr;
    bool temporary = false;
};
// The items a payload archive names, in order; nothing when the archive cannot be read.
std::optional<QList<PayloadItem>> resolvePayload(const QByteArray& archive,
                                                 const platform::ObjectContext& context,
                                                 const platform::StoreCoordinator& coordinator);

} // namespace lexotrace::lessonPasteboard
