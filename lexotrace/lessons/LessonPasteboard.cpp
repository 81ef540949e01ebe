#include "lexotrace/lessons/LessonPasteboard.h"

#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/StoreCoordinator.h"

#include <QUrl>

namespace lexotrace::lessonPasteboard
{

namespace key = model::key;

namespace
{

const QString kReferenceKey = QStringLiteral("urID");

bool isUnit(const platform::ManagedObject& item)
{
    return item.entityName() == model::entity::Unit;
}

// The words of a row, each followed by a tab; one line.
QString sectionRowLine(const platform::ManagedObject& row)
{
    QString line;
    for (int slot = 1; slot <= model::kWordSlots; ++slot)
        if (row.hasValue(key::word(slot)))
            line += row.string(key::word(slot)) + u'\t';
    return line + u'\n';
}

// The first word, then each later word after a tab; one line.
QString unitRowLine(const platform::ManagedObject& row)
{
    QString line = row.string(key::word(1));
    for (int slot = 2; slot <= model::kWordSlots; ++slot)
        if (row.hasValue(key::word(slot)))
            line += u'\t' + row.string(key::word(slot));
    return line + u'\n';
}

} // namespace

QString wordString(const platform::ManagedObject& row)
{
    QString text = row.string(key::word(1));
    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
        if (row.hasValue(key::bit(slot)))
            text += u'\t' + row.string(key::bit(slot));
        if (slot < model::kWordSlots && row.hasValue(key::word(slot + 1)))
            text += u'\t' + row.string(key::word(slot + 1));
    }
    return text;
}

QString shallowCopyString(const platform::ManagedObject& item)
{
    return item.string(isUnit(item) ? key::generalRule : key::rule);
}

QString deepCopyString(const platform::ManagedObject& item)
{
    if (!isUnit(item)) {
        QString text = item.string(key::rule) + QStringLiteral("\n\n");
        for (const platform::ManagedObject* row : item.toMany(key::relatedWords))
            text += sectionRowLine(*row);
        return text + u'\n';
    }
    QString text = item.string(key::generalRule);
    for (const platform::ManagedObject* section : item.toMany(key::sections)) {
        text += QStringLiteral("\n\n") + section->string(key::rule) + QStringLiteral("\n\n");
        for (const platform::ManagedObject* row : section->toMany(key::relatedWords))
            text += unitRowLine(*row);
    }
    return text;
}

QVariantMap dataDictionaryRepresentation(const platform::ManagedObject& item)
{
    const auto uri = platform::keyedArchive::archive(QUrl(item.objectID().uriString()));
    return {{kReferenceKey, uri.value_or(QByteArray())}};
}

std::optional<QByteArray> payloadArchive(const QList<platform::ManagedObject*>& items)
{
    QVariantList references;
    for (const platform::ManagedObject* item : items)
        references.append(dataDictionaryRepresentation(*item));
    return platform::keyedArchive::archive(references);
}

std::optional<QList<PayloadItem>> resolvePayload(const QByteArray& archive,
                                                 const platform::ObjectContext& context,
                                                 const platform::StoreCoordinator& coordinator)
{
    const auto root = platform::keyedArchive::unarchive(archive);
    if (!root || root->typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<PayloadItem> items;
    for (const QVariant& reference : root->toList()) {
        const QByteArray uriArchive = reference.toMap().value(kReferenceKey).toByteArray();
        const auto uri = platform::keyedArchive::unarchive(uriArchive);
        if (!uri || uri->typeId() != QMetaType::QUrl)
            return std::nullopt;
        PayloadItem item;
        if (const auto id = coordinator.managedObjectIDForURIRepresentation(
                uri->toUrl().toString(QUrl::FullyEncoded))) {
            item.temporary = id->isTemporary();
            item.object = context.objectWithID(*id);
        }
        items.append(item);
    }
    return items;
}

} // namespace lexotrace::lessonPasteboard
