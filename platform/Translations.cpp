#include "platform/Translations.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

namespace platform
{

namespace
{
Q_LOGGING_CATEGORY(lcTranslations, "orthova.translations")

bool install(const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
} // namespace

QString installTranslations()
{
    const QLocale locale;
    const QString folder = paths::resourceDirectory() + QStringLiteral("/translations");
    if (!install(locale, QStringLiteral("orthova"), folder)) {
        qCDebug(lcTranslations).noquote()
            << "no translation for" << locale.uiLanguages() << "in" << folder;
        return {};
    }
    if (!install(locale, QStringLiteral("qtbase"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qCDebug(lcTranslations) << "Qt's own dialogs stay in English: no qtbase translation";
    return locale.name();
}

} // namespace platform
