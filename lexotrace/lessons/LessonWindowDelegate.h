#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class QPrinter;

namespace platform
{
class AlertPresenter;
class NotificationCenter;
class UserDefaults;
} // namespace platform

namespace lexotrace
{

class LessonCoreDataAppDelegate;
class LevelsArrayController;
class RelatedWordsArrayController;
class SectionsArrayController;
class UnitsArrayController;

// What the lessons window does beyond its lists: save, revert, undo and redo, the question when
// it closes with changes, the last opened lesson, showing a lesson other windows ask for, which
// commands are enabled, and printing the selected unit.
class LessonWindowDelegate : public QObject
{
    Q_OBJECT
public:
    // The commands whose enabled state the delegate decides.
    enum class Action {
        AddLevel,
        InsertUnit,
        InsertSection,
        InsertRelatedWords,
        RemoveLevel,
        RemoveUnit,
        RemoveSection,
        RemoveRelatedWords,
        Save,
        Revert,
        Other
    };

    struct Lists {
        LevelsArrayController& levels;
        UnitsArrayController& units;
        SectionsArrayController& sections;
        RelatedWordsArrayController& words;
    };

    LessonWindowDelegate(Lists lists, LessonCoreDataAppDelegate& lessons,
                         platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
                         platform::NotificationCenter& notifications, QWidget* window);
    ~LessonWindowDelegate() override;

    // Asks in a sheet, then saves the store and its XML copy at the lessons source path.
    void saveLessonData();
    void revertAction();
    void undo();
    void redo();
    bool changesWereMade() const;
    // Remembers the lesson and settles unsaved changes; the window always closes.
    bool windowShouldClose();
    void recordLastOpenedLesson();

    // Shows the level and unit positions of the request on the next turn of the event loop, and
    // selects its word. A request with a negative or too large position is ignored.
    void handlePopUpLessonIndexNotification(const QVariantMap& userInfo);
    void showLesson(const QVariantMap& userInfo);
    // Selects the last row of the selected unit, in display order, that holds the word.
    void selectInsertedWord(const QString& word);

    void setWindowIsKey(bool key) { m_windowIsKey = key; }
    bool validateUserInterfaceItem(Action action) const;

    // "L-<level> U-<unit>", two empty lines, then the selected unit's text.
    QString printText() const;
    bool printToPrinter(QPrinter& printer) const;

signals:
    // The selected row should be scrolled into view.
    void selectedRowShouldBeVisible();

private:
    Lists m_lists;
    LessonCoreDataAppDelegate& m_lessons;
    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    platform::NotificationCenter& m_notifications;
    QPointer<QWidget> m_window;
    bool m_windowIsKey = false;
};

} // namespace lexotrace
