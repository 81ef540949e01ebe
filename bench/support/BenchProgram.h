#pragma once

// Lexotrace started on the factory files in a home of its own, with no person to answer: every
// alert and panel is dismissed at once and the relaunch after the first load is skipped.

#include "bench/support/BenchStore.h"
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/app/LexotraceApplication.h"
#include "model/PreferencesController.h"
#include "platform/ProcessLauncher.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"
#include "tests/support/ScriptedPanels.h"
#include "tests/support/StoreOnDisk.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace bench
{

struct NoLauncher : platform::ProcessLauncher {
    bool startDetached(const QString&, const QStringList&) override { return true; }
};

// Before the QApplication: offscreen unless a platform is set, and no info or debug lines. Answers
// the number of runs asked for on the command line.
inline int prepareWindowBench(int argc, char** argv, int defaultRuns)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    return argc > 1 ? std::max(1, atoi(argv[1])) : defaultRuns;
}

inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

// The program after its first start: both factory files loaded and saved.
struct FactoryProgram {
    QTemporaryDir home;
    platform::SilentAlertPresenter alerts;
    NoLauncher launcher;
    testsupport::ScriptedPanels panels; // every panel cancelled
    std::unique_ptr<lexotrace::LexotraceApplication> app;

    FactoryProgram()
    {
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        start();
        settle();
    }
    // Quits the program, if running, and starts it again in the same home.
    void start()
    {
        app.reset();
        app = std::make_unique<lexotrace::LexotraceApplication>(
            lexotrace::LexotraceApplication::Services{&alerts, &launcher, &panels});
        app->controller().setQuitHandler([] {});
        app->start();
    }
    lexotrace::LXMainAppController& controller() { return app->controller(); }
    // Quits the program and stores the pairs, oldest first, where its next start reads them.
    void storePairs(const QList<model::WordPair>& pairs)
    {
        const QString path = controller().preferencesController()->typewardenErrorListXMLPath();
        app.reset();
        if (!testsupport::saveWordPairs(path, pairs))
            fail(QStringLiteral("the pairs could not be stored"));
    }
};

} // namespace bench
