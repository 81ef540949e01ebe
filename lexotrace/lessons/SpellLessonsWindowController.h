#pragma once

#include "lexotrace/xml/XmlExchange.h"
#include "platform/ui/WindowController.h"

namespace platform
{
class AlertPresenter;
class FilePanels;
class UserDefaults;
} // namespace platform

namespace lexotrace
{

class LessonCoreDataAppDelegate;

// What the lessons window works with, lent by the application for the window's life.
struct LessonsWindowServices {
    platform::UserDefaults& defaults;
    platform::AlertPresenter& alerts;
    platform::FilePanels& panels;
    // The lessons store manager; none means the window cannot export or import.
    LessonCoreDataAppDelegate* lessons = nullptr;
};

// The lessons window: browsing and editing the curriculum, and its export and import.
class SpellLessonsWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    static inline const QString kBookmarkKey = QStringLiteral("bookmarkForLessons");

    explicit SpellLessonsWindowController(LessonsWindowServices services);

    // Writes the whole curriculum to a file the user names, and remembers the file.
    void exportXML();
    bool createExportBookmarkForURL(const QString& path);
    // Asks first; then reads the remembered file in place of the curriculum, unsaved.
    void importXML();
    // Reads the remembered file now. A file that holds no levels leaves the curriculum as it was
    // and is reported.
    void retrieveBookmarkAndWriteLessonData();

private:
    void importLessonsFrom(const QString& path);

    LessonsWindowServices m_services;
    XmlExchange m_exchange;
};

} // namespace lexotrace
