#pragma once

// The program after its first start, with the factory curriculum loaded and saved, and its
// lessons window open.
#include "lexotrace/app/LexotraceApplication.h"
#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "tests/support/ControllerFixture.h"

#include <QCoreApplication>

namespace testsupport
{

struct LoadedProgram {
    RecordingAlerts alerts;
    NoLauncher launcher;
    ScriptedPanels panels;
    std::unique_ptr<lexotrace::LexotraceApplication> app;
    lexotrace::SpellLessonsWindowController* window = nullptr;

    LoadedProgram()
    {
        app = std::make_unique<lexotrace::LexotraceApplication>(
            lexotrace::LexotraceApplication::Services{&alerts, &launcher, &panels});
        app->controller().setQuitHandler([] {});
        app->start();
        app->finishLoading();              // the stores read ahead are taken at once
        QCoreApplication::processEvents(); // the first-run loads, answered at once
        app->controller().showSpellLessonsWindow();
        window = app->controller().spellLessonsWindowController();
        QCoreApplication::processEvents(); // the last opened lesson is shown
        alerts.shown.clear();
    }
    platform::ObjectContext& lessons() { return *app->controller().lessonsDBase(); }
    qsizetype levels()
    {
        return lessons().count(platform::FetchRequest::all("Levels")).value_or(-1);
    }
    QString lastSheet() const
    {
        return alerts.shown.isEmpty() ? QString() : alerts.shown.last().alert.messageText;
    }
};

} // namespace testsupport
