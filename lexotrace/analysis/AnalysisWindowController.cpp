#include "lexotrace/analysis/AnalysisWindowController.h"
#include "model/OrthovaModel.h"

#include "lexotrace/analysis/AnalysisRowsModel.h"
#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/store/PayloadFile.h"
#include "platform/Pasteboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

Q_LOGGING_CATEGORY(lcAnalysisWindow, "lexotrace.analysis.window")

namespace lexotrace
{

namespace
{

// Four fields of a row as the text outputs write them.
QString rowText(const AnalysisRow& row, const QString& pattern)
{
    return pattern.arg(row.cSpell, row.mSpell, AnalysisRow::text(row.generalRule),
                       AnalysisRow::text(row.reference));
}

// The integer value of a stored number; text that is not one counts as 0.
long long integerValue(const std::optional<QString>& number)
{
    return number ? number->trimmed().toLongLong() : 0;
}

} // namespace

AnalysisWindowController::AnalysisWindowController(AnalysisServices services,
                                                   AnalysisRowsModel& rows, QWidget* window,
                                                   QObject* parent)
    : QObject(parent), m_services(services), m_rows(rows), m_window(window)
{
    m_table = new AnalysisTableView(*this, rows, window);
    m_printAction = new QAction(tr("&Print…"), this);
    m_printAction->setShortcut(QKeySequence::Print);
    connect(m_printAction, &QAction::triggered, this, &AnalysisWindowController::printDocument);
    if (window)
        window->addAction(m_printAction);
}

AnalysisWindowController::~AnalysisWindowController()
{
    // The table refers back to this controller, so it does not outlive it.
    delete m_table.data();
}

void AnalysisWindowController::close()
{
    if (m_window)
        m_window->close();
}

bool AnalysisWindowController::changesWereMade() const
{
    const platform::ObjectContext* lessons = m_services.stores.lessons.context.get();
    return lessons && lessons->hasChanges();
}

QString AnalysisWindowController::copyText() const
{
    QString text;
    text.reserve(75);
    if (m_table)
        for (int row : m_table->selectedRowIndexes())
            text += rowText(m_rows.at(row), QStringLiteral("%1  %2  %3  %4\n"));
    return text;
}

bool AnalysisWindowController::prepareAnalysisContentForPaste()
{
    auto data = std::make_unique<QMimeData>();
    platform::pasteboard::setSingleString(*data, copyText());
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard owns it
    return true;
}

QString AnalysisWindowController::printText() const
{
    QString text;
    for (const AnalysisRow& row : m_rows.rows())
        text += rowText(row, QStringLiteral("%1   %2   %3   %4\n\n"));
    return text;
}

platform::TextPageSetup AnalysisWindowController::printSetup()
{
    return platform::TextPageSetup::document();
}

bool AnalysisWindowController::printToPrinter(QPrinter& printer) const
{
    QString error;
    if (platform::printPlainText(printer, printText(), printSetup(), &error))
        return true;
    qCWarning(lcAnalysisWindow) << "Unable to print the analysis:" << error;
    return false;
}

void AnalysisWindowController::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    platform::applyPageSetup(printer, printSetup());
    QPrintDialog dialog(&printer, m_window);
    if (dialog.exec() == QDialog::Accepted)
        printToPrinter(printer);
}

bool AnalysisWindowController::prepareAnalysisContentForDragToLessonWithRowIndexes(
    const QList<int>& rows, QMimeData* data)
{
    int last = -1;
    for (int row : rows)
        if (row >= 0 && row < m_rows.rowCount())
            last = std::max(last, row);
    if (last < 0 || !data)
        return false;
    const QVariantMap dictionary{{model::key::cSpell, m_rows.at(last).cSpell}};
    if (m_table) {
        m_table->setControlKey(false);
        m_table->setAllowsMultipleSelection(true);
    }
    return writeToPasteboard(data, dictionary);
}

bool AnalysisWindowController::writeToPasteboard(QMimeData* data, const QVariantMap& dictionary)
{
    const auto archive = platform::keyedArchive::archive(dictionary);
    if (!archive || !data)
        return false;
    QString error;
    // A failed file write does not stop the drag.
    if (!payloadFile::write(*archive, &error))
        reportPayloadNotWritten(payloadFile::path(), error);
    platform::pasteboard::setSingleType(*data, kNotFoundWordDragType, *archive);
    return true;
}

bool AnalysisWindowController::transmitSelectedRowDataToLessonsTableView()
{
    if (!m_table)
        return false;
    m_table->setAllowsMultipleSelection(true);
    const QList<int> selected = m_table->selectedRowIndexes();
    if (selected.isEmpty())
        return false;
    const AnalysisRow& row = m_rows.at(selected.last());

    long long levelIndex = integerValue(row.levelNumber) - 1;
    long long unitIndex = integerValue(row.unitNumber) - 1;
    if (row.isFallback()) {
        if (m_table->controlKey()) {
            levelIndex = -1;
            unitIndex = -1;
            m_table->setAllowsMultipleSelection(false);
        }
    } else {
        m_table->setAllowsMultipleSelection(true);
    }

    const QVariantMap userInfo{
        {QStringLiteral("LevelIndex"), QString::number(levelIndex)},
        {QStringLiteral("UnitIndex"), QString::number(unitIndex)},
        {QStringLiteral("CntrlKyDwn"), QStringLiteral("NO")},
        {model::key::cSpell, row.lessonWord()},
    };
    m_services.notifications.post(kPopUpLessonIndexNotification, this, userInfo);
    m_table->setControlKey(false);
    return true;
}

void AnalysisWindowController::reportPayloadNotWritten(const QString& path, const QString& error)
{
    // After the drag: a sheet would not come up while the pointer still carries the word.
    const platform::AlertSpec alert{
        tr("The dragged word could not be saved in your documents folder."),
        tr("%1\n%2\n\nDropping it on the lessons window still works.").arg(error, path),
        {tr("OK")}};
    QTimer::singleShot(0, this,
                       [this, alert] { m_services.alerts.beginSheet(alert, m_window, {}); });
}

void AnalysisWindowController::postEmptyListMessage()
{
    // A precise timer: a coarse one may fire up to 5 % early.
    QTimer::singleShot(1000, Qt::PreciseTimer, this,
                       &AnalysisWindowController::performEmptyListMessage);
}

void AnalysisWindowController::performEmptyListMessage()
{
    const platform::AlertSpec alert{
        tr("Your word error list is empty."),
        tr("Check to make sure you have any word errors in your Typewarden list."),
        {tr("OK")}};
    m_services.alerts.beginSheet(alert, m_window, {});
}

} // namespace lexotrace
