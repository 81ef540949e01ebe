#pragma once

#include "lexotrace/store/DataSource.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"

namespace lexotrace
{

// Owns the lessons store: opens it at the computed path, publishes its context, fills an empty
// store from the factory curriculum (then relaunches), saves, and empties it before an import.
class LessonCoreDataAppDelegate : public DataSource
{
    Q_OBJECT
public:
    LessonCoreDataAppDelegate(OpenStore& store, platform::UserDefaults& defaults,
                              platform::AlertPresenter& alerts,
                              model::PreferencesController& preferences,
                              ConvertToCoreDataHelper& converter);

    // Opens the store, keeps its context for quitting, and schedules the first-run load when
    // the store is empty.
    void wake();

    platform::ObjectModelPtr lessonsModel() { return model(); }
    platform::StoreCoordinator* lessonsManager();
    platform::ObjectContext* lessonsDBase();

    bool saveContext();
    bool deleteAllData();
    // First-run load: the factory file into the store, saved. False when the loaded curriculum
    // could not be saved (it then stays in the context).
    bool writeLessonsCoreDataFromXML();
    bool importLessonsFromXMLdata();
    bool createLessonsXMLfileForExportWithFilePath(const QString& path);
    bool createBookMarkForCoreDataHomeForUrl(const QString& path);
    void runFirstRunLoad() override;

    const QString& lessonsXMLSourcePath() const { return m_sourcePath; }
    void setLessonsXMLSourcePath(const QString& path) { m_sourcePath = path; }
    ConvertToCoreDataHelper& convertToCoreDataHelper() const { return m_converter; }

signals:
    // The first-run load is saved and its messages are dismissed: a fresh copy of the program
    // should take over.
    void relaunchRequested();

private:
    QString bookmarkPathKey() const override;

    ConvertToCoreDataHelper& m_converter;
    QString m_sourcePath;
};

} // namespace lexotrace
