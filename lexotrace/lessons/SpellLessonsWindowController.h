#pragma once

#include "lexotrace/lessons/LessonsTableView.h"
#include "lexotrace/xml/XmlExchange.h"
#include "platform/ui/WindowController.h"

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace platform
{
class AlertPresenter;
class ArrayController;
class FilePanels;
class NotificationCenter;
class UserDefaults;
} // namespace platform

namespace lexotrace
{

class EditWindowController;
class GeneralRuleTextView;
class LessonCoreDataAppDelegate;
class LessonWindowDelegate;
class LevelsArrayController;
class RelatedWordsArrayController;
class SectionsArrayController;
class UnitsArrayController;

// What the lessons window works with, lent by the application for the window's life.
struct LessonsWindowServices {
    platform::UserDefaults& defaults;
    platform::AlertPresenter& alerts;
    platform::FilePanels& panels;
    platform::NotificationCenter& notifications;
    // The lessons store manager; without it the window stays empty.
    LessonCoreDataAppDelegate* lessons = nullptr;
};

// The lessons window: the level and unit choosers, the unit's rule and rule code, the tables of
// units, sections and rows, the commands that edit them, and the curriculum's export and import.
class SpellLessonsWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    static inline const QString kBookmarkKey = QStringLiteral("bookmarkForLessons");

    explicit SpellLessonsWindowController(LessonsWindowServices services);
    ~SpellLessonsWindowController() override;

    // Once the window has its menus: the Edit and Lesson menus, and the last opened lesson.
    void wake();
    // Asks for the lesson that was open when the window last closed.
    void showLastOpenedLesson();
    QList<QAction*> fileMenuActions() const override;

    // Writes the whole curriculum to a file the user names, and remembers the file.
    void exportXML();
    bool createExportBookmarkForURL(const QString& path);
    // Asks first; then reads the remembered file in place of the curriculum, unsaved.
    void importXML();
    // Reads the remembered file now. A file that holds no levels leaves the curriculum as it was
    // and is reported.
    void retrieveBookmarkAndWriteLessonData();

    // The window's parts; null when there is no lessons store.
    LessonWindowDelegate* lessonWindowDelegate() const { return m_delegate.get(); }
    LevelsArrayController* levelsArrayController() const { return m_levels.get(); }
    UnitsArrayController* unitsArrayController() const { return m_units.get(); }
    SectionsArrayController* sectionsArrayController() const { return m_sections.get(); }
    RelatedWordsArrayController* relatedWordsArrayController() const { return m_words.get(); }
    QComboBox* levelPopUpButton() const { return m_levelChooser; }
    QComboBox* unitPopUpButton() const { return m_unitChooser; }
    GeneralRuleTextView* generalRuleTextView() const { return m_ruleView; }
    LessonsTableView* tableWithTag(LessonTableTag tag) const;
    EditWindowController* editWindowController() const { return m_edit.get(); }

private:
    void buildContent();
    void buildMenus();
    void updateValidatedControls();
    void windowShouldClose() override;
    void windowDidChangeKey(bool key) override;
    void importLessonsFrom(const QString& path);
    void printDocument();
    // The tag of the part that has the keyboard focus: a table's, or the units' for the rule.
    std::optional<LessonTableTag> focusedTag() const;

    LessonsWindowServices m_services;
    XmlExchange m_exchange;
    std::unique_ptr<LevelsArrayController> m_levels;
    std::unique_ptr<UnitsArrayController> m_units;
    std::unique_ptr<SectionsArrayController> m_sections;
    std::unique_ptr<RelatedWordsArrayController> m_words;
    std::unique_ptr<LessonWindowDelegate> m_delegate;
    std::unique_ptr<EditWindowController> m_edit;
    QComboBox* m_levelChooser = nullptr; // the widgets are owned by the window
    QComboBox* m_unitChooser = nullptr;
    QLineEdit* m_codeField = nullptr;
    GeneralRuleTextView* m_ruleView = nullptr;
    QList<LessonsTableView*> m_tables;
    QList<std::function<void()>> m_validators; // each enables one control or command
    QList<QAction*> m_fileActions;
    bool m_woken = false;
};

} // namespace lexotrace
