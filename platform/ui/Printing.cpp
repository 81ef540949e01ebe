#include "platform/ui/Printing.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

namespace platform
{

namespace
{

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

TextPageSetup TextPageSetup::document()
{
    return {QMarginsF(50, 50, 50, 50), 0.9,
            fontWithSansSerifFallback(QStringLiteral("Lucida Grande"), 10)};
}

QFont fontWithSansSerifFallback(const QString& family, qreal pointSize)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    // Without the family, matching by the hint alone picks the desktop's sans-serif.
    if (QFontDatabase::hasFamily(family))
        font.setFamilies({family});
    else
        font.setFamilies({QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    font.setPointSizeF(pointSize);
    return font;
}

bool applyPageSetup(QPagedPaintDevice& device, const TextPageSetup& setup)
{
    return device.setPageMargins(setup.margins, QPageLayout::Point);
}

bool printPlainText(QPagedPaintDevice& device, const QString& text, const TextPageSetup& setup,
                    QString* error)
{
    if (setup.scale <= 0)
        return fail(error,
                    QCoreApplication::translate("Printing", "The print scale must be positive."));
    if (!applyPageSetup(device, setup))
        return fail(error, QCoreApplication::translate(
                               "Printing", "The page does not take margins of that size."));
    QPainter painter;
    if (!painter.begin(&device))
        return fail(error,
                    QCoreApplication::translate("Printing", "The printer could not be started."));

    QTextDocument document;
    // Fonts are measured at the device's resolution, so the layout matches what is painted.
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(setup.font);
    document.setDocumentMargin(0);
    document.setPlainText(text);
    // Laid out on pages 1/scale the size of the paint area, then drawn scaled down into it.
    const QSizeF page(device.width() / setup.scale, device.height() / setup.scale);
    document.setPageSize(page);

    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage()) {
            painter.end();
            return fail(error, QCoreApplication::translate(
                                   "Printing", "The printer could not start a new page."));
        }
        // Lines are drawn when they touch the view; a hair inside the page edges keeps a line
        // that ends or starts exactly on an edge off the neighbouring page.
        constexpr qreal kEdge = 0.5;
        const QRectF view(0, index * page.height() + kEdge, page.width(),
                          page.height() - 2 * kEdge);
        painter.save();
        painter.scale(setup.scale, setup.scale);
        painter.translate(0, -index * page.height());
        document.drawContents(&painter, view);
        painter.restore();
    }
    if (!painter.end())
        return fail(error, QCoreApplication::translate(
                               "Printing", "The printer could not finish the document."));
    return true;
}

} // namespace platform
