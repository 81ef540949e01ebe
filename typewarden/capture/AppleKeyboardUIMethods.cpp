#include "typewarden/capture/AppleKeyboardUIMethods.h"

#include "typewarden/capture/AppleUserInterfaceHelperMethods.h"

#include <QLoggingCategory>

namespace typewarden
{

namespace
{
Q_LOGGING_CATEGORY(lcSpellingPanel, "typewarden.capture.panel")
} // namespace

void AppleKeyboardUIMethods::transactWithSpellingCorrectionConsole()
{
    const std::optional<QString> title = m_panel.titleOfUIElement();
    const std::optional<QString> cSpell = m_panel.cSpell();
    const std::optional<QString> mSpell = m_panel.mSpell();
    if (title != QStringLiteral("Change") || cSpell == QStringLiteral("") ||
        mSpell == QStringLiteral(""))
        return;

    QVariantMap pair;
    if (cSpell)
        pair.insert(QStringLiteral("cSpell"), *cSpell);
    if (mSpell)
        pair.insert(QStringLiteral("mSpell"), *mSpell);
    qCDebug(lcSpellingPanel).noquote()
        << "Change clicked:" << mSpell.value_or(QString()) << "->" << cSpell.value_or(QString());
    if (!m_handOver || !m_handOver(pair))
        qCWarning(lcSpellingPanel) << "the panel correction was not handed over";
    m_panel.clearPendingWords();
}

} // namespace typewarden
