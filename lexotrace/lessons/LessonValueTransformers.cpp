#include "lexotrace/lessons/LessonValueTransformers.h"

#include "lexotrace/lessons/LessonsLog.h"
#include "model/NumberText.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPalette>

#include <cmath>

namespace lexotrace
{

QVariant XXStringToNumberTransformer::transformedValue(const QVariant& text)
{
    qCInfo(lcLessons).noquote() << "value:" << text.toString();
    if (!text.isValid())
        return {};
    bool ok = false;
    const double number = QLocale().toDouble(text.toString().trimmed(), &ok);
    if (!ok)
        return {};
    // Whole numbers stay integers, as a formatter gives them.
    if (std::trunc(number) == number && std::abs(number) < 9e15)
        return QVariant(qlonglong(number));
    return QVariant(number);
}

QVariant XXNumberTransformer::transformedValue(const QVariant& number)
{
    switch (number.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return number.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(number.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return {};
    }
}

QVariant XXNumberTransformer::reverseTransformedValue(const QVariant& text)
{
    const QString string = text.toString();
    if (string.isNull())
        return {};
    return QVariant(model::intValue(string));
}

XXStringTransformer::Appearance XXStringTransformer::currentAppearance()
{
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128 ? Appearance::Dark
                                                                                : Appearance::Light;
}

std::optional<XXStringTransformer::StyledText>
XXStringTransformer::transformedValue(const QString& text, Appearance appearance)
{
    if (text.isNull())
        return std::nullopt;
    QFont font(QStringLiteral("Lucida Grande"), 13);
    // Where the font is missing, the desktop's sans-serif stands in.
    font.setStyleHint(QFont::SansSerif);
    return StyledText{text, font,
                      appearance == Appearance::Light ? QColor(Qt::black) : QColor(Qt::white)};
}

QString XXStringTransformer::reverseTransformedValue(const std::optional<StyledText>& styled)
{
    return styled ? styled->text : QString();
}

QList<platform::ManagedObject*>
OrderedSetArrayValueTransformer::transformedValue(const QSet<platform::ManagedObject*>& members)
{
    return QList<platform::ManagedObject*>(members.begin(), members.end());
}

QSet<platform::ManagedObject*> OrderedSetArrayValueTransformer::reverseTransformedValue(
    const QList<platform::ManagedObject*>& members)
{
    return QSet<platform::ManagedObject*>(members.begin(), members.end());
}

} // namespace lexotrace
