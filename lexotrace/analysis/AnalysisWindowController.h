#pragma once

#include "lexotrace/analysis/AnalysisServices.h"
#include "lexotrace/store/LocalNotifications.h"
#include "platform/ui/Printing.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class QAction;
class QMimeData;
class QPrinter;
class QWidget;

namespace lexotrace
{

class AnalysisRowsModel;
class AnalysisTableView;

// The analysis window's content operations: copy of the selected rows as text, printing of the
// whole list, the payload of a word dragged to the lessons window, the request to open a row's
// lesson and the message shown when there are no captured pairs. It creates the window's table
// (an AnalysisTableView in `window`), which whoever lays the window out places.
class AnalysisWindowController : public QObject
{
    Q_OBJECT
public:
    static inline const QString& kPopUpLessonIndexNotification = notification::PopUpLessonIndex;
    static inline const QString kNotFoundWordDragType =
        QStringLiteral("KVRDragNDropNotFoundWordRecordType");

    // `window` is the analysis window: the table's parent and where the empty-list sheet appears.
    AnalysisWindowController(AnalysisServices services, AnalysisRowsModel& rows, QWidget* window,
                             QObject* parent = nullptr);
    ~AnalysisWindowController() override;

    QWidget* window() const { return m_window; }
    AnalysisTableView* analysisTableView() const { return m_table; }
    // "Print…" (the Print shortcut), attached to the window; it opens the print dialog.
    QAction* printAction() const { return m_printAction; }

    void close();
    // Whether the lessons store holds unsaved changes.
    bool changesWereMade() const;

    // Copy: the selected rows, in display order, as text on the clipboard (empty text when
    // nothing is selected).
    bool prepareAnalysisContentForPaste();
    QString copyText() const;

    // Print: every row in display order, one line and an empty line each.
    QString printText() const;
    // 50-point margins, 90 % scale, 10-point "Lucida Grande" or the desktop's sans-serif.
    static platform::TextPageSetup printSetup();
    // Prints the list to the printer with that setup (the printer's own margins are replaced).
    bool printToPrinter(QPrinter& printer) const;
    // Opens the print dialog on the window and prints when the user accepts.
    void printDocument();

    // Drag: the correct spelling of the last of the rows, as the archive {cSpell: word}, both
    // in the documents folder's payload file and on `data` as the not-found-word type.
    bool prepareAnalysisContentForDragToLessonWithRowIndexes(const QList<int>& rows,
                                                             QMimeData* data);
    bool writeToPasteboard(QMimeData* data, const QVariantMap& dictionary);

    // Brings the lessons window forward, for a lesson about to be opened.
    void showLessonsWindow() { emit lessonsWindowRequested(); }
    // Open-lesson request for the last selected row; false (and nothing posted) without one.
    bool transmitSelectedRowDataToLessonsTableView();

    // Shows the empty-list sheet on the window one second from now.
    void postEmptyListMessage();
    void performEmptyListMessage();

signals:
    void lessonsWindowRequested();

private:
    void reportPayloadNotWritten(const QString& path, const QString& error);

    AnalysisServices m_services;
    AnalysisRowsModel& m_rows;
    QPointer<QWidget> m_window;
    QPointer<AnalysisTableView> m_table;
    QAction* m_printAction = nullptr;
};

} // namespace lexotrace
