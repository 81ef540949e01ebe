#include "lexotrace/app/ValidatedButtons.h"

#include "lexotrace/app/LXMainAppController.h"

namespace lexotrace
{

ValidatedButton::ValidatedButton(const QString& action, QWidget* parent)
    : QPushButton(parent), m_action(action)
{
}

ActionResponder* ValidatedButton::targetForAction() const
{
    if (m_target)
        return m_target->respondsToAction(m_action) ? m_target : nullptr;
    for (QObject* o = parent(); o; o = o->parent())
        if (auto* responder = dynamic_cast<ActionResponder*>(o);
            responder && responder->respondsToAction(m_action))
            return responder;
    return nullptr;
}

void ValidatedButton::validate()
{
    const ActionResponder* receiver = targetForAction();
    setEnabled(receiver && enabledFor(*receiver));
}

bool ValidatedButton::enabledFor(const ActionResponder&) const
{
    return true;
}

bool ValidatedRevertButton::enabledFor(const ActionResponder& receiver) const
{
    if (!receiver.respondsToAction(QStringLiteral("revertAction:")))
        return true;
    return receiver.validateUserInterfaceItem(this);
}

bool ValidatedSaveButton::enabledFor(const ActionResponder& receiver) const
{
    if (!receiver.respondsToAction(QStringLiteral("saveAction:")))
        return true;
    return receiver.validateUserInterfaceItem(this);
}

bool ValidatedTypewardenOnOffButton::enabledFor(const ActionResponder& receiver) const
{
    qCDebug(lcApp) << "validateUserInterfaceItem";
    return receiver.validateUserInterfaceItem(this);
}

void validateControls(QWidget* contentView)
{
    if (!contentView)
        return;
    for (QObject* child : contentView->children())
        if (auto* control = dynamic_cast<VRValidatedControl*>(child))
            control->validate();
}

} // namespace lexotrace
