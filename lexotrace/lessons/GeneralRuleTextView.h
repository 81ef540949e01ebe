#pragma once

#include "platform/ui/ControlAlone.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

class QMimeData;

namespace platform
{
class ArrayController;
}

namespace lexotrace
{

// The selected unit's general rule, shown and edited as text. A rule dragged from the rules
// window sets the unit's rule code and rule in one step. Cut, copy and paste act on the selected
// unit through the window's edit commands; after Control alone a copy takes the whole unit. A ring
// around the text shows while it has the focus and while a rule is dragged over it.
class GeneralRuleTextView : public QPlainTextEdit
{
    Q_OBJECT
public:
    static inline const QString kRuleDragType = QStringLiteral("KVRDragNDropGeneralRuleRecordType");

    explicit GeneralRuleTextView(QWidget* parent = nullptr);

    // The units list whose last selected unit the view shows and edits.
    void setUnitsArrayController(platform::ArrayController* units);
    // The field that shows the unit's rule code.
    void setCodeTextField(QLineEdit* field) { m_codeField = field; }

    bool controlKey() const { return m_controlKey; }
    void setControlKey(bool on) { m_controlKey = on; }
    bool focusRingShown() const { return m_ring; }

    // Sets the selected unit's rule code and rule from a dropped rule; false when the data holds
    // no rule.
    bool readFromPasteboard(const QMimeData& data);

signals:
    // The edit commands, for the units (the window's tag 1).
    void cutRequested();
    void copyRequested();
    void pasteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showSelectedUnit();
    void writeRuleToUnit();
    void setRing(bool on);

    QPointer<platform::ArrayController> m_units;
    QPointer<QLineEdit> m_codeField;
    bool m_controlKey = false;
    platform::ControlAlone m_controlAlone;
    bool m_ring = false;
    bool m_showing = false;
};

} // namespace lexotrace
