#include "typewarden/app/TypewardenWindowController.h"

#include "model/OrthovaModel.h"
#include "platform/ui/Alerts.h"
#include "typewarden/store/TypewardenModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcAgentWindow, "typewarden.app.window")

namespace typewarden
{

namespace
{

// The list window asks its controller before it closes and hands dropped files on.
class ErrorListWindow : public QMainWindow
{
public:
    std::function<bool()> shouldClose;
    std::function<void()> fileDropped;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (!shouldClose || shouldClose())
            event->accept();
        else
            event->ignore();
    }
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override
    {
        event->acceptProposedAction();
        if (event->mimeData()->hasUrls() && fileDropped)
            fileDropped();
    }
};

QIcon statusIcon()
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x2f, 0x5d, 0x8a));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(pixmap.rect().adjusted(1, 1, -1, -1), 4, 4);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("T"));
    return QIcon(pixmap);
}

} // namespace

TypewardenWindowController::TypewardenWindowController(TypewardenModel& model,
                                                       platform::AlertPresenter& alerts)
    : m_model(model), m_alerts(alerts)
{
    m_pairs = std::make_unique<WordPairArrayController>(m_model.wordErrorDBase());
    buildWindow();
    buildStatusMenu();
    connect(&m_model, &TypewardenModel::scrollToEndRequested, this,
            &TypewardenWindowController::scrollToEndOfTableViewList);
}

TypewardenWindowController::~TypewardenWindowController() = default;

void TypewardenWindowController::buildWindow()
{
    auto window = std::make_unique<ErrorListWindow>();
    window->shouldClose = [this] { return windowShouldClose(); };
    window->fileDropped = [this] { emit importRequested(); };
    window->setAcceptDrops(true);
    window->setWindowTitle(tr("Typewarden"));
    auto* content = new QWidget(window.get());
    // The list window is narrow by design; its contents may not widen it.
    content->setMinimumSize(1, 1);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    m_table = new QTableView(content);
    m_table->setModel(m_pairs.get());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->verticalHeader()->hide();
    // The narrow window shows all three columns side by side, each cut short rather than hidden
    // behind a scroll bar (the time, shown in full, would leave the words no room).
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setTextElideMode(Qt::ElideRight);
    layout->addWidget(m_table);

    auto* buttons = new QHBoxLayout;
    m_disclosure = new QToolButton(content);
    m_disclosure->setCheckable(true);
    m_disclosure->setArrowType(Qt::RightArrow);
    m_disclosure->setToolTip(tr("Expand or collapse the list"));
    connect(m_disclosure, &QToolButton::clicked, this, [this](bool on) { toggle(on); });
    auto* save = new QPushButton(tr("Save"), content);
    connect(save, &QPushButton::clicked, this, &TypewardenWindowController::saveAction);
    auto* revert = new QPushButton(tr("Revert"), content);
    connect(revert, &QPushButton::clicked, this, &TypewardenWindowController::revertAction);
    auto* remove = new QPushButton(QStringLiteral("−"), content);
    remove->setToolTip(tr("Delete the selected pairs"));
    remove->setShortcut(QKeySequence(Qt::META | Qt::Key_Minus));
    connect(remove, &QPushButton::clicked, this, &TypewardenWindowController::deleteSelection);
    buttons->addWidget(m_disclosure);
    buttons->addStretch();
    buttons->addWidget(remove);
    buttons->addWidget(revert);
    buttons->addWidget(save);
    layout->addLayout(buttons);
    window->setCentralWidget(content);

    auto addShortcut = [&](QKeySequence keys, void (TypewardenWindowController::*slot)()) {
        auto* action = new QAction(window.get());
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        window->addAction(action);
    };
    addShortcut(QKeySequence::Copy, &TypewardenWindowController::copy);
    addShortcut(QKeySequence::SelectAll,
                &TypewardenWindowController::selectEveryRowInErrorListTable);
    addShortcut(QKeySequence::Undo, &TypewardenWindowController::undo);
    addShortcut(QKeySequence::Redo, &TypewardenWindowController::redo);
    addShortcut(QKeySequence::Save, &TypewardenWindowController::saveAction);
    addShortcut(QKeySequence::Delete, &TypewardenWindowController::deleteSelection);

    QMenu* file = window->menuBar()->addMenu(tr("&List"));
    file->addAction(tr("Export…"), this, &TypewardenWindowController::exportRequested);
    file->addAction(tr("Import Last Export"), this, &TypewardenWindowController::importRequested);

    window->resize(int(kWidth), 300);
    m_window = std::move(window);
}

void TypewardenWindowController::buildStatusMenu()
{
    m_statusMenu = std::make_unique<QMenu>();
    auto add = [&](const QString& title, MenuAction validation, auto&& slot) {
        QAction* action = m_statusMenu->addAction(title, this, slot);
        m_validatedActions.append({action, validation});
        return action;
    };
    add(tr("Open List Window"), MenuAction::OpenWindow,
        &TypewardenWindowController::openSpellingListWindow);
    add(tr("Close List Window"), MenuAction::CloseWindow,
        &TypewardenWindowController::closeSpellingListWindow);
    add(tr("Expand List"), MenuAction::OpenPanel, &TypewardenWindowController::openErrorListPanel);
    add(tr("Collapse List"), MenuAction::RetractPanel,
        &TypewardenWindowController::retractErrorListPanel);
    m_statusMenu->addSeparator();
    add(tr("Save"), MenuAction::Save, &TypewardenWindowController::saveAction);
    add(tr("Undo"), MenuAction::Undo, &TypewardenWindowController::undo);
    add(tr("Redo"), MenuAction::Redo, &TypewardenWindowController::redo);
    m_statusMenu->addSeparator();
    add(tr("Preferences…"), MenuAction::Other, &TypewardenWindowController::preferencesRequested);
    add(tr("Install Comparison Script…"), MenuAction::Other,
        &TypewardenWindowController::installScriptRequested);
    add(tr("Launch Lexotrace"), MenuAction::Other,
        &TypewardenWindowController::launchLexotraceRequested);
    m_statusMenu->addSeparator();
    add(tr("Quit Typewarden"), MenuAction::Other, &TypewardenWindowController::quitRequested);
    connect(m_statusMenu.get(), &QMenu::aboutToShow, this, &TypewardenWindowController::updateMenu);
    updateMenu();
}

void TypewardenWindowController::updateMenu()
{
    for (const auto& [action, validation] : m_validatedActions)
        action->setEnabled(validateMenuItem(validation));
}

void TypewardenWindowController::wake()
{
    // The list was arranged, oldest first, when it was made.
    m_contractedHeight = m_window->height();
    m_undoState = false;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_statusItem = std::make_unique<QSystemTrayIcon>(statusIcon());
        m_statusItem->setToolTip(tr("Typewarden"));
        m_statusItem->setContextMenu(m_statusMenu.get());
        connect(m_statusItem.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        m_statusMenu->popup(QCursor::pos());
                });
        m_statusItem->show();
    } else {
        // Without a tray the menu has nowhere to live; the list window offers its commands.
        qCInfo(lcAgentWindow) << "The desktop has no status notifier tray: opening the list "
                                 "window instead of a status item.";
        m_window->menuBar()->addMenu(m_statusMenu.get())->setText(tr("Typewarden"));
        openSpellingListWindow();
    }
    QTimer::singleShot(500, this, &TypewardenWindowController::scrollToEndOfTableViewList);
}

bool TypewardenWindowController::validateMenuItem(MenuAction action) const
{
    switch (action) {
    case MenuAction::Toggle:
    case MenuAction::OpenPanel:
        return !m_errorListPanelState;
    case MenuAction::RetractPanel:
        return m_errorListPanelState;
    case MenuAction::Save:
    case MenuAction::Undo:
        return changesWereMade();
    case MenuAction::Redo:
        return m_undoState;
    case MenuAction::OpenWindow:
        return !m_errorListWindowState;
    case MenuAction::CloseWindow:
        return m_errorListWindowState;
    case MenuAction::Other:
        return true;
    }
    return true;
}

bool TypewardenWindowController::changesWereMade() const
{
    const platform::ObjectContext* context = m_model.wordErrorDBase();
    return context && context->hasChanges();
}

void TypewardenWindowController::openSpellingListWindow()
{
    m_errorListWindowState = true;
    bringListUpToDate();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TypewardenWindowController::closeSpellingListWindow()
{
    // No confirmation here: unsaved pairs simply stay in the context.
    m_errorListWindowState = false;
    m_window->hide();
}

bool TypewardenWindowController::windowShouldClose()
{
    m_errorListWindowState = false;
    if (!changesWereMade())
        return true;
    return showSaveListPanelFromSource();
}

bool TypewardenWindowController::showSaveListPanelFromSource()
{
    m_errorListWindowState = false;
    const int answer = m_alerts.runModal(
        {tr("Over write?"),
         tr("This will over-write your current spelling list data. Are you sure you wish to "
            "proceed?"),
         {tr("OK"), tr("Cancel")}});
    if (answer == 0)
        return m_model.saveContext();
    if (platform::ObjectContext* context = m_model.wordErrorDBase()) {
        context->rollback();
        context->processPendingChanges();
    }
    return false;
}

void TypewardenWindowController::saveAction()
{
    showSaveListPanelFromSource();
}

void TypewardenWindowController::revertAction()
{
    if (platform::ObjectContext* context = m_model.wordErrorDBase())
        context->rollback();
    scrollToEndOfTableViewList();
}

void TypewardenWindowController::undo()
{
    if (platform::UndoManager* undo = m_model.undoManager())
        undo->undo();
    m_undoState = true;
    scrollToEndOfTableViewList();
}

void TypewardenWindowController::redo()
{
    if (platform::UndoManager* undo = m_model.undoManager())
        undo->redo();
    m_undoState = false;
    scrollToEndOfTableViewList();
}

void TypewardenWindowController::toggleLastCorrection()
{
    platform::UndoManager* undo = m_model.undoManager();
    if (undo) {
        if (changesWereMade())
            undo->undo();
        else
            undo->redo();
    }
    // The named sound "Frog"; no sound file ships, so the desktop's beep stands in.
    m_alerts.beep();
    scrollToEndOfTableViewList();
}

void TypewardenWindowController::deleteSelection()
{
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    m_pairs->remove(rows);
}

QString TypewardenWindowController::copyText() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QString text;
    for (int row : rows) {
        const platform::ManagedObject* pair = m_pairs->arrangedObjects().value(row);
        if (pair)
            text += QStringLiteral("%1 %2\n").arg(pair->string(model::key::cSpell),
                                                  pair->string(model::key::mSpell));
    }
    return text;
}

void TypewardenWindowController::copy()
{
    QApplication::clipboard()->setText(copyText());
}

void TypewardenWindowController::selectEveryRowInErrorListTable()
{
    if (m_pairs->rowCount() > 0)
        m_table->selectAll();
}

void TypewardenWindowController::toggle(bool expand)
{
    setExpanded(expand);
}

void TypewardenWindowController::openErrorListPanel()
{
    setExpanded(true);
}

void TypewardenWindowController::retractErrorListPanel()
{
    m_disclosure->setChecked(false);
    setExpanded(false);
}

void TypewardenWindowController::setExpanded(bool expanded)
{
    m_errorListPanelState = expanded;
    m_disclosure->setChecked(expanded);
    m_disclosure->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    // The top edge stays where it is; only the height changes.
    QRect frame = m_window->geometry();
    frame.setHeight(int(expanded ? kExpandedHeight : m_contractedHeight));
    frame.setWidth(int(kWidth));
    m_window->setGeometry(frame);
    scrollToEndOfTableViewList();
}

void TypewardenWindowController::bringListUpToDate()
{
    // The list rearranges itself when the context reports changes; delivering any pending report
    // now refetches only when something changed.
    if (platform::ObjectContext* context = m_model.wordErrorDBase())
        context->processPendingChanges();
}

void TypewardenWindowController::scrollToEndOfTableViewList()
{
    bringListUpToDate();
    const int rows = m_pairs->rowCount();
    if (rows == 0)
        return;
    m_table->scrollToBottom();
    m_table->selectRow(rows - 1);
}

bool TypewardenWindowController::wordPairArrayControllerSaveContext()
{
    return m_model.saveContext();
}

} // namespace typewarden
