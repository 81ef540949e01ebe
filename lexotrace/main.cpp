#include "lexotrace/app/LexotraceApplication.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orthova"));
    QApplication::setApplicationName(QStringLiteral("Lexotrace"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));

    lexotrace::LexotraceApplication lexotrace;
    if (!lexotrace.start())
        return 1;
    return app.exec();
}
