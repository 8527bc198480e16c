// Which form is active and which control has the keyboard focus: the one piece of process-wide
// state the controls share, below them (controls and forms call it; it calls only their events).
//
// Decisions:
// - Moving the focus asks the control that has it first: Validate with cancel keeps it there and
//   MoveFocus answers false; otherwise LostFocus, then GotFocus. A control that cannot take the
//   focus (hidden, disabled, itself or a container, a label) raises 5.
// - A form shown becomes the active form; a form unloaded or a control destroyed is forgotten
//   without LostFocus (nothing is left to tell).
#pragma once

namespace platform {

class Control;
class Form;

class Screen {
public:
    static Control* ActiveControl();
    static Form* ActiveForm();
    static bool MoveFocus(Control& control);
    // Takes the focus away from whichever control has it (LostFocus only), as when the
    // application loses the keyboard.
    static void ClearFocus();
    // Forgets a control that is going away.
    static void Forget(Control& control);
    // A form shown becomes the active one; the focus stays where it is.
    static void Activate(Form& form);
    // The focus held inside a form that unloads is dropped.
    static void Unloaded(Form& form);
};

} // namespace platform
