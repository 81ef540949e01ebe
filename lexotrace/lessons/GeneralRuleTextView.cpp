#include "lexotrace/lessons/GeneralRuleTextView.h"

#include "model/OrthovaModel.h"
#include "platform/ArrayController.h"
#include "platform/Pasteboard.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace lexotrace
{

GeneralRuleTextView::GeneralRuleTextView(QWidget* parent) : QPlainTextEdit(parent)
{
    setAccessibleName(tr("General rule"));
    setAcceptDrops(true);
    setViewportMargins(2, 5, 2, 5);
    connect(this, &QPlainTextEdit::textChanged, this, &GeneralRuleTextView::writeRuleToUnit);
}

void GeneralRuleTextView::setUnitsArrayController(platform::ArrayController* units)
{
    if (m_units)
        disconnect(m_units, nullptr, this, nullptr);
    m_units = units;
    if (m_units) {
        connect(m_units, &platform::ArrayController::selectionChanged, this,
                &GeneralRuleTextView::showSelectedUnit);
        connect(m_units, &platform::ArrayController::arrangedObjectsChanged, this,
                &GeneralRuleTextView::showSelectedUnit);
    }
    showSelectedUnit();
}

void GeneralRuleTextView::showSelectedUnit()
{
    const platform::ManagedObject* unit = m_units ? m_units->lastSelectedObject() : nullptr;
    const QString rule = unit ? unit->string(model::key::generalRule) : QString();
    setReadOnly(!unit);
    if (rule == toPlainText())
        return;
    // Shown, not typed: the unit is not written back.
    m_showing = true;
    setPlainText(rule);
    m_showing = false;
}

void GeneralRuleTextView::writeRuleToUnit()
{
    platform::ManagedObject* unit = m_units ? m_units->lastSelectedObject() : nullptr;
    if (m_showing || !unit || unit->string(model::key::generalRule) == toPlainText())
        return;
    unit->setValue(model::key::generalRule, toPlainText());
}

bool GeneralRuleTextView::readFromPasteboard(const QMimeData& data)
{
    const auto bytes = platform::pasteboard::dataForType(data, kRuleDragType);
    const auto rule = bytes ? platform::keyedArchive::unarchiveDictionary(*bytes) : std::nullopt;
    if (!rule || !rule->contains(QStringLiteral("rule")))
        return false;
    const QString code = rule->value(QStringLiteral("ruleCode")).toString();
    const QString text = rule->value(QStringLiteral("rule")).toString();
    if (platform::ManagedObject* unit = m_units ? m_units->lastSelectedObject() : nullptr) {
        unit->setValue(model::key::generalRuleCode, code);
        unit->setValue(model::key::generalRule, text);
    }
    if (m_codeField) {
        m_codeField->setText(code);
        m_codeField->selectAll();
    }
    showSelectedUnit();
    selectAll();
    return true;
}

void GeneralRuleTextView::keyPressEvent(QKeyEvent* event)
{
    if (m_controlAlone.press(*event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
    } else if (event->matches(QKeySequence::Cut)) {
        emit cutRequested();
    } else if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
    } else {
        // Typing ends a Control alone; shortcuts with Ctrl do not.
        if (!(event->modifiers() & Qt::ControlModifier))
            m_controlKey = false;
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GeneralRuleTextView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_controlAlone.release(*event))
        m_controlKey = true;
    QPlainTextEdit::keyReleaseEvent(event);
}

void GeneralRuleTextView::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    setRing(true);
}

void GeneralRuleTextView::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    setRing(false);
}

void GeneralRuleTextView::dragEnterEvent(QDragEnterEvent* event)
{
    // A rule from elsewhere; a drag of this view's own text is not a rule.
    if (event->source() == this ||
        !event->mimeData()->hasFormat(platform::pasteboard::format(kRuleDragType))) {
        event->ignore();
        return;
    }
    setRing(true);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void GeneralRuleTextView::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void GeneralRuleTextView::dragLeaveEvent(QDragLeaveEvent* event)
{
    setRing(hasFocus());
    event->accept();
}

void GeneralRuleTextView::dropEvent(QDropEvent* event)
{
    setRing(hasFocus());
    if (!readFromPasteboard(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void GeneralRuleTextView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(tr("Cut"), this, &GeneralRuleTextView::cutRequested);
    menu.addAction(tr("Copy"), this, &GeneralRuleTextView::copyRequested);
    menu.addAction(tr("Paste"), this, &GeneralRuleTextView::pasteRequested);
    menu.exec(event->globalPos());
}

void GeneralRuleTextView::setRing(bool on)
{
    if (m_ring == on)
        return;
    m_ring = on;
    setStyleSheet(on ? QStringLiteral("QPlainTextEdit { border: 2px solid palette(highlight); }")
                     : QString());
}

} // namespace lexotrace
