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
    LessonCoreDataAppDelegate(LXMainAppController& app, model::PreferencesController& preferences,
                              ConvertToCoreDataHelper& converter);

    void awakeFromNib();

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
    void doThis() override;

    const QString& lessonsXMLSourcePath() const { return m_sourcePath; }
    void setLessonsXMLSourcePath(const QString& path) { m_sourcePath = path; }
    ConvertToCoreDataHelper& convertToCoreDataHelper() const { return m_converter; }

private:
    void coordinatorBuilt(platform::StoreCoordinator* coordinator) override;
    QString bookmarkPathKey() const override;

    ConvertToCoreDataHelper& m_converter;
    QString m_sourcePath;
};

} // namespace lexotrace
