#pragma once

#include "platform/ui/ControlAloneTableView.h"
#include <QList>

#include <QTableView>

class QAction;
class QMimeData;

namespace lexotrace
{

class AnalysisRowsModel;
class AnalysisWindowController;

// The analysis window's table. Rows can be dragged (to the lessons window) but not dropped on;
// Copy copies the selected rows as text; a press of the left Ctrl key alone arms the rule that a
// fallback row's lesson request names no level or unit.
class AnalysisTableView : public platform::ControlAloneTableView
{
    Q_OBJECT
public:
    AnalysisTableView(AnalysisWindowController& controller, AnalysisRowsModel& rows,
                      QWidget* parent = nullptr);

    // Rows of the list that are selected, in display order (rows cannot be reordered, so that is
    // the list's order).
    QList<int> selectedRowIndexes() const;
    // Selects exactly these rows of the list.
    void selectRowIndexes(const QList<int>& rows);

    // What a drag of these rows carries; always true, a failure is only logged.
    bool writeRowsWithIndexes(const QList<int>& rows, QMimeData* data);
    // "Open Lesson": in the table's context menu and on a double click.
    QAction* openLessonAction() const { return m_openLesson; }
    // Opens the lessons window, then on the next event-loop turn asks it to show the selected
    // row's lesson.
    void openSelectedLesson();
    void scrollToEndOfList();

public slots:
    void copy() override;

private:
    AnalysisWindowController& m_controller;
    QAction* m_openLesson = nullptr;
};

} // namespace lexotrace
