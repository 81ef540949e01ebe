#include "lexotrace/store/LessonCoreDataAppDelegate.h"

#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/Paths.h"

#include <QDir>

namespace lexotrace
{

LessonCoreDataAppDelegate::LessonCoreDataAppDelegate(OpenStore& store,
                                                     platform::UserDefaults& defaults,
                                                     platform::AlertPresenter& alerts,
                                                     model::PreferencesController& preferences,
                                                     ConvertToCoreDataHelper& converter)
    : DataSource(store, defaults, alerts, preferences), m_converter(converter),
      m_sourcePath(QDir(platform::paths::resourceDirectory())
                       .filePath(QStringLiteral("Lessons_Initiation_Data.xml")))
{
    qCDebug(lcStore).noquote() << "lessonsXMLSourcePath:" << m_sourcePath;
    m_converter.setContextSource([this] { return lessonsDBase(); });
}

QString LessonCoreDataAppDelegate::bookmarkPathKey() const
{
    return model::defaults::LessonsBookmark;
}

platform::StoreCoordinator* LessonCoreDataAppDelegate::lessonsManager()
{
    // Always the computed path: the lessons store does not follow a user default.
    return coordinatorForPath(m_preferences.defaultPathToSpellLessonsData());
}

platform::ObjectContext* LessonCoreDataAppDelegate::lessonsDBase()
{
    lessonsManager();
    return context();
}

void LessonCoreDataAppDelegate::wake()
{
    platform::ObjectContext* context = lessonsDBase();
    wakeStore(context, model::entity::Levels, tr("lessons"));
}

bool LessonCoreDataAppDelegate::saveContext()
{
    return saveStoreContext();
}

bool LessonCoreDataAppDelegate::deleteAllData()
{
    return deleteAllObjects(model::entity::Levels);
}

bool LessonCoreDataAppDelegate::writeLessonsCoreDataFromXML()
{
    return saveLoaded(m_converter.createLessonCoreDataFromXMLfile(m_sourcePath));
}

bool LessonCoreDataAppDelegate::importLessonsFromXMLdata()
{
    qCDebug(lcStore).noquote() << QStringLiteral("lessonsXMLSourcePath: %1").arg(m_sourcePath);
    return m_converter.createLessonCoreDataFromXMLfile(m_sourcePath);
}

bool LessonCoreDataAppDelegate::createLessonsXMLfileForExportWithFilePath(const QString& path)
{
    return m_converter.parseLessonsCoreDataToReadableXMLFilePath(path);
}

bool LessonCoreDataAppDelegate::createBookMarkForCoreDataHomeForUrl(const QString& path)
{
    return createBookmark(path, model::defaults::LessonsBookmark, false);
}

void LessonCoreDataAppDelegate::runFirstRunLoad()
{
    m_alerts.beginSheet(
        {tr("Alert"),
         tr("A file containing the spelling Lessons data is missing from your application "
            "resource directory. An original one will be placed there. If you have modified and "
            "exported a Lessons data file, you may wish to replace this install so that your "
            "ammended file is employed."),
         {tr("OK")}},
        sheetWindow(), [this](int) {
            // A curriculum that could not be saved is kept in this process rather than lost.
            if (!writeLessonsCoreDataFromXML())
                return;
            // The rules' first-run message may still be waiting on the same window: let it finish
            // before this copy quits.
            m_alerts.afterSheets(sheetWindow(), [this] { emit relaunchRequested(); });
        });
}

} // namespace lexotrace
