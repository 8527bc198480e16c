// The steps that act as the user: log in, find, choose, click, type, press keys, move the focus,
// use the grid's mouse and the wheel, resize, set a member, answer a modal, close and save a
// printout. An action reaches only what the user could: a shown, enabled control, the focus
// taken first as a click takes it.
#include "host/script/Runner.h"

#include "host/script/PdfOutput.h"
#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Grid.h"
#include "platform/Host.h"
#include "platform/Report.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "store/Store.h"
#include "suite_controls/SuiteControls.h"

namespace script {

namespace {

constexpr int32_t WheelDelta = 120;

platform::Variant ValueOf(const Token& token)
{
    if (!token.Quoted) {
        if (token.Text == "true" || token.Text == "false")
            return token.Text == "true";
        if (const auto number = ReadInteger(token.Text))
            return *number;
    }
    return token.Text;
}

} // namespace

bool Runner::IsPasswordBox(const platform::Control& control)
{
    const auto* box = dynamic_cast<const suite_controls::QVTextBox*>(&control);
    return box && !box->PasswordChar().empty();
}

// ---- Setting up

void Runner::LogIn(const Step& step)
{
    const std::string& name = step.Arguments[0].Text;
    auto user = store::LogIn(m_session.Store(), name, step.Arguments[1].Text);
    Note("store: login of " + Quote(name) + (user ? " accepted" : " refused"));
    if (!user) {
        Fail(step, "expected the login of " + Quote(name) +
                       " to be accepted, got it refused (unknown user or wrong password)");
    }
    m_session.User = std::move(user);
}

// ---- Acting as the user

void Runner::Find(const Step& step, bool confirm)
{
    auto& find = ControlAs<suite_controls::QVFind>(step, "a find box");
    if (!confirm) {
        if (!find.UserReset())
            Note("the focus stayed on " + FocusedName());
        return;
    }
    if (!find.UserType(step.Arguments[0].Text)) {
        Note("the focus stayed on " + FocusedName());
        return;
    }
    find.UserConfirm();
}

void Runner::Choose(const Step& step)
{
    auto& combo = ControlAs<suite_controls::QVComboBox>(step, "a combo box");
    const Token& entry = step.Arguments[0];
    const auto index = entry.Quoted ? std::nullopt : ReadInteger(entry.Text);
    bool chosen = false;
    if (index) {
        if (*index < 0 || *index >= combo.ListCount)
            Fail(step, step.Target.ToText() + " has no entry " + std::to_string(*index) +
                           " (ListCount " + std::to_string(combo.ListCount()) + ")");
        chosen = combo.UserSelect(static_cast<int16_t>(*index));
    } else {
        bool listed = false;
        for (int32_t i = 0; i < combo.ListCount && !listed; ++i)
            listed = combo.List(i) == entry.Text;
        if (!listed)
            Fail(step, step.Target.ToText() + " has no entry " + Quote(entry.Text));
        chosen = combo.UserSelectText(entry.Text);
    }
    if (!chosen)
        Note("the focus stayed on " + FocusedName());
}

void Runner::Click(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    if (!control.TakesInput(platform::Control::UserInput::Click))
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") cannot be clicked");
    if (!control.UserClick())
        Note("the focus stayed on " + FocusedName());
}

void Runner::Type(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    const std::string& text = step.Arguments[0].Text;
    if (IsPasswordBox(control))
        m_session.Tracer().KeepSecret(text);
    if (!control.TakesInput(platform::Control::UserInput::Type))
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") is not a box to type in");
    if (!control.UserType(text)) {
        Note("the focus stayed on " + FocusedName());
        return;
    }
    if (!suite_controls::UserLeave(control))
        Note("Validate kept the focus on " + step.Target.ToText());
}

void Runner::Key(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    const auto keyCode = static_cast<int16_t>(*ReadInteger(step.Arguments[0].Text));
    const auto shift =
        static_cast<int16_t>(step.Arguments.size() > 1 ? *ReadInteger(step.Arguments[1].Text) : 0);
    const platform::Form* form = control.ParentForm();
    // A control without keys of its own still passes its form's shortcuts on.
    const bool shortcut = control.CanTakeFocus() && !control.TakesKey(keyCode, shift) && form &&
                          form->HasShortcut(keyCode, shift);
    if (!control.TakesInput(platform::Control::UserInput::Key) && !shortcut)
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") takes no keys");
    if (!control.UserPressKey(keyCode, shift, {}))
        Note("the focus stayed on " + FocusedName());
}

void Runner::Focus(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    if (!control.CanTakeFocus())
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") cannot take the focus");
    if (!control.UserFocus())
        Note("the focus stayed on " + FocusedName());
}

void Runner::GridMouse(const Step& step)
{
    auto& grid = ControlAs<platform::Grid>(step, "a grid");
    const int32_t row = *ReadInteger(step.Arguments[0].Text);
    if (row < 0 || row >= grid.Rows)
        Fail(step, step.Target.ToText() + " has no row " + std::to_string(row) + " (Rows " +
                       std::to_string(grid.Rows()) + ")");
    // The first column the user sees scroll, as a click on the row's text lands there.
    const int32_t col = grid.FixedCols < grid.Cols ? grid.FixedCols() : 0;
    if (step.Kind == Command::Row)
        grid.UserClickCell(row, col);
    else if (step.Kind == Command::DblClick)
        grid.UserDoubleClick(row, col);
    else
        grid.UserRightClick(row, col);
}

void Runner::Wheel(const Step& step)
{
    auto& grid = ControlAs<platform::Grid>(step, "a grid");
    const int32_t notches = *ReadInteger(step.Arguments[0].Text);
    if (notches != 1 && notches != -1)
        Fail(step, "wheel takes +1 (away from the user) or -1 (towards the user)");
    platform::Form* form = grid.ParentForm();
    // The mouse rests over the grid's top left corner, in pixels of the form.
    int32_t x = 0;
    int32_t y = 0;
    for (const platform::Control* c = &grid; c && c != form; c = c->Container()) {
        x += c->Left;
        y += c->Top;
    }
    x /= platform::TwipsPerPixel;
    y /= platform::TwipsPerPixel;
    const int32_t wParam = notches * WheelDelta * 65536;
    const int32_t lParam = (x & 0xFFFF) | (y * 65536);
    platform::UserAction action;
    platform::SendMessageA(form->hWnd(), platform::WM_MOUSEWHEEL, wParam, lParam);
}

void Runner::Resize(const Step& step)
{
    platform::Form& form = FormOf(step);
    const int32_t width = *ReadInteger(step.Arguments[0].Text);
    const int32_t height = *ReadInteger(step.Arguments[1].Text);
    platform::UserAction action;
    form.Move(form.Left, form.Top, width, height);
}

void Runner::Set(const Step& step)
{
    platform::Form& form = FormOf(step);
    platform::Control& target = step.Target.Control.empty() ? form : ControlOf(step);
    if (IsPasswordBox(target))
        m_session.Tracer().KeepSecret(step.Arguments[0].Text);
    try {
        platform::UserAction action;
        target.Set(step.Target.Member, ValueOf(step.Arguments[0]), step.Target.Index);
    } catch (const platform::RuntimeError& error) {
        if (error.Number() == platform::errObjectDoesNotSupport)
            Fail(step, step.Target.ToText() + ": " + target.Name() + " has no member " +
                           step.Target.Member);
        Fail(step, "setting " + step.Target.ToText() + ": " +
                       ErrorText(error.Number(), error.Description()));
    }
}

void Runner::Modal(const Step& step)
{
    const std::size_t id = m_modalBlocks.size();
    m_modalBlocks.push_back({step.Line, step.Target.Form});
    m_session.Host.OnModal(step.Target.Form, [this, id, &step](platform::Form& form) {
        m_modalBlocks[id].Used = true;
        // After a failure nothing more is played: the dialog just goes away.
        if (m_pending)
            return;
        try {
            RunSteps(step.Block);
        } catch (const Failure& failure) {
            m_pending = failure;
            return;
        }
        if (form.Visible)
            m_pending = Failure{step.Line, "the modal block left " + form.Name() + " shown"};
    });
}

void Runner::Close(const Step& step)
{
    platform::Form& form = FormOf(step);
    platform::UserAction action;
    if (!form.UserClose())
        Note(form.Name() + " did not close: its QueryUnload cancelled");
}

void Runner::SavePdf(const Step& step)
{
    platform::Report* shown = m_session.Host.PreviewShown();
    if (!shown)
        Fail(step, "no print preview is open: save-pdf needs one shown");
    const std::string& path = step.Arguments[0].Text;
    std::string why;
    if (!WritePdf(shown->Pages(), path, why))
        Fail(step, "save-pdf " + Quote(path) + ": " + why);
    Note("pdf " + Quote(path) + " written, " + std::to_string(shown->Pages().Pages.size()) +
         " page(s)");
    platform::UserAction action;
    shown->UserClose();
}

platform::Control& Runner::ReachableControl(const Step& step) const
{
    platform::Control& control = ControlOf(step);
    const std::string path = step.Target.ToText();
    // A menu item is reached through its pop-up, whatever its hidden top menu says.
    if (dynamic_cast<platform::Menu*>(&control)) {
        if (!control.Visible || !control.Enabled)
            Fail(step, path + " is " + (control.Visible ? "disabled" : "hidden") +
                           ": the user cannot reach it");
        return control;
    }
    if (!control.IsShown())
        Fail(step, path + " is hidden: the user cannot reach it");
    for (const platform::Control* c = &control; c; c = c->Container()) {
        if (!c->Enabled)
            Fail(step, path + " is disabled: the user cannot reach it");
    }
    return control;
}

template <class T>
T& Runner::ControlAs(const Step& step, const char* what) const
{
    platform::Control& control = ReachableControl(step);
    auto* typed = dynamic_cast<T*>(&control);
    if (!typed)
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") is not " + what);
    return *typed;
}

} // namespace script
