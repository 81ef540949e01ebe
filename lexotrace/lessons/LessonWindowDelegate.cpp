#include "lexotrace/lessons/LessonWindowDelegate.h"

#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/LocalNotifications.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/NotificationCenter.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/store/SortDescriptor.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/Printing.h"

#include <QLoggingCategory>
#include <QPrinter>
#include <QTimer>

#include <algorithm>

namespace lexotrace
{

namespace
{

Q_LOGGING_CATEGORY(lcLessonsWindow, "lexotrace.lessons.window")

constexpr qlonglong kPositionLimit = 10000;

// A position given as text or as a number; anything else counts as 0.
qlonglong position(const QVariant& value)
{
    return value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong()
                                                : value.toLongLong();
}

QList<platform::ManagedObject*> sortedBy(QList<platform::ManagedObject*> objects,
                                         const QString& key)
{
    std::stable_sort(objects.begin(), objects.end(),
                     [&key](auto* a, auto* b) { return a->string(key) < b->string(key); });
    return objects;
}

} // namespace

LessonWindowDelegate::LessonWindowDelegate(Lists lists, LessonCoreDataAppDelegate& lessons,
                                           platform::UserDefaults& defaults,
                                           platform::AlertPresenter& alerts,
                                           platform::NotificationCenter& notifications,
                                           QWidget* window)
    : m_lists(lists), m_lessons(lessons), m_defaults(defaults), m_alerts(alerts),
      m_notifications(notifications), m_window(window)
{
    m_notifications.addObserver(notification::PopUpLessonIndex, this,
                                [this](QObject*, const QVariantMap& userInfo) {
                                    handlePopUpLessonIndexNotification(userInfo);
                                });
    m_notifications.addObserver(notification::ApplicationWillClose, this,
                                [this](QObject*, const QVariantMap&) { recordLastOpenedLesson(); });
}

LessonWindowDelegate::~LessonWindowDelegate() = default;

bool LessonWindowDelegate::changesWereMade() const
{
    const platform::ObjectContext* context = m_lessons.lessonsDBase();
    return context && context->hasChanges();
}

void LessonWindowDelegate::saveLessonData()
{
    // Text still being typed belongs to what is saved.
    if (m_window && m_window->focusWidget())
        m_window->focusWidget()->clearFocus();
    QPointer<LessonWindowDelegate> self(this);
    m_alerts.beginSheet(
        {tr("Over write?"),
         tr("Your current changes will be preserved."),
         {tr("OK"), tr("Cancel")}},
        m_window, [self](int button) {
            if (!self)
                return;
            if (button != 0) {
                qCInfo(lcLessonsWindow) << "User cancels";
                return;
            }
            if (!self->m_lessons.saveContext())
                return; // the store has told the user
            const QString backup = self->m_lessons.lessonsXMLSourcePath();
            if (!self->m_lessons.createLessonsXMLfileForExportWithFilePath(backup))
                self->m_alerts.beginSheet(
                    {tr("The lessons were saved, but their XML copy could not be written."),
                     backup,
                     {tr("OK")}},
                    self->m_window, {});
            qCInfo(lcLessonsWindow) << "Success";
        });
}

void LessonWindowDelegate::revertAction()
{
    qCInfo(lcLessonsWindow) << "revertAction";
    if (platform::ObjectContext* context = m_lessons.lessonsDBase())
        context->rollback();
}

void LessonWindowDelegate::undo()
{
    if (platform::UndoManager* undo = m_lessons.undoManager())
        undo->undo();
}

void LessonWindowDelegate::redo()
{
    if (platform::UndoManager* undo = m_lessons.undoManager())
        undo->redo();
}

bool LessonWindowDelegate::windowShouldClose()
{
    recordLastOpenedLesson();
    if (!changesWereMade())
        return true;
    const int answer = m_alerts.runModal(
        {tr("Overwrite before closing?"), tr("Over write?"), {tr("OK"), tr("Cancel")}});
    if (answer == 0) {
        m_lessons.saveContext();
        qCInfo(lcLessonsWindow) << "[lessonsDBase reset]";
    } else if (platform::ObjectContext* context = m_lessons.lessonsDBase()) {
        context->rollback();
    }
    return true;
}

void LessonWindowDelegate::recordLastOpenedLesson()
{
    const qsizetype level = m_lists.levels.selectionIndex();
    const qsizetype unit = m_lists.units.selectionIndex();
    if (level < 0 || unit < 0)
        return;
    m_defaults.setObject(QString::number(level), model::defaults::LastLessonLevel);
    m_defaults.setObject(QString::number(unit), model::defaults::LastLessonUnit);
}

void LessonWindowDelegate::handlePopUpLessonIndexNotification(const QVariantMap& userInfo)
{
    // The lists load their content first.
    QTimer::singleShot(0, this, [this, userInfo] { showLesson(userInfo); });
}

void LessonWindowDelegate::showLesson(const QVariantMap& userInfo)
{
    const qlonglong level = position(userInfo.value(QStringLiteral("LevelIndex")));
    const qlonglong unit = position(userInfo.value(QStringLiteral("UnitIndex")));
    if (level < 0 || unit < 0 || level >= kPositionLimit || unit >= kPositionLimit)
        return;
    // A lesson that does not exist leaves the window where it was, level and all.
    const auto& levels = m_lists.levels.arrangedObjects();
    if (level >= levels.size() || unit >= levels[level]->toMany(model::key::units).size())
        return;
    if (!m_lists.levels.setSelectionIndex(level))
        return;
    m_lists.units.setSelectionIndex(unit);
    selectInsertedWord(userInfo.value(model::key::cSpell).toString());
}

void LessonWindowDelegate::selectInsertedWord(const QString& word)
{
    const platform::ManagedObject* unit = m_lists.units.lastSelectedObject();
    if (!unit || word.isEmpty())
        return;
    qsizetype foundSection = -1;
    qsizetype foundRow = -1;
    const auto sections = sortedBy(unit->toMany(model::key::sections), model::key::sectionNumber);
    for (qsizetype s = 0; s < sections.size(); ++s) {
        const auto rows =
            sortedBy(sections[s]->toMany(model::key::relatedWords), model::key::word(1));
        for (qsizetype r = 0; r < rows.size(); ++r)
            for (int slot = 1; slot <= model::kWordSlots; ++slot)
                if (rows[r]->string(model::key::word(slot)) == word) {
                    // The last match in display order wins.
                    foundSection = s;
                    foundRow = r;
                    break;
                }
    }
    if (foundSection < 0)
        return;
    m_lists.sections.setSelectionIndex(foundSection);
    m_lists.words.setSelectionIndex(foundRow);
    emit selectedRowShouldBeVisible();
}

bool LessonWindowDelegate::validateUserInterfaceItem(Action action) const
{
    switch (action) {
    case Action::AddLevel:
    case Action::InsertUnit:
    case Action::InsertSection:
    case Action::InsertRelatedWords:
        return m_windowIsKey;
    case Action::RemoveLevel:
    case Action::RemoveUnit:
    case Action::RemoveSection:
    case Action::RemoveRelatedWords:
    case Action::Save:
    case Action::Revert:
        return changesWereMade();
    case Action::Other:
        break;
    }
    return true;
}

QString LessonWindowDelegate::printText() const
{
    const platform::ManagedObject* level = m_lists.levels.lastSelectedObject();
    const platform::ManagedObject* unit = m_lists.units.lastSelectedObject();
    return QStringLiteral("L-%1 U-%2\n\n\n")
               .arg(level ? level->string(model::key::levelNumber) : QString(),
                    unit ? unit->string(model::key::unitNumber) : QString()) +
           (unit ? lessonPasteboard::deepCopyString(*unit) : QString());
}

bool LessonWindowDelegate::printToPrinter(QPrinter& printer) const
{
    const platform::TextPageSetup setup = platform::TextPageSetup::document();
    QString error;
    if (platform::printPlainText(printer, printText(), setup, &error))
        return true;
    qCWarning(lcLessonsWindow) << "Unable to print the lesson:" << error;
    return false;
}

} // namespace lexotrace
