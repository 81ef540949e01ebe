// The agent's list window, status menu and delegate, over a real word-pair store.
#include "model/OrthovaModel.h"
#include "model/TypewardenDefaults.h"
#include "tests/support/FakeEventMonitors.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/ScriptedPanels.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"
#include "tests/typewarden/store/RecordingNotifications.h"
#include "typewarden/app/TypewardenAppDelegate.h"
#include "typewarden/app/TypewardenWindowController.h"
#include "typewarden/capture/CaptureCoordinator.h"
#include "typewarden/capture/ComparisonScript.h"
#include "typewarden/store/TypewardenModel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMainWindow>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

using namespace typewarden;
using Action = TypewardenWindowController::MenuAction;

namespace
{

struct RecordingLauncher : platform::ProcessLauncher {
    bool startDetached(const QString& program, const QStringList&) override
    {
        started << program;
        return succeed;
    }
    QStringList started;
    bool succeed = false;
};

struct Agent {
    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    testsupport::RecordingAlerts alerts;
    testsupport::RecordingNotifications notifications;
    RecordingLauncher launcher;
    QString storePath = registerErrorListPathDefault(defaults);
    TypewardenModel model{defaults, notifications, alerts};
    std::unique_ptr<TypewardenWindowController> window;
    testsupport::FakeEventMonitors monitors;
    testsupport::ScriptedPanels panels; // every panel cancelled
    std::unique_ptr<CaptureCoordinator> capture;
    std::unique_ptr<TypewardenAppDelegate> delegate;
    QList<QUrl> opened;

    Agent()
    {
        model.wake();
        window = std::make_unique<TypewardenWindowController>(model, alerts);
        CaptureCoordinator::Peers peers;
        peers.defaults = &defaults;
        peers.alerts = &alerts;
        peers.panels = &panels;
        peers.monitors = &monitors;
        capture = std::make_unique<CaptureCoordinator>(std::move(peers));
        delegate = std::make_unique<TypewardenAppDelegate>(defaults, alerts, launcher, model,
                                                           *window, *capture);
        delegate->openUrl = [this](const QUrl& url) { opened << url; };
        window->wake();
    }

    void addPair(const QString& c, const QString& m)
    {
        delegate->addSpellWordsToList({c, m});
        QCoreApplication::processEvents(); // one capture, one undo group
    }
    // receive, their, weird: three captures, oldest first.
    void addThreePairs()
    {
        addPair("receive", "recieve");
        addPair("their", "thier");
        addPair("weird", "wierd");
    }
    void selectRows(const QList<int>& rows)
    {
        QTableView* table = window->tableView();
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }
    QStringList listed() const
    {
        QStringList out;
        for (auto* p : window->wordPairArrayController().arrangedObjects())
            out << p->string("cSpell");
        return out;
    }
    qsizetype storedPairs() const
    {
        const testsupport::StoreOnDisk stored(storePath);
        return stored.opened ? stored.all("WordPair").size() : -1;
    }
};

} // namespace

TEST(AgentMenu, ValidationFollowsTheListAndWindowState)
{
    Agent agent;
    auto& w = *agent.window;
    EXPECT_TRUE(w.validateMenuItem(Action::OpenWindow) != w.errorListWindowState());
    w.openSpellingListWindow();
    EXPECT_FALSE(w.validateMenuItem(Action::OpenWindow));
    EXPECT_TRUE(w.validateMenuItem(Action::CloseWindow));
    EXPECT_FALSE(w.validateMenuItem(Action::Save));
    EXPECT_FALSE(w.validateMenuItem(Action::Undo));
    EXPECT_FALSE(w.validateMenuItem(Action::Redo));
    EXPECT_TRUE(w.validateMenuItem(Action::Toggle));
    EXPECT_TRUE(w.validateMenuItem(Action::OpenPanel));
    EXPECT_FALSE(w.validateMenuItem(Action::RetractPanel));

    agent.addPair("receive", "recieve");
    EXPECT_TRUE(w.validateMenuItem(Action::Save));
    EXPECT_TRUE(w.validateMenuItem(Action::Undo));
    w.undo();
    EXPECT_TRUE(w.validateMenuItem(Action::Redo));
    w.redo();
    EXPECT_FALSE(w.validateMenuItem(Action::Redo));
    w.openErrorListPanel();
    EXPECT_FALSE(w.validateMenuItem(Action::Toggle));
    EXPECT_TRUE(w.validateMenuItem(Action::RetractPanel));
    w.closeSpellingListWindow();
    EXPECT_TRUE(w.validateMenuItem(Action::OpenWindow));
    EXPECT_TRUE(w.validateMenuItem(Action::Other));
}

TEST(AgentList, CopyGivesOneLinePerSelectedPairInListOrder)
{
    Agent agent;
    agent.addThreePairs();
    agent.selectRows({1, 0});
    agent.window->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "receive recieve\ntheir thier\n");
    agent.selectRows({});
    agent.window->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "");
    agent.window->selectEveryRowInErrorListTable();
    EXPECT_EQ(agent.window->copyText().count('\n'), 3);

    // The narrow list window shows its three columns, none behind a scroll bar.
    agent.window->openSpellingListWindow();
    QTableView* table = agent.window->tableView();
    QCoreApplication::processEvents();
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
    for (int column = 0; column < 3; ++column)
        EXPECT_GE(table->columnWidth(column), table->viewport()->width() / 4) << column;
}

TEST(AgentList, ADeletionAndItsUndoKeepTheSelectionOfTheOtherPairs)
{
    // How rows follow the store is the list model's own test; here, that the window keeps what
    // the user selected.
    Agent agent;
    agent.addThreePairs();
    QTableView* table = agent.window->tableView();
    const auto selected = [table] {
        QStringList words;
        for (const QModelIndex& row : table->selectionModel()->selectedRows())
            words << row.data().toString();
        words.sort();
        return words;
    };
    agent.selectRows({0, 2});
    agent.window->wordPairArrayController().remove({1});
    QCoreApplication::processEvents(); // the deletion is one undo group
    EXPECT_EQ(agent.listed(), (QStringList{"receive", "weird"}));
    EXPECT_EQ(selected(), (QStringList{"receive", "weird"}));
    agent.model.undoManager()->undo();
    agent.model.wordErrorDBase()->processPendingChanges();
    EXPECT_EQ(agent.listed(), (QStringList{"receive", "their", "weird"}));
    EXPECT_EQ(selected(), (QStringList{"receive", "weird"}));
}

TEST(AgentList, SaveAndTheWindowsOwnCloseAskFirstButTheMenusCloseDoesNot)
{
    Agent agent;
    agent.window->openSpellingListWindow();
    agent.addPair("receive", "recieve");
    // The menu's close asks nothing and keeps the pair unsaved.
    agent.window->closeSpellingListWindow();
    EXPECT_FALSE(agent.window->window()->isVisible());
    EXPECT_TRUE(agent.alerts.shown.isEmpty());
    EXPECT_TRUE(agent.window->changesWereMade());
    // Save asks; OK saves.
    agent.window->saveAction();
    EXPECT_EQ(agent.alerts.shown.last().alert.messageText, "Over write?");
    EXPECT_EQ(agent.storedPairs(), 1);

    // The window's own close asks too; Cancel discards the unsaved pairs and keeps it open.
    agent.addPair("their", "thier");
    agent.addPair("weird", "wierd");
    agent.window->openSpellingListWindow();
    agent.alerts.answer = 1;
    EXPECT_FALSE(agent.window->window()->close());
    EXPECT_TRUE(agent.window->window()->isVisible());
    EXPECT_FALSE(agent.window->errorListWindowState());
    EXPECT_EQ(agent.listed(), QStringList{"receive"});
    EXPECT_EQ(agent.storedPairs(), 1);
    // With nothing unsaved it closes without asking.
    const auto asked = agent.alerts.shown.size();
    EXPECT_TRUE(agent.window->window()->close());
    EXPECT_EQ(agent.alerts.shown.size(), asked);
}

TEST(AgentList, ToggleLastCorrectionTwiceRemovesThenRestoresTheCapture)
{
    Agent agent;
    agent.addPair("receive", "recieve");
    agent.window->toggleLastCorrection();
    EXPECT_TRUE(agent.listed().isEmpty());
    EXPECT_FALSE(agent.window->changesWereMade());
    agent.window->toggleLastCorrection();
    EXPECT_EQ(agent.listed(), QStringList{"receive"});
    EXPECT_EQ(agent.alerts.beeps, 2);
}

TEST(AgentList, ExpandAndCollapseKeepTheTopEdgeAndTheLoadedHeight)
{
    Agent agent;
    QMainWindow* window = agent.window->window();
    agent.window->openSpellingListWindow();
    const QRect loaded = window->geometry();
    agent.window->openErrorListPanel();
    EXPECT_EQ(window->geometry().height(), 544);
    EXPECT_EQ(window->geometry().width(), 216);
    EXPECT_EQ(window->geometry().top(), loaded.top());
    agent.window->retractErrorListPanel();
    EXPECT_EQ(window->geometry().height(), int(agent.window->contractedFrameHeight()));
    EXPECT_EQ(window->geometry().height(), loaded.height());
    EXPECT_EQ(window->geometry().top(), loaded.top());
}

TEST(AgentDelegate, FirstRunSwitchesEverySettingOnOnce)
{
    {
        Agent first;
        EXPECT_FALSE(first.defaults.boolForKey(defaults::ShowWindowAtStartup));
        first.delegate->applicationDidFinishLaunching();
        for (const QString& key : defaults::FirstRunSettings)
            EXPECT_TRUE(first.defaults.boolForKey(key)) << key.toStdString();
        first.defaults.setObject(false, defaults::Beep);
        first.defaults.synchronize();
    }
    Agent second;
    second.delegate->applicationDidFinishLaunching();
    EXPECT_FALSE(second.defaults.boolForKey(defaults::Beep)); // not applied again
    second.delegate->wake();
    EXPECT_TRUE(second.window->window()->isVisible()); // window at start-up is on
}

TEST(AgentDelegate, LaunchingLexotraceAsksToSaveThenStartsItOrOffersTheWebPage)
{
    Agent agent;
    const QString dir = testsupport::sandboxRoot() + "/bin";
    agent.delegate->setProgramDirectory(dir);
    testsupport::writeFile(dir + "/lexotrace", "#!/bin/sh\n");
    QFile::setPermissions(dir + "/lexotrace", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    agent.addPair("receive", "recieve");
    agent.launcher.succeed = true;
    agent.delegate->launchLexotrace();
    EXPECT_EQ(agent.alerts.shown.first().alert.messageText, "Over write?");
    EXPECT_EQ(agent.launcher.started, QStringList{dir + "/lexotrace"});
    EXPECT_TRUE(agent.opened.isEmpty());

    agent.launcher.succeed = false;
    agent.delegate->launchLexotrace();
    EXPECT_EQ(agent.alerts.shown.last().alert.messageText,
              "The assistant application, Lexotrace can not be reached.");
    EXPECT_EQ(agent.opened, QList<QUrl>{TypewardenAppDelegate::kLexotraceWebPage});
}

// Stopping capture is what saves at quit (the capture's own test); the delegate saves nothing else.
TEST(AgentDelegate, QuittingStopsCaptureAndSavesNothingItself)
{
    Agent agent;
    agent.addPair("receive", "recieve");
    agent.capture->startCaptureForApp("TextEdit");
    EXPECT_TRUE(agent.monitors.hasKeyDownMonitor());
    agent.delegate->applicationWillTerminate();
    EXPECT_FALSE(agent.monitors.hasKeyDownMonitor());
    EXPECT_FALSE(QFile::exists(agent.storePath));
}

TEST(AgentList, AFileDroppedOnTheListWindowStartsTheImport)
{
    Agent agent;
    QSignalSpy imports(agent.window.get(), &TypewardenWindowController::importRequested);
    QMimeData text;
    text.setText("not a file");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/anything.xml")});
    for (QMimeData* data : {&text, &files}) {
        // As a real drag does: enter, then drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(agent.window->window(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(agent.window->window(), &drop);
    }
    EXPECT_EQ(imports.size(), 1);
}
