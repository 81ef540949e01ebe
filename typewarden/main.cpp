#include "typewarden/app/TypewardenApplication.h"
#include "typewarden/store/TypewardenModel.h"

#include "platform/TerminationSignals.h"
#include "platform/Translations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    QApplication::setApplicationName(QStringLiteral("Typewarden"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    platform::installTranslations();
    // An agent: closing its list window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    typewarden::TypewardenApplication typewarden;
    if (!typewarden.start())
        return 1;
    // A logout or a kill ends the program through its orderly quit, which saves.
    platform::TerminationSignals endings;
    QObject::connect(&endings, &platform::TerminationSignals::terminationRequested, &app,
                     [&typewarden] { typewarden.endOnSignal(); });
    // The session ending saves the pending pairs before the session manager's SIGTERM comes.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&typewarden] { typewarden.model().saveContext(); });
    return app.exec();
}
