#include "lexotrace/xml/XmlExchange.h"

#include "platform/Bookmarks.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"

#include <QFileInfo>
#include <QTimer>

Q_LOGGING_CATEGORY(lcXmlExchange, "lexotrace.xml.exchange")

namespace lexotrace
{

XmlExchange::XmlExchange(Kind kind, platform::UserDefaults& defaults,
                         platform::AlertPresenter& alerts, platform::FilePanels& panels,
                         QObject* parent)
    : QObject(parent), m_kind(std::move(kind)), m_defaults(defaults), m_alerts(alerts),
      m_panels(panels)
{
}

void XmlExchange::exportXML(Writer write)
{
    QPointer<XmlExchange> self(this);
    m_panels.beginSaveSheet(
        m_window, m_kind.panel, [self, write = std::move(write)](std::optional<QString> path) {
            if (!self || !path)
                return;
            qCInfo(lcXmlExchange).noquote() << "thisURL:" << *path;
            // The file is written first: a bookmark needs it to exist.
            if (!write(*path)) {
                self->m_alerts.runModal(platform::AlertPresenter::alertWithError(
                    tr("The file could not be written."), *path));
                return;
            }
            self->createExportBookmarkForURL(*path);
        });
}

bool XmlExchange::createExportBookmarkForURL(const QString& path)
{
    QString why;
    const auto bookmark = platform::bookmarks::create(path, &why);
    if (!bookmark) {
        m_alerts.runModal(platform::AlertPresenter::alertWithError(why, path));
        return false;
    }
    qCInfo(lcXmlExchange).noquote() << "bookmark:" << QString::fromUtf8(*bookmark);
    m_defaults.setObject(*bookmark, m_kind.bookmarkKey);
    return true;
}

void XmlExchange::importXML(Reader read)
{
    confirmThen([this, read = std::move(read)] { retrieveBookmarkAndRead(read); });
}

void XmlExchange::importFile(const QString& path, Reader read)
{
    confirmThen([path, read = std::move(read)] { read(path); });
}

void XmlExchange::confirmThen(std::function<void()> import)
{
    QPointer<XmlExchange> self(this);
    m_alerts.beginSheet({m_kind.confirmation, m_kind.confirmationDetail, {tr("OK"), tr("Cancel")}},
                        m_window, [self, import = std::move(import)](int button) {
                            if (!self)
                                return;
                            if (button != 0) {
                                qCInfo(lcXmlExchange) << "User cancels";
                                return;
                            }
                            qCInfo(lcXmlExchange) << "Success";
                            // After the sheet has gone, so that the import's own sheets can show.
                            QTimer::singleShot(0, self, [self, import] {
                                if (self)
                                    import();
                            });
                        });
}

bool XmlExchange::retrieveBookmarkAndRead(const Reader& read)
{
    const QByteArray bookmark = m_defaults.dataForKey(m_kind.bookmarkKey);
    if (bookmark.isEmpty()) {
        qCInfo(lcXmlExchange) << "No bookmark stored";
        m_alerts.beginSheet({m_kind.noFileMessage, {}, {tr("OK")}}, m_window, {});
        return false;
    }
    QString why;
    const auto path = platform::bookmarks::resolve(bookmark, &why);
    if (!path) {
        qCWarning(lcXmlExchange).noquote() << "Error resolving URL from bookmark:" << why;
        m_alerts.beginSheet(platform::AlertPresenter::alertWithError(why), m_window, {});
        return false;
    }
    qCInfo(lcXmlExchange) << "Bookmarked url resolved successfully!";
    read(*path);
    return true;
}

bool XmlExchange::replaceAsOneStep(platform::UndoManager& undo, const QString& path,
                                   const std::function<bool()>& empty,
                                   const std::function<ReadResult()>& read)
{
    undo.closeEventGroup();
    undo.beginUndoGrouping();
    const bool emptied = empty();
    const ReadResult result = emptied ? read() : ReadResult::Unreadable;
    undo.endUndoGrouping();
    if (result == ReadResult::Something)
        return true;
    if (emptied)
        undo.undo();
    if (result == ReadResult::Nothing)
        m_alerts.beginSheet({m_kind.emptyFileMessage.arg(QFileInfo(path).fileName()),
                             m_kind.leftAsTheyWere + u'\n' + path,
                             {tr("OK")}},
                            m_window, {});
    return false;
}

} // namespace lexotrace
