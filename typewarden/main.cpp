#include "typewarden/app/TypewardenApplication.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    QApplication::setApplicationName(QStringLiteral("Typewarden"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    // An agent: closing its list window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    typewarden::TypewardenApplication typewarden;
    if (!typewarden.start())
        return 1;
    return app.exec();
}
