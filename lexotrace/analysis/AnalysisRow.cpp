#include "lexotrace/analysis/AnalysisRow.h"
#include "model/OrthovaModel.h"

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
    return {{model::key::levelNumber, value(levelNumber)},
            {model::key::unitNumber, value(unitNumber)},
            {model::key::reference, value(reference)},
            {model::key::generalRuleCode, value(generalRuleCode)},
            {model::key::generalRule, value(generalRule)},
            {model::key::cSpell, cSpell},
            {model::key::mSpell, mSpell},
            {QStringLiteral("rootCSpell"), rootCSpell}};
}

} // namespace lexotrace
