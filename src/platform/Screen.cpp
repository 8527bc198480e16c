// The focus and the active form, kept once per process as a window system keeps them.
#include "platform/Screen.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/Errors.h"

namespace platform {

namespace {

Control* s_activeControl = nullptr;
Form* s_activeForm = nullptr;

bool IsEnabledAllTheWay(const Control& control)
{
    for (const Control* c = &control; c; c = c->Container()) {
        if (!c->Enabled)
            return false;
    }
    return true;
}

} // namespace

Control* Screen::ActiveControl()
{
    return s_activeControl;
}

Form* Screen::ActiveForm()
{
    return s_activeForm;
}

bool Screen::MoveFocus(Control& control)
{
    if (!control.CanTakeFocus() || !control.IsShown() || !IsEnabledAllTheWay(control))
        Raise(errInvalidProcedureCall);
    Control* previous = s_activeControl;
    if (previous == &control)
        return true;
    if (previous) {
        bool cancel = false;
        previous->Validate.Raise(cancel);
        if (cancel)
            return false;
        s_activeControl = nullptr;
        previous->LostFocus.Raise();
    }
    s_activeControl = &control;
    if (Form* form = control.ParentForm())
        s_activeForm = form;
    control.GotFocus.Raise();
    return true;
}

void Screen::ClearFocus()
{
    if (Control* previous = s_activeControl) {
        s_activeControl = nullptr;
        previous->LostFocus.Raise();
    }
}

void Screen::Forget(Control& control)
{
    if (s_activeControl == &control)
        s_activeControl = nullptr;
    if (s_activeForm == &control)
        s_activeForm = nullptr;
}

void Screen::Activate(Form& form)
{
    s_activeForm = &form;
}

void Screen::Unloaded(Form& form)
{
    if (s_activeControl && s_activeControl->ParentForm() == &form)
        s_activeControl = nullptr;
}

} // namespace platform
