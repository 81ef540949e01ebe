#include "lexotrace/lessons/LessonsTableView.h"

#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/store/PayloadFile.h"
#include "model/OrthovaModel.h"
#include "platform/Pasteboard.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMimeData>

#include <algorithm>
#include <memory>

namespace lexotrace
{

namespace
{

Q_LOGGING_CATEGORY(lcLessonsTable, "lexotrace.lessons.table")

} // namespace

LessonsTableView::LessonsTableView(LessonTableTag tag, QWidget* parent)
    : QTableView(parent), m_tag(tag)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void LessonsTableView::keyPressEvent(QKeyEvent* event)
{
    if (m_controlAlone.press(*event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy))
        emit copyRequested(m_tag);
    else if (event->matches(QKeySequence::Cut))
        emit cutRequested(m_tag);
    else if (event->matches(QKeySequence::Paste))
        emit pasteRequested(m_tag);
    else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        emit deleteRequested(m_tag);
    else
        return QTableView::keyPressEvent(event);
    event->accept();
}

void LessonsTableView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_controlAlone.release(*event))
        m_controlKey = true;
    QTableView::keyReleaseEvent(event);
}

bool LessonsTableView::acceptsDrag(const QDropEvent& event) const
{
    // Rows dragged within this table are not taken.
    if (event.source() == this)
        return false;
    const QMimeData* data = event.mimeData();
    return data->hasFormat(platform::pasteboard::format(kNotFoundWordDragType)) ||
           data->hasFormat(platform::pasteboard::format(kRelatedWordsDragType));
}

void LessonsTableView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void LessonsTableView::dragMoveEvent(QDragMoveEvent* event)
{
    // The whole table is the target, whatever row is under the pointer.
    if (!acceptsDrag(*event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void LessonsTableView::dropEvent(QDropEvent* event)
{
    if (!acceptsDrag(*event) || !readFromPasteboard(*event->mimeData())) {
        qCWarning(lcLessonsTable) << "Error: Could not read from dragging pasteboard";
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

bool LessonsTableView::writeRowsWithIndexes(const QList<int>& rows, QMimeData& data) const
{
    const auto archive = platform::keyedArchive::archive(QVariant::fromValue(rows));
    if (!archive)
        return false;
    payloadFile::write(*archive);
    platform::pasteboard::setSingleType(data, kRelatedWordsDragType, *archive);
    return true;
}

void LessonsTableView::startDrag(Qt::DropActions)
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    auto data = std::make_unique<QMimeData>();
    if (rows.isEmpty() || !writeRowsWithIndexes(rows, *data))
        return;
    auto* drag = new QDrag(this); // deleted by Qt when the drag ends
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

bool LessonsTableView::readFromPasteboard(const QMimeData& data)
{
    if (data.hasFormat(platform::pasteboard::format(kNotFoundWordDragType))) {
        if (data.data(platform::pasteboard::format(kNotFoundWordDragType)).isEmpty()) {
            QApplication::beep();
            return false;
        }
        // The word travels in the payload file; a drop without it adds no empty row.
        const auto archive = payloadFile::read();
        const auto dictionary =
            archive ? platform::keyedArchive::unarchiveDictionary(*archive) : std::nullopt;
        const QString word =
            dictionary ? dictionary->value(model::key::cSpell).toString() : QString();
        qCInfo(lcLessonsTable).noquote() << "cSpell:" << word;
        if (word.isEmpty() || !m_words || !m_words->addFromMissedWordDragNDrop(word))
            return false;
        emit wordInserted(word);
        return true;
    }
    if (data.hasFormat(platform::pasteboard::format(kRelatedWordsDragType))) {
        if (data.data(platform::pasteboard::format(kRelatedWordsDragType)).isEmpty()) {
            QApplication::beep();
            return false;
        }
        // Rows dragged between the tables are taken but not moved.
        return true;
    }
    return false;
}

} // namespace lexotrace
