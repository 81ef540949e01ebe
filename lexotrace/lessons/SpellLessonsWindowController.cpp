#include "lexotrace/lessons/SpellLessonsWindowController.h"

#include "lexotrace/lessons/EditWindowController.h"
#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "lexotrace/lessons/LessonWindowDelegate.h"
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/LocalNotifications.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "platform/ArrayControllerModel.h"
#include "platform/NotificationCenter.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/store/UndoManager.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/TableSelection.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace lexotrace
{

namespace
{

namespace key = model::key;
using Action = LessonWindowDelegate::Action;

// A chooser lists "<prefix> <number>" for each object of the list and selects with it.
void bindChooser(QComboBox* chooser, platform::ArrayController* list, const QString& numberKey,
                 const QString& prefix)
{
    auto fill = [chooser, list, numberKey, prefix] {
        const QSignalBlocker quiet(chooser);
        chooser->clear();
        for (const platform::ManagedObject* object : list->arrangedObjects())
            chooser->addItem(prefix + u' ' + object->string(numberKey));
        chooser->setCurrentIndex(int(list->selectionIndex()));
    };
    QObject::connect(list, &platform::ArrayController::arrangedObjectsChanged, chooser, fill);
    QObject::connect(list, &platform::ArrayController::selectionChanged, chooser, [chooser, list] {
        const QSignalBlocker quiet(chooser);
        chooser->setCurrentIndex(int(list->selectionIndex()));
    });
    QObject::connect(chooser, &QComboBox::currentIndexChanged, list, [list](int index) {
        if (index >= 0)
            list->setSelectionIndex(index);
    });
    fill();
}

QList<platform::ArrayControllerModel::Column> rowColumns()
{
    QList<platform::ArrayControllerModel::Column> columns;
    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
        columns.append({key::word(slot), QObject::tr("Word %1").arg(slot), true});
        columns.append({key::bit(slot), QObject::tr("Bit %1").arg(slot), true});
    }
    return columns;
}

} // namespace

SpellLessonsWindowController::SpellLessonsWindowController(LessonsWindowServices services)
    : WindowController(QStringLiteral("LessonsWindow"), tr("Spelling Lessons")),
      m_services(services),
      m_exchange({tr("Orthova lessons"), kBookmarkKey,
                  tr("Your import file will over-write current lesson data. Are you sure you "
                     "wish to proceed?"),
                  tr("Your import file will over-write current lesson data. Are you sure you "
                     "wish to proceed?"),
                  tr("No lessons file has been exported yet: export the lessons once, edit that "
                     "file, then import it."),
                  tr("The file “%1” holds no lessons."), tr("The lessons are left as they were.")},
                 services.defaults, services.alerts, services.panels, this)
{
    m_exchange.setWindow(window());
    if (m_services.lessons && m_services.lessons->lessonsDBase())
        buildContent();
}

SpellLessonsWindowController::~SpellLessonsWindowController()
{
    // The views refer to the lists: they go first.
    delete window()->takeCentralWidget();
}

void SpellLessonsWindowController::buildContent()
{
    platform::ObjectContext* lessons = m_services.lessons->lessonsDBase();
    m_levels = std::make_unique<LevelsArrayController>(lessons);
    m_units = std::make_unique<UnitsArrayController>(lessons, m_levels.get(), m_services.alerts);
    m_sections = std::make_unique<SectionsArrayController>(lessons, m_units.get());
    m_words =
        std::make_unique<RelatedWordsArrayController>(lessons, m_sections.get(), m_services.alerts);
    m_levels->setUnitsArrayController(m_units.get());
    m_words->setSheetWindow(window());
    m_delegate = std::make_unique<LessonWindowDelegate>(
        LessonWindowDelegate::Lists{*m_levels, *m_units, *m_sections, *m_words},
        *m_services.lessons, m_services.defaults, m_services.alerts, m_services.notifications,
        window());

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto addButton = [&](QBoxLayout* row, const QString& text, const QString& name, Action action,
                         auto&& slot) {
        auto* button = new QPushButton(text, content);
        button->setAccessibleName(name);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
        m_validators.append([this, button, action] {
            button->setEnabled(m_delegate->validateUserInterfaceItem(action));
        });
        return button;
    };

    auto* choosers = new QHBoxLayout;
    m_levelChooser = new QComboBox(content);
    m_levelChooser->setAccessibleName(tr("Level"));
    m_unitChooser = new QComboBox(content);
    m_unitChooser->setAccessibleName(tr("Unit"));
    // On this desktop a chooser's accessible name is its value; the label names it.
    auto addChooser = [&](QComboBox* chooser, const QString& name) {
        auto* label = new QLabel(name, content);
        label->setBuddy(chooser);
        choosers->addWidget(label);
        choosers->addWidget(chooser);
    };
    addChooser(m_levelChooser, tr("Level"));
    addButton(choosers, QStringLiteral("+"), tr("Add level"), Action::AddLevel,
              [this] { m_levels->add(); });
    addButton(choosers, QStringLiteral("−"), tr("Remove level"), Action::RemoveLevel,
              [this] { m_levels->remove(); });
    choosers->addSpacing(12);
    addChooser(m_unitChooser, tr("Unit"));
    addButton(choosers, QStringLiteral("+"), tr("Insert unit"), Action::InsertUnit,
              [this] { m_units->add(); });
    addButton(choosers, QStringLiteral("−"), tr("Remove unit"), Action::RemoveUnit,
              [this] { m_units->remove(); });
    choosers->addStretch();
    layout->addLayout(choosers);

    auto* rule = new QFormLayout;
    m_codeField = new QLineEdit(content);
    m_codeField->setAccessibleName(tr("Rule code"));
    m_ruleView = new GeneralRuleTextView(content);
    m_ruleView->setUnitsArrayController(m_units.get());
    m_ruleView->setCodeTextField(m_codeField);
    m_ruleView->setMaximumHeight(90);
    rule->addRow(tr("Rule code"), m_codeField);
    rule->addRow(tr("General rule"), m_ruleView);
    layout->addLayout(rule);

    auto makeTable = [&](LessonTableTag tag, platform::ArrayController* list,
                         const QList<platform::ArrayControllerModel::Column>& columns,
                         const QString& name) {
        auto* table = new LessonsTableView(tag, content);
        table->setAccessibleName(name);
        table->setModel(new platform::ArrayControllerModel(list, columns, table));
        table->setRelatedWordsArrayController(m_words.get());
        platform::bindTableSelection(table, list);
        connect(table, &LessonsTableView::wordInserted, m_delegate.get(),
                &LessonWindowDelegate::selectInsertedWord);
        m_tables.append(table);
        return table;
    };
    auto* tables = new QSplitter(Qt::Vertical, content);
    tables->addWidget(makeTable(KVR_UnitLessonTableViewTag, m_units.get(),
                                {{key::unitNumber, tr("Unit")},
                                 {key::generalRuleCode, tr("Code"), true},
                                 {key::generalRule, tr("General rule"), true}},
                                tr("Units")));
    tables->addWidget(makeTable(
        KVR_SectionLessonTableViewTag, m_sections.get(),
        {{key::sectionNumber, tr("Section")}, {key::rule, tr("Rule"), true}}, tr("Sections")));
    tables->addWidget(makeTable(KVR_RelatedWordsLessonTableViewTag, m_words.get(), rowColumns(),
                                tr("Related words")));
    layout->addWidget(tables, 1);
    m_edit = std::make_unique<EditWindowController>(*m_units, *m_sections, *m_words, *m_ruleView,
                                                    *tableWithTag(KVR_SectionLessonTableViewTag));
    for (LessonsTableView* table : m_tables) {
        connect(table, &LessonsTableView::cutRequested, m_edit.get(),
                &EditWindowController::cutRecordsOfTableViewWithTag);
        connect(table, &LessonsTableView::copyRequested, m_edit.get(),
                &EditWindowController::copyRecordsOfTableViewWithTag);
        connect(table, &LessonsTableView::pasteRequested, m_edit.get(),
                &EditWindowController::pasteRecordsOfTableViewWithTag);
        connect(table, &LessonsTableView::deleteRequested, m_edit.get(),
                &EditWindowController::deleteRecordsOfTableViewWithTag);
    }
    connect(m_ruleView, &GeneralRuleTextView::cutRequested, m_edit.get(),
            [this] { m_edit->cutRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag); });
    connect(m_ruleView, &GeneralRuleTextView::copyRequested, m_edit.get(),
            [this] { m_edit->copyRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag); });
    connect(m_ruleView, &GeneralRuleTextView::pasteRequested, m_edit.get(),
            [this] { m_edit->pasteRecordsOfTableViewWithTag(KVR_UnitLessonTableViewTag); });

    auto* buttons = new QHBoxLayout;
    addButton(buttons, tr("Insert section"), tr("Insert section"), Action::InsertSection,
              [this] { m_sections->add(); });
    addButton(buttons, tr("Remove section"), tr("Remove section"), Action::RemoveSection,
              [this] { m_sections->remove(); });
    addButton(buttons, tr("Insert row"), tr("Insert row"), Action::InsertRelatedWords,
              [this] { m_words->add(); });
    addButton(buttons, tr("Remove row"), tr("Remove row"), Action::RemoveRelatedWords,
              [this] { m_words->remove(); });
    buttons->addStretch();
    addButton(buttons, tr("Revert"), tr("Revert"), Action::Revert,
              [this] { m_delegate->revertAction(); });
    addButton(buttons, tr("Save"), tr("Save"), Action::Save,
              [this] { m_delegate->saveLessonData(); });
    layout->addLayout(buttons);
    window()->setCentralWidget(content);
    window()->resize(900, 640);

    bindChooser(m_levelChooser, m_levels.get(), key::levelNumber, tr("Level"));
    bindChooser(m_unitChooser, m_units.get(), key::unitNumber, tr("Unit"));
    // The code field shows the selected unit's code and edits it.
    auto showCode = [this] {
        const platform::ManagedObject* unit = m_units->lastSelectedObject();
        const QString code = unit ? unit->string(key::generalRuleCode) : QString();
        if (m_codeField->text() != code)
            m_codeField->setText(code);
        m_codeField->setEnabled(unit != nullptr);
    };
    connect(m_units.get(), &platform::ArrayController::selectionChanged, m_codeField, showCode);
    connect(m_units.get(), &platform::ArrayController::arrangedObjectsChanged, m_codeField,
            showCode);
    connect(m_codeField, &QLineEdit::textEdited, this, [this](const QString& code) {
        if (platform::ManagedObject* unit = m_units->lastSelectedObject())
            unit->setValue(key::generalRuleCode, code);
    });
    showCode();
    connect(m_delegate.get(), &LessonWindowDelegate::selectedRowShouldBeVisible, this, [this] {
        LessonsTableView* rows = tableWithTag(KVR_RelatedWordsLessonTableViewTag);
        const QModelIndexList selected = rows->selectionModel()->selectedRows();
        if (!selected.isEmpty())
            rows->scrollTo(selected.last());
    });
    connect(lessons, &platform::ObjectContext::objectsDidChange, this,
            &SpellLessonsWindowController::updateValidatedControls);
    for (const auto& [text, slot] :
         {std::pair<QString, void (SpellLessonsWindowController::*)()>{
              tr("Export Lessons…"), &SpellLessonsWindowController::exportXML},
          {tr("Import Lessons…"), &SpellLessonsWindowController::importXML},
          {tr("Print Lesson…"), &SpellLessonsWindowController::printDocument}}) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        m_fileActions.append(action);
    }
    updateValidatedControls();
}

LessonsTableView* SpellLessonsWindowController::tableWithTag(LessonTableTag tag) const
{
    for (LessonsTableView* table : m_tables)
        if (table->tag() == tag)
            return table;
    return nullptr;
}

void SpellLessonsWindowController::wake()
{
    if (m_woken || !m_delegate)
        return;
    m_woken = true;
    buildMenus();
    showLastOpenedLesson();
}

void SpellLessonsWindowController::showLastOpenedLesson()
{
    m_services.notifications.post(
        notification::PopUpLessonIndex, this,
        {{QStringLiteral("LevelIndex"),
          m_services.defaults.stringForKey(model::defaults::LastLessonLevel)},
         {QStringLiteral("UnitIndex"),
          m_services.defaults.stringForKey(model::defaults::LastLessonUnit)}});
}

void SpellLessonsWindowController::buildMenus()
{
    QMenu* edit = addMenuBeforeWindowMenu(tr("&Edit"));
    auto addCommand = [&](QMenu* menu, const QString& text, QKeySequence keys, Action action,
                          auto&& slot) {
        QAction* item = menu->addAction(text, this, slot);
        item->setShortcut(keys);
        item->setShortcutContext(Qt::WindowShortcut);
        m_validators.append([this, item, action] {
            item->setEnabled(m_delegate->validateUserInterfaceItem(action));
        });
        return item;
    };
    addCommand(edit, tr("Undo"), QKeySequence::Undo, Action::Other, [this] { m_delegate->undo(); });
    addCommand(edit, tr("Redo"), QKeySequence::Redo, Action::Other, [this] { m_delegate->redo(); });
    edit->addSeparator();
    // The focused table or rule view has these keys itself; the menu acts on the same part.
    for (const auto& [text, command] :
         {std::pair<QString, void (EditWindowController::*)(LessonTableTag)>{
              tr("Cut"), &EditWindowController::cutRecordsOfTableViewWithTag},
          {tr("Copy"), &EditWindowController::copyRecordsOfTableViewWithTag},
          {tr("Paste"), &EditWindowController::pasteRecordsOfTableViewWithTag},
          {tr("Delete"), &EditWindowController::deleteRecordsOfTableViewWithTag}})
        edit->addAction(text, this, [this, command = command] {
            if (const auto tag = focusedTag())
                (m_edit.get()->*command)(*tag);
        });
    // The lesson commands, in the "Edit lesson" submenu of the Edit menu.
    edit->addSeparator();
    QMenu* lesson = edit->addMenu(tr("Edit lesson"));
    addCommand(lesson, tr("Add level"), QKeySequence(QStringLiteral("Ctrl++")), Action::AddLevel,
               [this] { m_levels->add(); });
    addCommand(lesson, tr("Insert unit"), {}, Action::InsertUnit, [this] { m_units->add(); });
    addCommand(lesson, tr("Insert section"), {}, Action::InsertSection,
               [this] { m_sections->add(); });
    addCommand(lesson, tr("Insert row"), {}, Action::InsertRelatedWords,
               [this] { m_words->add(); });
    lesson->addSeparator();
    addCommand(lesson, tr("Save"), QKeySequence::Save, Action::Save,
               [this] { m_delegate->saveLessonData(); });
    addCommand(lesson, tr("Revert"), {}, Action::Revert, [this] { m_delegate->revertAction(); });
    updateValidatedControls();
}

QList<QAction*> SpellLessonsWindowController::fileMenuActions() const
{
    return m_fileActions;
}

void SpellLessonsWindowController::updateValidatedControls()
{
    for (const auto& validate : m_validators)
        validate();
}

void SpellLessonsWindowController::windowShouldClose()
{
    if (m_delegate)
        m_delegate->windowShouldClose();
}

void SpellLessonsWindowController::windowDidChangeKey(bool key)
{
    if (!m_delegate)
        return;
    m_delegate->setWindowIsKey(key);
    updateValidatedControls();
}

std::optional<LessonTableTag> SpellLessonsWindowController::focusedTag() const
{
    QWidget* focus = window()->focusWidget();
    for (LessonsTableView* table : m_tables)
        if (focus && (focus == table || table->isAncestorOf(focus)))
            return table->tag();
    if (focus && (focus == m_ruleView || m_ruleView->isAncestorOf(focus)))
        return KVR_UnitLessonTableViewTag;
    return std::nullopt;
}

void SpellLessonsWindowController::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() == QDialog::Accepted)
        m_delegate->printToPrinter(printer);
}

void SpellLessonsWindowController::exportXML()
{
    if (!m_services.lessons)
        return;
    m_exchange.exportXML([this](const QString& path) {
        return m_services.lessons->createLessonsXMLfileForExportWithFilePath(path);
    });
}

bool SpellLessonsWindowController::createExportBookmarkForURL(const QString& path)
{
    return m_exchange.createExportBookmarkForURL(path);
}

void SpellLessonsWindowController::importXML()
{
    if (!m_services.lessons)
        return;
    m_exchange.importXML([this](const QString& path) { importLessonsFrom(path); });
}

void SpellLessonsWindowController::retrieveBookmarkAndWriteLessonData()
{
    if (m_services.lessons)
        m_exchange.retrieveBookmarkAndRead(
            [this](const QString& path) { importLessonsFrom(path); });
}

void SpellLessonsWindowController::importLessonsFrom(const QString& path)
{
    LessonCoreDataAppDelegate& lessons = *m_services.lessons;
    const QString previousSource = lessons.lessonsXMLSourcePath();
    const bool replaced = m_exchange.replaceAsOneStep(
        *lessons.undoManager(), path, [&] { return lessons.deleteAllData(); },
        [&] {
            qCInfo(lcXmlExchange) << "previous lesson data deleted.";
            lessons.setLessonsXMLSourcePath(path);
            return lessons.importLessonsFromXMLdata() ? XmlExchange::ReadResult::Something
                                                      : XmlExchange::ReadResult::Nothing;
        });
    if (!replaced)
        lessons.setLessonsXMLSourcePath(previousSource);
}

} // namespace lexotrace
