#pragma once

#include "platform/ui/ControlAlone.h"

#include <QTableView>

namespace platform
{

// A table whose Copy key is its own, and where a press of the left Ctrl key alone narrows the
// selection to one row and raises `controlKey` for the next action on a row. A shortcut with Ctrl
// or a Ctrl- or Shift-click works on many rows again.
class ControlAloneTableView : public QTableView
{
    Q_OBJECT
public:
    explicit ControlAloneTableView(QWidget* parent = nullptr);

    bool controlKey() const { return m_controlKey; }
    void setControlKey(bool on) { m_controlKey = on; }
    bool allowsMultipleSelection() const;
    void setAllowsMultipleSelection(bool on);

public slots:
    // The selected rows as text on the clipboard.
    virtual void copy() = 0;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Back to multiple selection after a Control alone.
    void endControlAlone();

private:
    bool m_controlKey = false;
    ControlAlone m_controlAlone;
};

} // namespace platform
