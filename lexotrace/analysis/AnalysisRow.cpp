#include "lexotrace/analysis/AnalysisRow.h"

namespace lexotrace
{

namespace
{

AnalysisRow fallback(const QString& text, const QString& cSpell, const QString& mSpell)
{
    AnalysisRow row;
    row.levelNumber = QStringLiteral("0");
    row.unitNumber = QStringLiteral("0");
    row.generalRule = text;
    row.cSpell = cSpell;
    row.mSpell = mSpell;
    return row;
}

QVariant value(const std::optional<QString>& v)
{
    return v ? QVariant(*v) : QVariant();
}

} // namespace

AnalysisRow AnalysisRow::likelyTypo(const QString& cSpell, const QString& mSpell)
{
    return fallback(kLikelyTypo, cSpell, mSpell);
}

AnalysisRow AnalysisRow::notListed(const QString& cSpell, const QString& mSpell)
{
    return fallback(kNotListed, cSpell, mSpell);
}

QVariantMap AnalysisRow::toDictionary() const
{
    return {{QStringLiteral("levelNumber"), value(levelNumber)},
            {QStringLiteral("unitNumber"), value(unitNumber)},
            {QStringLiteral("reference"), value(reference)},
            {QStringLiteral("generalRuleCode"), value(generalRuleCode)},
            {QStringLiteral("generalRule"), value(generalRule)},
            {QStringLiteral("cSpell"), cSpell},
            {QStringLiteral("mSpell"), mSpell},
            {QStringLiteral("rootCSpell"), rootCSpell}};
}

} // namespace lexotrace
