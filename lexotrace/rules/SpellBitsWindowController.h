#pragma once

#include "platform/store/SortDescriptor.h"
#include "platform/ui/WindowController.h"

#include <QPointer>

#include <memory>

class QLineEdit;
class QMenu;
class QPushButton;

namespace platform
{
class NotificationCenter;
class ObjectContext;
} // namespace platform

namespace lexotrace
{

class BitsRelatedWordsArrayController;
class LessonCoreDataAppDelegate;
class SpellBitsTableView;

// The word-bits dictionary: every row of related words of the curriculum with its bits, sorted by
// first word, to look a word up, copy rows as text and open the lesson that holds a row. It only
// reads the lessons.
class SpellBitsWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    // `lessons` is the lessons store manager; without it (or its context) the window stays empty.
    SpellBitsWindowController(platform::NotificationCenter& notifications,
                              LessonCoreDataAppDelegate* lessons);
    ~SpellBitsWindowController() override;

    // The first show adds the Edit menu, before the application's Window menu when there is one.
    void showWindow() override;

    // Asks the lessons window for the lesson of the last selected row and its first word; then
    // the table works on many rows again.
    void postLessonSelection();
    // A row activated: after Control alone, asks for its lesson on the next event-loop turn;
    // otherwise nothing.
    void postLessonSelectionWithControlKey();
    // "Open Lesson": the lessons window is brought forward, then, on the next event-loop turn
    // once it has settled, asked for the selected row's lesson.
    void showLessonForSelectedRow();
    // Copy: the selected rows, in display order, as text on the clipboard (empty text when none
    // is selected).
    void deriveBitCopyContent();
    QString bitCopyText() const;
    // Selects and shows the row `BitsRelatedWordsArrayController::indexOfWordBeginningWith`
    // finds; false, with the selection left alone, when there is none.
    bool lookUpWord(const QString& text);

    // By first word, ascending, case ignored.
    static QList<platform::SortDescriptor> bitWordsSortDescriptor();

    // The window's parts; null when there are no lessons.
    SpellBitsTableView* spellBitsTableView() const { return m_table; }
    BitsRelatedWordsArrayController* relatedWordsArrayController() const { return m_words.get(); }
    QLineEdit* lookUpField() const { return m_lookUp; }
    QPushButton* openLessonButton() const { return m_openLesson; }

signals:
    // The lessons window should come forward: a lesson request follows.
    void lessonsWindowRequested();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void buildContent(platform::ObjectContext* lessons);
    void buildEditMenu();
    void schedulePostLessonSelection();

    QPointer<platform::NotificationCenter> m_notifications;
    std::unique_ptr<BitsRelatedWordsArrayController> m_words;
    SpellBitsTableView* m_table = nullptr; // the widgets are owned by the window
    QLineEdit* m_lookUp = nullptr;
    QPushButton* m_openLesson = nullptr;
    QMenu* m_editMenu = nullptr;
    bool m_postPending = false;
};

} // namespace lexotrace
