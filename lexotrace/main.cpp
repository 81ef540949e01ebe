#include "lexotrace/app/LexotraceApplication.h"

#include "platform/TerminationSignals.h"
#include "platform/Translations.h"
#include "platform/ui/FirstWindowLog.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    QApplication::setApplicationName(QStringLiteral("Lexotrace"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    platform::installTranslations();

    platform::FirstWindowLog firstWindow;
    lexotrace::LexotraceApplication lexotrace;
    if (!lexotrace.start())
        return 1;
    // A logout or a kill ends the program through its orderly quit, which saves.
    platform::TerminationSignals endings;
    QObject::connect(&endings, &platform::TerminationSignals::terminationRequested, &app,
                     [&lexotrace] { lexotrace.controller().terminateUnattended(); });
    // The session manager's "save now" before a logout.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app,
        [&lexotrace](QSessionManager&) { lexotrace.controller().commitUnsavedEdits(); });
    return app.exec();
}
