#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace lexotrace
{

// One line of the analysis: a captured pair with the lesson whose pattern the misspelling broke,
// or a fallback text. Eight keys; a null value is nullopt (written "<null>" in text output).
struct AnalysisRow {
    std::optional<QString> levelNumber;
    std::optional<QString> unitNumber;
    std::optional<QString> reference;
    std::optional<QString> generalRuleCode;
    std::optional<QString> generalRule;
    QString cSpell;
    QString mSpell;
    QString rootCSpell;

    static inline const QString kLikelyTypo = QStringLiteral("-----Likely typo-----");
    static inline const QString kNotListed =
        QStringLiteral("----Not currently listed. To add, drag word to opened Lesson Window.");
    // How a null value reads in copied and printed text.
    static inline const QString kNullText = QStringLiteral("<null>");

    static AnalysisRow likelyTypo(const QString& cSpell, const QString& mSpell);
    static AnalysisRow notListed(const QString& cSpell, const QString& mSpell);

    // Fallback rows have no reference.
    bool isFallback() const { return !reference.has_value(); }
    // The word a lesson request names: the root when there is one.
    QString lessonWord() const { return rootCSpell.isEmpty() ? cSpell : rootCSpell; }

    static QString text(const std::optional<QString>& value) { return value.value_or(kNullText); }
    // The row as its string-keyed dictionary (null values as invalid QVariants).
    QVariantMap toDictionary() const;

    friend bool operator==(const AnalysisRow&, const AnalysisRow&) = default;
};

} // namespace lexotrace
