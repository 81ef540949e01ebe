#include "typewarden/store/TypewardenImportDelegate.h"

#include "model/OrthovaModel.h"
#include "model/TypewardenDefaults.h"
#include "platform/Bookmarks.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"
#include "typewarden/store/ExportSpellList.h"
#include "typewarden/store/ImportSpellList.h"
#include "typewarden/store/TypewardenModel.h"

#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace typewarden
{

namespace
{

QString urlText(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}

} // namespace

TypewardenImportDelegate::TypewardenImportDelegate(platform::UserDefaults& defaults,
                                                   platform::AlertPresenter& alerts,
                                                   platform::FilePanels& panels,
                                                   TypewardenModel& model, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_alerts(alerts), m_panels(panels), m_model(model)
{
}

void TypewardenImportDelegate::exportWordPairs()
{
    platform::ObjectContext* context = m_model.wordErrorDBase();
    platform::StoreError error = m_model.openError();
    const auto pairs =
        context ? context->fetch(platform::FetchRequest::all(model::entity::WordPair), &error)
                : std::nullopt;
    if (!pairs) {
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return;
    }
    QPointer<TypewardenImportDelegate> self(this);
    QPointer<platform::ObjectContext> guardedContext(context);
    m_panels.beginSaveSheet(
        m_window, tr("Exported error list"),
        [self, guardedContext, fetched = *pairs](std::optional<QString> path) {
            if (!self || !guardedContext || !path)
                return;
            qCInfo(lcWordPairStore).noquote() << QStringLiteral("thisURL: %1").arg(urlText(*path));
            // IDs are read now: a save while the sheet was open makes new pairs' IDs permanent.
            QList<platform::ObjectID> objectIDs;
            for (const platform::ManagedObject* pair : fetched)
                if (!pair->isDeleted())
                    objectIDs.append(pair->objectID());
            ExportSpellList(self->m_alerts, *guardedContext, objectIDs, *path).run();
            self->createExportBookmarkForURL(*path);
        });
}

bool TypewardenImportDelegate::createExportBookmarkForURL(const QString& path)
{
    QString why;
    // A bookmark of a missing file could never be resolved; no bookmark is kept then.
    const auto bookmark =
        QFileInfo::exists(path) ? platform::bookmarks::create(path, &why) : std::nullopt;
    if (!bookmark) {
        if (why.isEmpty())
            why = tr("The file “%1” couldn’t be found.").arg(QFileInfo(path).fileName());
        m_alerts.runModal(platform::AlertPresenter::alertWithError(why, path));
        m_defaults.removeObject(defaults::ExportBookmark);
        return false;
    }
    qCInfo(lcWordPairStore).noquote()
        << QStringLiteral("bookmark: %1").arg(QString::fromUtf8(*bookmark));
    m_defaults.setObject(*bookmark, defaults::ExportBookmark);
    return true;
}

bool TypewardenImportDelegate::importWordPairs()
{
    const QByteArray bookmark = m_defaults.dataForKey(defaults::ExportBookmark);
    if (bookmark.isEmpty()) {
        qCInfo(lcWordPairStore).noquote() << QStringLiteral("No bookmark stored");
        return false;
    }
    QString why;
    const auto path = platform::bookmarks::resolve(bookmark, &why);
    if (!path) {
        qCWarning(lcWordPairStore).noquote()
            << QStringLiteral("Error resolving URL from bookmark: %1").arg(why);
        return false;
    }
    qCInfo(lcWordPairStore).noquote() << QStringLiteral("Bookmarked url resolved successfully!");
    platform::ObjectContext* context = m_model.wordErrorDBase();
    bool imported = false;
    if (context)
        imported = ImportSpellList(m_alerts, *context, *path).run();
    else
        m_alerts.runModal(platform::AlertPresenter::alertWithError(m_model.openError()));
    QTimer::singleShot(kScrollDelayMs, this, [this] { emit scrollToEndOfListRequested(); });
    return imported;
}

} // namespace typewarden
