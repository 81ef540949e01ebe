#include "lexotrace/rules/SpellRulesWindowController.h"

#include "lexotrace/rules/RulesArrayController.h"
#include "lexotrace/rules/SpellRulesTableView.h"
#include "lexotrace/rules/SpellRulesWindowDelegate.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"
#include "model/OrthovaModel.h"
#include "platform/ArrayControllerModel.h"
#include "platform/Pasteboard.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/TableColumns.h"
#include "platform/ui/TableSelection.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexotrace
{

namespace
{

Q_LOGGING_CATEGORY(lcRulesController, "lexotrace.rules.controller")

namespace key = model::key;
using Action = SpellRulesWindowDelegate::Action;

} // namespace

SpellRulesWindowController::SpellRulesWindowController(RulesWindowServices services)
    : WindowController(QStringLiteral("SpellRuleController"), tr("Spelling Rules")),
      m_services(services),
      m_exchange({{tr("Orthova rules"), tr("Exporting rules..."), QStringLiteral("xml")},
                  kBookmarkKey,
                  tr("Your import file will over-write your current Rules data. Are you sure you "
                     "wish to proceed?"),
                  {},
                  tr("No rules file has been exported yet: export the rules once, edit that "
                     "file, then import it."),
                  tr("The file “%1” holds no rules."),
                  tr("The rules are left as they were.")},
                 services.defaults, services.alerts, services.panels, this)
{
    qCDebug(lcRulesController) << "rules window loaded";
    m_exchange.setWindow(window());
    if (m_services.rules && m_services.rules->rulesDBase())
        buildContent();
}

SpellRulesWindowController::~SpellRulesWindowController()
{
    // The views refer to the list: they go first.
    delete window()->takeCentralWidget();
}

void SpellRulesWindowController::buildContent()
{
    m_rules = std::make_unique<RulesArrayController>(m_services.rules->rulesDBase());
    m_delegate = std::make_unique<SpellRulesWindowDelegate>(
        *this, *m_rules, *m_services.rules, m_services.alerts, m_services.notifications, window());

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    m_table = new SpellRulesTableView(content);
    m_table->setModel(new platform::ArrayControllerModel(m_rules.get(),
                                                         {{key::ruleCode, tr("Code"), true},
                                                          {key::rule, tr("Rule"), true},
                                                          {key::reference, tr("Lessons"), true}},
                                                         m_table));
    platform::setColumnWidthFittingTitle(*m_table->horizontalHeader(), 0, 60);
    platform::setColumnWidthFittingTitle(*m_table->horizontalHeader(), 1, 560);
    platform::bindTableSelection(m_table, m_rules.get());
    m_table->setDragWriter(
        [this](QMimeData& data) { return m_delegate->writeRulesToPasteboard(data); });
    connect(m_table, &SpellRulesTableView::copyRequested, this,
            &SpellRulesWindowController::deriveRulesCopyContent);
    connect(m_table, &SpellRulesTableView::deleteRequested, this, [this] { m_rules->remove(); });
    connect(m_rules.get(), &platform::ArrayController::selectionChanged, m_delegate.get(),
            &SpellRulesWindowDelegate::tableViewRowsSelected);
    layout->addWidget(m_table, 1);

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("Lessons of the rule"), content);
    row->addWidget(label);
    m_popUp = new QComboBox(content);
    m_popUp->setAccessibleName(tr("Lessons of the rule"));
    label->setBuddy(m_popUp); // the desktop names a chooser by its label
    m_popUp->setMinimumContentsLength(8);
    m_popUp->addItem(kEmptyItem);
    connect(m_popUp, &QComboBox::activated, m_delegate.get(),
            &SpellRulesWindowDelegate::selectPopUpMenuItems);
    row->addWidget(m_popUp);
    row->addStretch();
    auto addButton = [&](const QString& text, Action action, auto&& slot) {
        auto* button = new QPushButton(text, content);
        button->setAccessibleName(text);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
        m_validators.append([this, button, action] {
            button->setEnabled(m_delegate->validateUserInterfaceItem(action));
        });
    };
    addButton(tr("Add rule"), Action::Other, [this] { m_rules->add(); });
    addButton(tr("Delete rule"), Action::Remove, [this] { m_rules->remove(); });
    addButton(tr("Revert"), Action::Revert, [this] { m_delegate->revertAction(); });
    addButton(tr("Save"), Action::Save, [this] { m_delegate->saveAction(); });
    layout->addLayout(row);
    window()->setCentralWidget(content);
    window()->resize(900, 560);

    connect(m_services.rules->rulesDBase(), &platform::ObjectContext::objectsDidChange, this,
            &SpellRulesWindowController::updateValidatedControls);
    connect(m_rules.get(), &platform::ArrayController::arrangedObjectsChanged, this,
            &SpellRulesWindowController::updateValidatedControls);
    for (const auto& [text, slot] :
         {std::pair<QString, void (SpellRulesWindowController::*)()>{
              tr("Export Rules…"), &SpellRulesWindowController::exportXML},
          {tr("Import Rules…"), &SpellRulesWindowController::importXML},
          {tr("Print Rules…"), &SpellRulesWindowController::printDocument}}) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        m_fileActions.append(action);
    }
    window()->setAcceptDrops(true);
    selectFirstItemOfLessonDropDownMenu();
    updateValidatedControls();
}

void SpellRulesWindowController::wake()
{
    if (m_woken || !m_delegate)
        return;
    m_woken = true;
    QMenu* edit = addMenuBeforeWindowMenu(tr("&Edit"));
    auto addCommand = [&](const QString& text, QKeySequence keys, Action action, auto&& slot) {
        QAction* item = edit->addAction(text, this, slot);
        item->setShortcut(keys);
        item->setShortcutContext(Qt::WindowShortcut);
        m_validators.append([this, item, action] {
            item->setEnabled(m_delegate->validateUserInterfaceItem(action));
        });
    };
    addCommand(tr("Undo"), QKeySequence::Undo, Action::Undo, [this] { m_delegate->undo(); });
    addCommand(tr("Redo"), QKeySequence::Redo, Action::Redo, [this] { m_delegate->redo(); });
    edit->addSeparator();
    addCommand(tr("Copy"), {}, Action::Other, [this] { deriveRulesCopyContent(); });
    addCommand(tr("Add rule"), {}, Action::Other, [this] { m_rules->add(); });
    addCommand(tr("Delete rule"), {}, Action::Remove, [this] { m_rules->remove(); });
    edit->addSeparator();
    addCommand(tr("Save"), QKeySequence::Save, Action::Save, [this] { m_delegate->saveAction(); });
    addCommand(tr("Revert"), {}, Action::Revert, [this] { m_delegate->revertAction(); });
    updateValidatedControls();
}

QList<QAction*> SpellRulesWindowController::fileMenuActions() const
{
    return m_fileActions;
}

QStringList SpellRulesWindowController::parseAndOrderCodeArray(const QStringList& entries)
{
    QStringList items;
    QString level;
    for (const QString& entry : entries) {
        const QStringList parts = entry.split(QStringLiteral("-U"));
        QString unit;
        if (parts.size() >= 2) {
            level = parts[0];
            unit = parts[1];
        } else {
            unit = parts[0].split(u'U').last();
        }
        items.append(QStringLiteral("%1-%2").arg(level, unit));
    }
    return items;
}

QStringList SpellRulesWindowController::lessonReferences(const platform::ManagedObject& rule)
{
    const QString reference = rule.string(key::reference);
    if (reference.trimmed().isEmpty())
        return {};
    return parseAndOrderCodeArray(reference.split(QStringLiteral(", ")));
}

QStringList SpellRulesWindowController::getReferencesFromRowIndex(const QString& ruleCode)
{
    platform::ObjectContext* rules = m_services.rules ? m_services.rules->rulesDBase() : nullptr;
    if (!rules)
        return {};
    platform::StoreError error;
    const auto found = rules->fetch(
        platform::FetchRequest{
            model::entity::Rule, platform::Predicate::equals(key::ruleCode, ruleCode), {}, 0},
        &error);
    if (!found) {
        m_services.alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return {};
    }
    if (found->isEmpty())
        return {};
    const QStringList items = lessonReferences(*found->last());
    showReferences(items);
    return items;
}

void SpellRulesWindowController::showReferences(const QStringList& items)
{
    if (!m_popUp)
        return;
    const QSignalBlocker quiet(m_popUp);
    m_popUp->clear();
    // A rule that names no lesson shows the empty item, not the lessons of the rule before.
    m_popUp->addItems(items.isEmpty() ? QStringList{kEmptyItem} : items);
}

void SpellRulesWindowController::selectFirstItemOfLessonDropDownMenu()
{
    getReferencesFromRowIndex(QStringLiteral("1"));
}

QString SpellRulesWindowController::deriveRulesCopyContent()
{
    QString text;
    text.reserve(1000);
    if (!m_rules)
        return text;
    const QList<platform::ManagedObject*> selected = m_rules->selectedObjects();
    for (const platform::ManagedObject* rule : selected)
        text += QStringLiteral("%1.  %2     Lessons: %3\n")
                    .arg(rule->string(key::ruleCode), rule->string(key::rule),
                         lessonReferences(*rule).join(QStringLiteral(", ")));
    if (!selected.isEmpty())
        showReferences(lessonReferences(*selected.last()));
    auto data = std::make_unique<QMimeData>();
    platform::pasteboard::setSingleString(*data, text);
    QApplication::clipboard()->setMimeData(data.release());
    return text;
}

void SpellRulesWindowController::updateValidatedControls()
{
    for (const auto& validate : m_validators)
        validate();
}

void SpellRulesWindowController::windowShouldClose()
{
    if (m_delegate)
        m_delegate->windowShouldClose();
}

void SpellRulesWindowController::windowDidChangeKey(bool key)
{
    if (!m_delegate)
        return;
    m_delegate->setWindowIsKey(key);
    updateValidatedControls();
}

bool SpellRulesWindowController::eventFilter(QObject* watched, QEvent* event)
{
    // A rules file dropped anywhere on the window is imported.
    if (watched == window() && m_delegate) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            drop->acceptProposedAction();
            m_delegate->performDragOperation(*drop->mimeData());
            return true;
        }
        default:
            break;
        }
    }
    return platform::WindowController::eventFilter(watched, event);
}

void SpellRulesWindowController::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() == QDialog::Accepted)
        m_delegate->printToDevice(printer);
}

void SpellRulesWindowController::exportXML()
{
    if (!m_services.rules)
        return;
    m_exchange.exportXML([this](const QString& path) {
        qCInfo(lcRulesController).noquote() << "theFilesURL:" << path;
        return m_services.rules->createRulesXMLfileForExportWithFilePath(path);
    });
}

bool SpellRulesWindowController::createExportBookmarkForURL(const QString& path)
{
    return m_exchange.createExportBookmarkForURL(path);
}

void SpellRulesWindowController::importXML()
{
    if (m_services.rules)
        m_exchange.importXML([this](const QString& path) { importRulesFrom(path); });
}

void SpellRulesWindowController::retrieveBookmarkAndWriteLessonData()
{
    if (m_services.rules)
        m_exchange.retrieveBookmarkAndRead([this](const QString& path) { importRulesFrom(path); });
}

void SpellRulesWindowController::importDroppedFile(const QString& path)
{
    if (m_services.rules)
        m_exchange.importFile(path, [this](const QString& file) { importRulesFrom(file); });
}

void SpellRulesWindowController::importRulesFrom(const QString& path)
{
    SpellRuleCoreDataAppDelegate& rules = *m_services.rules;
    const QString previousSource = rules.rulesXMLSourcePath();
    const bool replaced = m_exchange.replaceAsOneStep(
        *rules.undoManager(), path, [&] { return rules.deleteAllData(); },
        [&] {
            rules.setRulesXMLSourcePath(path);
            if (!rules.readRulesFromXML())
                return XmlExchange::ReadResult::Unreadable;
            const auto count =
                rules.rulesDBase()->count(platform::FetchRequest::all(model::entity::Rule));
            return count.value_or(0) > 0 ? XmlExchange::ReadResult::Something
                                         : XmlExchange::ReadResult::Nothing;
        });
    if (replaced)
        rules.saveContext();
    else
        rules.setRulesXMLSourcePath(previousSource);
}

} // namespace lexotrace
