#pragma once

#include "platform/ui/ControlAlone.h"

#include <QTableView>

namespace lexotrace
{

class RelatedWordsArrayController;

// Which list a table or an edit command concerns.
enum LessonTableTag : quint16 {
    KVR_UnitLessonTableViewTag = 1,
    KVR_SectionLessonTableViewTag = 2,
    KVR_RelatedWordsLessonTableViewTag = 3,
};

// A table of the lessons window. Its edit keys go to the window's edit commands with the table's
// tag; a word dragged from the analysis window becomes a new row of the selected section.
class LessonsTableView : public QTableView
{
    Q_OBJECT
public:
    static inline const QString kNotFoundWordDragType =
        QStringLiteral("KVRDragNDropNotFoundWordRecordType");
    static inline const QString kRelatedWordsDragType =
        QStringLiteral("KVRDragNDropRelatedWordsType");

    LessonsTableView(LessonTableTag tag, QWidget* parent = nullptr);

    LessonTableTag tag() const { return m_tag; }
    // The rows list that dropped words go into.
    void setRelatedWordsArrayController(RelatedWordsArrayController* words) { m_words = words; }

    // Set by Control alone; the copy that uses it clears it.
    bool controlKey() const { return m_controlKey; }
    void setControlKey(bool on) { m_controlKey = on; }

    // Adds a dropped word as a row; false when the drop holds no word or no row was added.
    bool readFromPasteboard(const QMimeData& data);
    // What a drag of these rows carries: their positions, also in the payload file.
    bool writeRowsWithIndexes(const QList<int>& rows, QMimeData& data) const;

signals:
    void cutRequested(LessonTableTag tag);
    void copyRequested(LessonTableTag tag);
    void pasteRequested(LessonTableTag tag);
    void deleteRequested(LessonTableTag tag);
    // A dropped word became a row: the window selects it.
    void wordInserted(const QString& word);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    bool acceptsDrag(const QDropEvent& event) const;

    LessonTableTag m_tag;
    RelatedWordsArrayController* m_words = nullptr;
    bool m_controlKey = false;
    platform::ControlAlone m_controlAlone;
};

} // namespace lexotrace
