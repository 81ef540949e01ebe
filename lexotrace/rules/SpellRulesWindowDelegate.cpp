#include "lexotrace/rules/SpellRulesWindowDelegate.h"

#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "lexotrace/rules/RulesArrayController.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "lexotrace/store/LocalNotifications.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"
#include "model/NumberText.h"
#include "model/OrthovaModel.h"
#include "platform/NotificationCenter.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/Printing.h"

#include <QComboBox>
#include <QLoggingCategory>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace lexotrace
{

namespace
{

Q_LOGGING_CATEGORY(lcRulesWindow, "lexotrace.rules.window")

namespace key = model::key;

} // namespace

SpellRulesWindowDelegate::SpellRulesWindowDelegate(SpellRulesWindowController& controller,
                                                   RulesArrayController& rules,
                                                   SpellRuleCoreDataAppDelegate& store,
                                                   platform::AlertPresenter& alerts,
                                                   platform::NotificationCenter& notifications,
                                                   QWidget* window)
    : m_controller(controller), m_rules(rules), m_store(store), m_alerts(alerts),
      m_notifications(notifications), m_window(window)
{
}

void SpellRulesWindowDelegate::revertAction()
{
    qCInfo(lcRulesWindow) << "revertAction";
    if (platform::ObjectContext* context = m_store.rulesDBase())
        context->rollback();
}

bool SpellRulesWindowDelegate::saveAction()
{
    // Text still being typed in a cell belongs to what is saved.
    if (m_window && m_window->focusWidget())
        m_window->focusWidget()->clearFocus();
    const bool saved = m_store.saveContext();
    qCInfo(lcRulesWindow) << (saved ? "Save success" : "Save failure");
    return saved;
}

void SpellRulesWindowDelegate::undo()
{
    if (platform::UndoManager* manager = windowWillReturnUndoManager())
        manager->undo();
}

void SpellRulesWindowDelegate::redo()
{
    if (platform::UndoManager* manager = windowWillReturnUndoManager())
        manager->redo();
}

platform::UndoManager* SpellRulesWindowDelegate::windowWillReturnUndoManager() const
{
    return m_store.undoManager();
}

bool SpellRulesWindowDelegate::changesWereMade() const
{
    const platform::ObjectContext* context = m_store.rulesDBase();
    return context && context->hasChanges();
}

void SpellRulesWindowDelegate::windowShouldClose()
{
    if (!changesWereMade())
        return;
    const int answer = m_alerts.runModal(
        {tr("Over write?"),
         tr("Requesting user's permission to destroy old data by saving the new data."),
         {tr("OK"), tr("Cancel")}});
    if (answer == 0) {
        qCInfo(lcRulesWindow) << "Saving the rules before closing";
        m_store.saveContext();
    } else if (platform::ObjectContext* context = m_store.rulesDBase()) {
        context->rollback();
    }
}

bool SpellRulesWindowDelegate::validateUserInterfaceItem(Action action) const
{
    switch (action) {
    case Action::Revert:
    case Action::Save:
    case Action::Undo:
    case Action::Redo:
        return changesWereMade();
    case Action::Remove:
        return !m_rules.arrangedObjects().isEmpty();
    case Action::EditRules:
        return m_windowIsKey;
    case Action::Other:
        break;
    }
    return true;
}

QString SpellRulesWindowDelegate::printText()
{
    QString text;
    QStringList lessons;
    for (const platform::ManagedObject* rule : m_rules.arrangedObjects()) {
        lessons = SpellRulesWindowController::lessonReferences(*rule);
        text += QStringLiteral("%1   %2   %3\n")
                    .arg(rule->string(key::ruleCode), rule->string(key::rule),
                         lessons.join(QStringLiteral(", ")));
    }
    if (!m_rules.arrangedObjects().isEmpty())
        m_controller.getReferencesFromRowIndex(
            m_rules.arrangedObjects().last()->string(key::ruleCode));
    return text;
}

bool SpellRulesWindowDelegate::printToDevice(QPagedPaintDevice& device)
{
    const platform::TextPageSetup setup = platform::TextPageSetup::document();
    QString error;
    if (platform::printPlainText(device, printText(), setup, &error))
        return true;
    qCWarning(lcRulesWindow) << "Unable to print the rules:" << error;
    m_alerts.beginSheet(
        platform::AlertPresenter::alertWithError(tr("The rules could not be printed."), error),
        m_window, {});
    return false;
}

void SpellRulesWindowDelegate::tableViewRowsSelected()
{
    if (const platform::ManagedObject* rule = m_rules.lastSelectedObject())
        m_controller.getReferencesFromRowIndex(rule->string(key::ruleCode));
}

void SpellRulesWindowDelegate::popUpMenuItemsResponder()
{
    const QComboBox* popUp = m_controller.popUpButton();
    const QString title = popUp ? popUp->currentText() : QString();
    QString level = QStringLiteral("0");
    QString unit = QStringLiteral("0");
    if (title != SpellRulesWindowController::kEmptyItem) {
        // "2-14" asks for the second level's fourteenth unit, by position. An item without a
        // level gives a position the lessons window does not have, so it leads nowhere.
        const QStringList parts = title.split(u'-');
        level = QString::number(qint64(model::intValue(parts.value(0))) - 1);
        unit = QString::number(qint64(model::intValue(parts.value(1))) - 1);
    }
    const QVariantMap userInfo{{QStringLiteral("LevelIndex"), level},
                               {QStringLiteral("UnitIndex"), unit}};
    qCInfo(lcRulesWindow) << "lesson request:" << userInfo;
    m_notifications.post(notification::PopUpLessonIndex, this, userInfo);
}

void SpellRulesWindowDelegate::selectPopUpMenuItems()
{
    popUpMenuItemsResponder();
    emit m_controller.lessonsWindowRequested();
    QTimer::singleShot(0, this, &SpellRulesWindowDelegate::popUpMenuItemsResponder);
}

void SpellRulesWindowDelegate::performDragOperation(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        m_controller.importDroppedFile(urls.first().toLocalFile());
}

bool SpellRulesWindowDelegate::writeRulesToPasteboard(QMimeData& data) const
{
    const platform::ManagedObject* rule = m_rules.lastSelectedObject();
    if (!rule)
        return false;
    QVariantMap dictionary;
    for (const QString& k : {key::ruleCode, key::rule, key::reference})
        dictionary.insert(k, rule->value(k));
    qCInfo(lcRulesWindow) << "ruleDataDictionary:" << dictionary;
    const auto archive = platform::keyedArchive::archive(dictionary);
    if (!archive)
        return false;
    platform::pasteboard::setSingleType(data, GeneralRuleTextView::kRuleDragType, *archive);
    return true;
}

} // namespace lexotrace
