#pragma once

#include <QPushButton>
#include <QString>

class QWidget;

namespace lexotrace
{

// A control that sets its own enabled state.
class VRValidatedControl
{
public:
    virtual ~VRValidatedControl() = default;
    virtual void validate() = 0;
};

// Something that can receive a button's action (a window delegate).
class ActionResponder
{
public:
    virtual ~ActionResponder() = default;
    virtual bool respondsToAction(const QString& action) const = 0;
    virtual bool validateUserInterfaceItem(const QObject* item) const
    {
        Q_UNUSED(item);
        return true;
    }
};

// The common first steps: find the receiver of the action (the explicit target, else the nearest
// enclosing widget that responds to it); with none the button is disabled.
class ValidatedButton : public QPushButton, public VRValidatedControl
{
    Q_OBJECT
public:
    explicit ValidatedButton(const QString& action, QWidget* parent = nullptr);

    const QString& action() const { return m_action; }
    void setTarget(ActionResponder* target) { m_target = target; }
    ActionResponder* targetForAction() const;

    void validate() override;

protected:
    // Whether the found receiver enables the button.
    virtual bool enabledFor(const ActionResponder& receiver) const;

private:
    QString m_action;
    ActionResponder* m_target = nullptr;
};

class ValidatedAddButton : public ValidatedButton
{
    Q_OBJECT
public:
    using ValidatedButton::ValidatedButton;
};

class ValidatedDeleteButton : public ValidatedButton
{
    Q_OBJECT
public:
    using ValidatedButton::ValidatedButton;
};

// Enabled as the receiver validates it, when the receiver handles "revertAction:".
class ValidatedRevertButton : public ValidatedButton
{
    Q_OBJECT
public:
    using ValidatedButton::ValidatedButton;

protected:
    bool enabledFor(const ActionResponder& receiver) const override;
};

// Enabled as the receiver validates it, when the receiver handles "saveAction:".
class ValidatedSaveButton : public ValidatedButton
{
    Q_OBJECT
public:
    using ValidatedButton::ValidatedButton;

protected:
    bool enabledFor(const ActionResponder& receiver) const override;
};

class ValidatedTypewardenOnOffButton : public ValidatedButton
{
    Q_OBJECT
public:
    using ValidatedButton::ValidatedButton;

protected:
    bool enabledFor(const ActionResponder& receiver) const override;
};

// What a window delegate does on every window update: validate each direct child of the content
// view that is a validated control.
void validateControls(QWidget* contentView);

} // namespace lexotrace
