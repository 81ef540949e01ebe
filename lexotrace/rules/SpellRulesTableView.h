#pragma once

#include "platform/ui/ControlAloneTableView.h"

#include <functional>

class QMimeData;

namespace lexotrace
{

// The table of rules. Control alone narrows the selection to one row, so that one rule can be
// picked and dragged; a drag carries the last selected rule to a unit's general rule.
class SpellRulesTableView : public platform::ControlAloneTableView
{
    Q_OBJECT
public:
    // Fills a drag's payload; false when there is nothing to drag.
    using DragWriter = std::function<bool(QMimeData& data)>;

    explicit SpellRulesTableView(QWidget* parent = nullptr);

    void setDragWriter(DragWriter writer) { m_writeDrag = std::move(writer); }

public slots:
    void copy() override { emit copyRequested(); }

signals:
    void copyRequested();
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    DragWriter m_writeDrag;
};

} // namespace lexotrace
