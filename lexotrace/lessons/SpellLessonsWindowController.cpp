#include "lexotrace/lessons/SpellLessonsWindowController.h"

#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"

#include <QFileInfo>

namespace lexotrace
{

SpellLessonsWindowController::SpellLessonsWindowController(LessonsWindowServices services)
    : WindowController(QStringLiteral("LessonsControllerNib"), tr("Spelling Lessons")),
      m_services(services),
      m_exchange({tr("Orthova lessons"), kBookmarkKey,
                  tr("Your import file will over-write current lesson data. Are you sure you "
                     "wish to proceed?"),
                  tr("No lessons file has been exported yet: export the lessons once, edit that "
                     "file, then import it.")},
                 services.defaults, services.alerts, services.panels, this)
{
    m_exchange.setWindow(window());
}

void SpellLessonsWindowController::exportXML()
{
    if (!m_services.lessons)
        return;
    m_exchange.exportXML([this](const QString& path) {
        return m_services.lessons->createLessonsXMLfileForExportWithFilePath(path);
    });
}

bool SpellLessonsWindowController::createExportBookmarkForURL(const QString& path)
{
    return m_exchange.createExportBookmarkForURL(path);
}

void SpellLessonsWindowController::importXML()
{
    if (!m_services.lessons)
        return;
    m_exchange.importXML([this](const QString& path) { importLessonsFrom(path); });
}

void SpellLessonsWindowController::retrieveBookmarkAndWriteLessonData()
{
    if (m_services.lessons)
        m_exchange.retrieveBookmarkAndRead(
            [this](const QString& path) { importLessonsFrom(path); });
}

void SpellLessonsWindowController::importLessonsFrom(const QString& path)
{
    LessonCoreDataAppDelegate& lessons = *m_services.lessons;
    platform::UndoManager* undo = lessons.undoManager();
    const QString previousSource = lessons.lessonsXMLSourcePath();
    // The emptying and the reading are one step, so that the user, or a file without levels, can
    // take both back at once, and nothing done before with them.
    undo->closeEventGroup();
    undo->beginUndoGrouping();
    const bool emptied = lessons.deleteAllData();
    bool read = false;
    if (emptied) {
        qCInfo(lcXmlExchange) << "previous lesson data deleted.";
        lessons.setLessonsXMLSourcePath(path);
        read = lessons.importLessonsFromXMLdata();
    }
    undo->endUndoGrouping();
    // The store has told the user why it could not be emptied.
    if (read || !emptied)
        return;
    undo->undo();
    lessons.setLessonsXMLSourcePath(previousSource);
    m_services.alerts.beginSheet(
        {tr("The file “%1” holds no lessons.").arg(QFileInfo(path).fileName()),
         tr("The lessons are left as they were.\n%1").arg(path),
         {tr("OK")}},
        window(), {});
}

} // namespace lexotrace
