#pragma once

#include <QFont>
#include <QMarginsF>
#include <QString>

class QPagedPaintDevice;

namespace platform
{

// How plain text is put on paper: page margins in points on all four sides, the scale the laid
// out pages are drawn at (0.9 draws at 90 %), and the font. Text starts at the top left of the
// area inside the margins; it is not centred.
struct TextPageSetup {
    QMarginsF margins;
    qreal scale = 1.0;
    QFont font;

    // Every printed page of the programs: 50-point margins, 90 %, 10-point "Lucida Grande" or
    // the desktop's sans-serif.
    static TextPageSetup document();
};

// The family at that size; where the family is not installed, the desktop's sans-serif.
QFont fontWithSansSerifFallback(const QString& family, qreal pointSize);

// Puts the setup's margins on the device's page layout (a QPrinter, a QPdfWriter).
bool applyPageSetup(QPagedPaintDevice& device, const TextPageSetup& setup);

// Applies the setup, lays the text out over as many pages as it needs and paints them. On a
// failure, false and the reason in `error`.
bool printPlainText(QPagedPaintDevice& device, const QString& text, const TextPageSetup& setup,
                    QString* error = nullptr);

} // namespace platform
