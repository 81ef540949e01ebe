#include "lexotrace/lessons/LessonClipboard.h"

#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/lessons/LessonsLog.h"
#include "lexotrace/store/PayloadFile.h"
#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <memory>

namespace lexotrace
{

namespace
{

QClipboard* systemPasteboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

const QMimeData* pasteboardContent()
{
    QClipboard* clipboard = systemPasteboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

void setPasteboardContent(std::unique_ptr<QMimeData> data)
{
    if (QClipboard* clipboard = systemPasteboard())
        clipboard->setMimeData(data.release()); // the clipboard owns it
}

void tellCannotPaste(platform::AlertPresenter& alerts)
{
    alerts.runModal({LessonClipboard::tr("The copied items cannot be pasted."),
                     LessonClipboard::tr("The record of the last copy is missing or damaged. "
                                         "Nothing was changed; copy the items again."),
                     {LessonClipboard::tr("OK")}});
}

} // namespace

bool LessonClipboard::putItems(const QString& type, const QList<platform::ManagedObject*>& items,
                               const QString& text)
{
    clear();
    const auto archive = lessonPasteboard::payloadArchive(items);
    if (!archive)
        return false;
    // A failed write is only logged: a paste finds out for itself that the file is not this copy.
    payloadFile::write(*archive);
    auto data = std::make_unique<QMimeData>();
    data->setData(platform::pasteboard::format(type), *archive);
    data->setText(text);
    setPasteboardContent(std::move(data));
    return true;
}

void LessonClipboard::putText(const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    platform::pasteboard::setSingleString(*data, text);
    setPasteboardContent(std::move(data));
}

void LessonClipboard::clear()
{
    if (QClipboard* clipboard = systemPasteboard())
        clipboard->clear();
}

bool LessonClipboard::offersItems(const QString& type)
{
    const QMimeData* data = pasteboardContent();
    const auto bytes = data ? platform::pasteboard::dataForType(*data, type) : std::nullopt;
    return bytes && !bytes->isEmpty();
}

std::optional<QString> LessonClipboard::offeredText()
{
    const QMimeData* data = pasteboardContent();
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

std::optional<QList<platform::ManagedObject*>>
LessonClipboard::copiedItems(const QString& type, const QString& entityName,
                             const platform::ObjectContext& context,
                             platform::AlertPresenter& alerts)
{
    const QMimeData* data = pasteboardContent();
    const auto offered = data ? platform::pasteboard::dataForType(*data, type) : std::nullopt;
    const auto archive = payloadFile::read();
    // A file that is not the copy on the pasteboard (not written, or replaced by a later drag)
    // would name other items than the user copied.
    if (!offered || !archive || *archive != *offered || !context.coordinator()) {
        tellCannotPaste(alerts);
        return std::nullopt;
    }
    const auto payload =
        lessonPasteboard::resolvePayload(*archive, context, *context.coordinator());
    if (!payload || payload->isEmpty()) {
        tellCannotPaste(alerts);
        return std::nullopt;
    }
    QList<platform::ManagedObject*> items;
    bool temporary = false;
    for (const lessonPasteboard::PayloadItem& item : *payload) {
        if (item.object && item.object->entityName() != entityName) {
            tellCannotPaste(alerts);
            return std::nullopt;
        }
        temporary = temporary || item.temporary;
        items.append(item.object);
    }
    // A never-saved item's name does not outlive the session; the paste itself goes on.
    if (temporary)
        QTimer::singleShot(0, QCoreApplication::instance(), [] { clear(); });
    return items;
}

bool LessonClipboard::allStillExist(const QList<platform::ManagedObject*>& items,
                                    platform::AlertPresenter& alerts)
{
    if (!items.contains(nullptr))
        return true;
    alerts.runModal({tr("The copied items no longer exist."),
                     tr("They were pasted, cut or deleted since they were copied. Nothing was "
                        "changed."),
                     {tr("OK")}});
    return false;
}

LessonClipboard::RowWords LessonClipboard::rowWords(const platform::ManagedObject& row)
{
    RowWords words;
    for (int slot = 1; slot <= model::kWordSlots; ++slot)
        words << row.value(model::key::word(slot)) << row.value(model::key::bit(slot));
    return words;
}

void LessonClipboard::setRowWords(platform::ManagedObject& row, const RowWords& words)
{
    for (int slot = 1; slot <= model::kWordSlots && 2 * slot <= words.size(); ++slot) {
        row.setValue(model::key::word(slot), words[2 * slot - 2]);
        row.setValue(model::key::bit(slot), words[2 * slot - 1]);
    }
}

void LessonClipboard::closeOpenUndoStep(platform::ObjectContext* context)
{
    if (platform::UndoManager* undo = context ? context->undoManager() : nullptr)
        undo->closeEventGroup();
}

} // namespace lexotrace
