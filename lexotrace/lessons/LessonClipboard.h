#pragma once

#include "platform/store/ManagedObject.h"
#include "platform/ui/Alerts.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace platform
{
class ObjectContext;
}

namespace lexotrace
{

// The system pasteboard as the lesson lists use it: a copy of whole items puts their payload in
// the payload file and on the pasteboard under its type, with their text forms; a paste reads the
// payload back from the file and finds the items in the lessons context.
class LessonClipboard
{
    Q_DECLARE_TR_FUNCTIONS(LessonClipboard)
public:
    // Replaces the pasteboard with the items' payload under `type` and `text` as plain text. False
    // (pasteboard left empty) when the items cannot be archived.
    static bool putItems(const QString& type, const QList<platform::ManagedObject*>& items,
                         const QString& text);
    // Replaces the pasteboard with plain text only.
    static void putText(const QString& text);
    static void clear();

    // The pasteboard carries `type` with some data.
    static bool offersItems(const QString& type);
    // The pasteboard's plain text; nothing when it has none.
    static std::optional<QString> offeredText();

    // The copied items of `type`, in copy order; an item that no longer exists is null. Nothing,
    // after telling the user, when the payload file is missing, damaged, not the copy the
    // pasteboard announces, or names items of another entity.
    static std::optional<QList<platform::ManagedObject*>>
    copiedItems(const QString& type, const QString& entityName,
                const platform::ObjectContext& context, platform::AlertPresenter& alerts);
    // False, after telling the user, when one of `items` no longer exists.
    static bool allStillExist(const QList<platform::ManagedObject*>& items,
                              platform::AlertPresenter& alerts);

    // The words and bits of a row, absent ones kept absent; for copying a row's values onto
    // another.
    using RowWords = QList<QVariant>;
    static RowWords rowWords(const platform::ManagedObject& row);
    static void setRowWords(platform::ManagedObject& row, const RowWords& words);

    // Closes a group the current event-loop turn opened, so that the paste that follows is an
    // undo step of its own.
    static void closeOpenUndoStep(platform::ObjectContext* context);
};

} // namespace lexotrace
