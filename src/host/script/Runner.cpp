#include "host/script/Runner.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "contracts/SuiteControls.h"
#include "host/script/PdfOutput.h"
#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Grid.h"
#include "platform/Host.h"
#include "platform/Report.h"
#include "platform/Runtime.h"
#include "platform/WindowSystem.h"
#include "store/Store.h"

#include <algorithm>
#include <exception>

namespace script {

namespace {

constexpr int32_t WheelDelta = 120;

int32_t AnswerOf(const std::string& word)
{
    if (word == "yes")
        return platform::vbYes;
    if (word == "no")
        return platform::vbNo;
    if (word == "ok")
        return platform::vbOK;
    if (word == "cancel")
        return platform::vbCancel;
    if (word == "abort")
        return platform::vbAbort;
    if (word == "retry")
        return platform::vbRetry;
    return platform::vbIgnore;
}

int32_t IconOf(const std::string& word)
{
    if (word == "critical")
        return platform::vbCritical;
    if (word == "question")
        return platform::vbQuestion;
    if (word == "exclamation")
        return platform::vbExclamation;
    return platform::vbInformation;
}

// The character a key gives in a box that only sees characters (a number box): 0 for none.
int16_t CharacterOfKey(int32_t keyCode, int32_t shift)
{
    if (keyCode == 8 || keyCode == 13 || keyCode == 27 || keyCode == 32)
        return static_cast<int16_t>(keyCode);
    if (keyCode >= '0' && keyCode <= '9')
        return static_cast<int16_t>(keyCode);
    if (keyCode >= 'A' && keyCode <= 'Z')
        return static_cast<int16_t>((shift & platform::vbShiftMask) != 0 ? keyCode : keyCode + 32);
    if (keyCode >= 96 && keyCode <= 105) // the numeric keypad's digits
        return static_cast<int16_t>(keyCode - 96 + '0');
    if (keyCode == 188 || keyCode == 110) // comma, and the keypad's decimal key
        return ',';
    if (keyCode == 190)
        return '.';
    if (keyCode == 189 || keyCode == 109)
        return '-';
    return 0;
}

// The focus first, as a click gives it; false when a Validate kept it elsewhere.
bool TakeFocus(platform::Control& control)
{
    if (control.HasFocus())
        return true;
    platform::UserAction action;
    return platform::Screen::MoveFocus(control);
}

std::string FocusedName()
{
    platform::Control* focused = platform::Screen::ActiveControl();
    if (!focused)
        return "nothing";
    const platform::Form* form = focused->ParentForm();
    return form && form != focused ? form->Name() + "." + focused->Name() : focused->Name();
}

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

std::string ErrorText(int32_t number, const std::string& description)
{
    return "run-time error " + std::to_string(number) + ": " + description;
}

// Keeps the trace on the line of the step running, and gives it back to the step that was
// running before (a modal block runs inside another step).
class TraceLine {
public:
    TraceLine(Trace& trace, const Script& script, int line, int& current)
        : m_trace(trace), m_script(script), m_current(current), m_previous(current)
    {
        m_current = line;
        m_trace.At(m_script.Name, line);
    }
    ~TraceLine()
    {
        m_current = m_previous;
        m_trace.At(m_script.Name, m_previous);
    }
    TraceLine(const TraceLine&) = delete;
    TraceLine& operator=(const TraceLine&) = delete;

private:
    Trace& m_trace;
    const Script& m_script;
    int& m_current;
    int m_previous;
};

} // namespace

Runner::Runner(Session& session, const Script& script) : m_session(session), m_script(script) {}

void Runner::Run()
{
    RunSteps(m_script.Steps);
    CheckAtEnd();
}

void Runner::RunSteps(const std::vector<Step>& steps)
{
    for (const Step& step : steps)
        RunStep(step);
}

void Runner::RunStep(const Step& step)
{
    const TraceLine traceLine(m_session.Tracer(), m_script, step.Line, m_currentLine);
    try {
        Execute(step);
    } catch (const Failure&) {
        throw;
    } catch (const platform::RuntimeError& error) {
        // A modal block's failure came first and says more than what followed from it.
        if (m_pending)
            throw *m_pending;
        Fail(step, ErrorText(error.Number(), error.Description()));
    } catch (const std::exception& error) {
        if (m_pending)
            throw *m_pending;
        Fail(step, error.what());
    }
    CheckAfterStep(step);
}

void Runner::Fail(const Step& step, const std::string& message) const
{
    throw Failure{step.Line, message};
}

void Runner::Execute(const Step& step)
{
    const auto& args = step.Arguments;
    switch (step.Kind) {
    case Command::App:
        m_session.ApplicationName = args[0].Text;
        return;
    case Command::Login:
        LogIn(step);
        return;
    case Command::User:
        m_session.User = std::make_shared<ScriptUser>(step.Rights);
        return;
    case Command::Today:
        m_session.Host.SetToday(*platform::Date::Parse(args[0].Text));
        return;
    case Command::Os:
        m_session.OperatingSystem = args[0].Text;
        return;
    case Command::Start:
        m_session.Start();
        return;
    case Command::Find:
        Find(step, true);
        return;
    case Command::Discard:
        Find(step, false);
        return;
    case Command::Choose:
        Choose(step);
        return;
    case Command::Click:
        Click(step);
        return;
    case Command::Type:
        Type(step);
        return;
    case Command::Key:
        Key(step);
        return;
    case Command::Focus:
        Focus(step);
        return;
    case Command::Leave:
        if (!contracts::UserLeave(ControlOf(step)))
            Note("Validate kept the focus on " + step.Target.ToText());
        return;
    case Command::Row:
    case Command::DblClick:
    case Command::RightClick:
        GridMouse(step);
        return;
    case Command::Wheel:
        Wheel(step);
        return;
    case Command::Resize:
        Resize(step);
        return;
    case Command::Set:
        Set(step);
        return;
    case Command::Answer:
        m_session.Host.QueueScriptAnswer(AnswerOf(args[0].Text), step.Line);
        return;
    case Command::Modal:
        Modal(step);
        return;
    case Command::Close:
        Close(step);
        return;
    case Command::SavePdf:
        SavePdf(step);
        return;
    case Command::Expect:
        Expect(step);
        return;
    case Command::ExpectMessage:
        ExpectMessage(step);
        return;
    case Command::ExpectNoMessage:
        ExpectNoMessage(step);
        return;
    case Command::ExpectError:
        ExpectError(step);
        return;
    case Command::ExpectNoError:
        ExpectNoError(step);
        return;
    case Command::ExpectModal:
        ExpectModal(step);
        return;
    case Command::ExpectStored:
        ExpectStored(step);
        return;
    case Command::ExpectRows:
        ExpectRows(step);
        return;
    case Command::ExpectFocus:
        ExpectFocus(step);
        return;
    case Command::ExpectLoginRefused:
        ExpectLoginRefused(step);
        return;
    }
}

void Runner::CheckAfterStep(const Step& step)
{
    if (m_pending)
        throw *m_pending;
    const auto& unanswered = m_session.Host.UnansweredQuestions();
    if (unanswered.size() > m_unansweredSeen) {
        const auto& question = unanswered[m_unansweredSeen];
        m_unansweredSeen = unanswered.size();
        Fail(step, "question " + Quote(question.Prompt) +
                       " had no answer queued (write answer yes or no before this step)");
    }
    const auto& stuck = m_session.Host.StuckModals();
    if (stuck.size() > m_stuckSeen) {
        const std::string form = stuck[m_stuckSeen];
        m_stuckSeen = stuck.size();
        Fail(step, form + " was shown modally with no modal block for it");
    }
}

void Runner::CheckAtEnd()
{
    const auto& host = m_session.Host;
    if (m_messagesChecked < host.MessageBoxes().size()) {
        throw Failure{m_script.LastLine, "message left unchecked: " +
                                             Quote(host.MessageBoxes()[m_messagesChecked].Prompt)};
    }
    if (m_errorsChecked < host.ErrorReports().size()) {
        const auto& report = host.ErrorReports()[m_errorsChecked];
        throw Failure{m_script.LastLine,
                      "error report left unchecked: " + std::to_string(report.Number) + " " +
                          Quote(report.Description) + " at " + Quote(report.Location)};
    }
    if (!host.QueuedAnswers().empty()) {
        throw Failure{host.QueuedAnswers().front().second,
                      "this answer was never asked for: no question box came after it"};
    }
    for (const ModalBlock& block : m_modalBlocks) {
        if (!block.Used)
            throw Failure{block.Line, block.Form + " was never shown modally"};
    }
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
    auto& find = ControlAs<contracts::QVFind>(step, "a find box");
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
    auto& combo = ControlAs<contracts::QVComboBox>(step, "a combo box");
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
    if (auto* button = dynamic_cast<contracts::QVCommandButton*>(&control)) {
        if (!button->UserClick())
            Note("the focus stayed on " + FocusedName());
    } else if (auto* option = dynamic_cast<platform::OptionButton*>(&control)) {
        if (!option->UserClick())
            Note("the focus stayed on " + FocusedName());
    } else if (auto* menu = dynamic_cast<platform::Menu*>(&control)) {
        menu->UserClick();
    } else if (auto* label = dynamic_cast<platform::Label*>(&control)) {
        label->UserClick();
    } else if (auto* picture = dynamic_cast<platform::PictureBox*>(&control)) {
        picture->UserClick();
    } else {
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") cannot be clicked");
    }
}

void Runner::Type(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    const std::string& text = step.Arguments[0].Text;
    bool typed = false;
    if (auto* number = dynamic_cast<contracts::QVNumberBox*>(&control))
        typed = number->UserType(text);
    else if (auto* box = dynamic_cast<contracts::QVTextBox*>(&control))
        typed = box->UserType(text);
    else if (auto* find = dynamic_cast<contracts::QVFind*>(&control))
        typed = find->UserType(text);
    else
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") is not a box to type in");
    if (!typed) {
        Note("the focus stayed on " + FocusedName());
        return;
    }
    if (!contracts::UserLeave(control))
        Note("Validate kept the focus on " + step.Target.ToText());
}

void Runner::Key(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    const int32_t code = *ReadInteger(step.Arguments[0].Text);
    const int32_t shift = step.Arguments.size() > 1 ? *ReadInteger(step.Arguments[1].Text) : 0;
    const auto keyCode = static_cast<int16_t>(code);
    const auto shiftState = static_cast<int16_t>(shift);
    if (auto* grid = dynamic_cast<platform::Grid*>(&control)) {
        if (TakeFocus(*grid))
            grid->UserKeyDown(keyCode, shiftState);
        else
            Note("the focus stayed on " + FocusedName());
    } else if (auto* find = dynamic_cast<contracts::QVFind*>(&control)) {
        if (!find->UserKeyDown(keyCode, shiftState))
            Note("the focus stayed on " + FocusedName());
    } else if (auto* number = dynamic_cast<contracts::QVNumberBox*>(&control)) {
        const int16_t character = CharacterOfKey(code, shift);
        if (!TakeFocus(*number))
            Note("the focus stayed on " + FocusedName());
        else if (character != 0)
            number->UserKeyPress(character);
    } else {
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") takes no keys");
    }
}

void Runner::Focus(const Step& step)
{
    platform::Control& control = ReachableControl(step);
    if (!control.CanTakeFocus())
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") cannot take the focus");
    if (!TakeFocus(control))
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

// ---- Expectations

void Runner::Expect(const Step& step)
{
    const std::string& expected = step.Arguments[0].Text;
    const std::string actual = MemberText(step);
    if (!TextMatches(expected, actual))
        Fail(step,
             "expected " + step.Target.ToText() + " " + Quote(expected) + ", got " + Quote(actual));
}

void Runner::ExpectMessage(const Step& step)
{
    const std::string& expected = step.Arguments[0].Text;
    const auto& boxes = m_session.Host.MessageBoxes();
    if (m_messagesChecked >= boxes.size())
        Fail(step, "expected message " + Quote(expected) + ", got no message");
    const auto& box = boxes[m_messagesChecked++];
    if (!TextMatches(expected, box.Prompt))
        Fail(step, "expected message " + Quote(expected) + ", got " + Quote(box.Prompt));
    if (step.Arguments.size() > 1 && box.Icon() != IconOf(step.Arguments[1].Text))
        Fail(step, "expected message " + Quote(expected) + " with icon " + step.Arguments[1].Text +
                       ", got " + IconName(box.Icon()));
}

void Runner::ExpectNoMessage(const Step& step)
{
    const auto& boxes = m_session.Host.MessageBoxes();
    if (m_messagesChecked < boxes.size())
        Fail(step, "expected no message, got " + Quote(boxes[m_messagesChecked].Prompt));
}

void Runner::ExpectError(const Step& step)
{
    const int32_t number = *ReadInteger(step.Arguments[0].Text);
    const std::string& location = step.Arguments[1].Text;
    const std::string expected = "error " + std::to_string(number) + " at " + Quote(location);
    const auto& reports = m_session.Host.ErrorReports();
    if (m_errorsChecked >= reports.size())
        Fail(step, "expected " + expected + ", got no error report");
    const auto& report = reports[m_errorsChecked++];
    if (report.Number != number || !TextMatches(location, report.Location))
        Fail(step, "expected " + expected + ", got error " + std::to_string(report.Number) + " " +
                       Quote(report.Description) + " at " + Quote(report.Location));
}

void Runner::ExpectNoError(const Step& step)
{
    const auto& reports = m_session.Host.ErrorReports();
    if (m_errorsChecked < reports.size()) {
        const auto& report = reports[m_errorsChecked];
        Fail(step, "expected no error report, got error " + std::to_string(report.Number) + " " +
                       Quote(report.Description) + " at " + Quote(report.Location));
    }
}

void Runner::ExpectModal(const Step& step)
{
    const auto& showings = m_session.Host.ModalShowings();
    std::string shown;
    bool found = false;
    for (std::size_t i = m_modalsChecked; i < showings.size(); ++i) {
        found = found || showings[i] == step.Target.Form;
        shown += (shown.empty() ? "" : ", ") + showings[i];
    }
    m_modalsChecked = showings.size();
    if (!found)
        Fail(step, "expected " + step.Target.Form + " shown modally, got " +
                       (shown.empty() ? "no modal showing" : shown));
}

void Runner::ExpectStored(const Step& step)
{
    const int32_t expected = *ReadInteger(step.Arguments[0].Text);
    platform::Form* screen = platform::Form::FindForm("frmPreVendas");
    platform::Control* codeBox = screen ? screen->FindControl("qvfCodigoDoCliente") : nullptr;
    if (!codeBox)
        Fail(step,
             "expected " + std::to_string(expected) + " stored items, got no pre-sale screen open");
    const std::string code = platform::Trim(codeBox->Get("Text").AsString());
    if (code.empty())
        Fail(step,
             "expected " + std::to_string(expected) + " stored items, got no client on screen");
    double codigoDoCliente = platform::CDbl(code);
    auto items = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
    items->DadosDoUsuario = m_session.User;
    const int32_t result = items->SelecionarServicosEfetuadosEProdutosReservados(codigoDoCliente);
    Note("store: open items of client " + code + " -> " + std::to_string(result));
    if (result != contracts::resSucesso)
        Fail(step, "the store could not select the open items of client " + code + ": " +
                       (items->DescricaoDoErro.empty() ? items->DescricaoDaFalha
                                                       : items->DescricaoDoErro));
    const auto& rows = items->ResultadoDaSelecaoEmRecordSet;
    const int32_t stored = rows ? rows->RecordCount() : 0;
    if (stored != expected)
        Fail(step, "expected " + std::to_string(expected) + " stored items of client " + code +
                       ", got " + std::to_string(stored));
}

void Runner::ExpectRows(const Step& step)
{
    platform::Control& control = ControlOf(step);
    const auto* grid = dynamic_cast<platform::Grid*>(&control);
    if (!grid)
        Fail(step, step.Target.ToText() + " (" + control.Kind() + ") is not a grid");
    const int32_t expected = *ReadInteger(step.Arguments[0].Text);
    if (grid->Rows != expected)
        Fail(step, "expected " + step.Target.ToText() + " with " + std::to_string(expected) +
                       " rows, got " + std::to_string(grid->Rows()));
}

void Runner::ExpectFocus(const Step& step)
{
    const platform::Control& control = ControlOf(step);
    if (platform::Screen::ActiveControl() != &control)
        Fail(step,
             "expected the focus on " + step.Target.ToText() + ", got it on " + FocusedName());
}

void Runner::ExpectLoginRefused(const Step& step)
{
    const std::string& name = step.Arguments[0].Text;
    const auto user = store::LogIn(m_session.Store(), name, step.Arguments[1].Text);
    Note("store: login of " + Quote(name) + (user ? " accepted" : " refused"));
    if (user)
        Fail(step, "expected the login of " + Quote(name) + " to be refused, got it accepted");
}

// ---- Finding what a step names

platform::Form& Runner::FormOf(const Step& step) const
{
    platform::Form* form = platform::Form::FindForm(step.Target.Form);
    if (!form)
        Fail(step, "no form " + step.Target.Form + " exists");
    return *form;
}

platform::Control& Runner::ControlOf(const Step& step) const
{
    platform::Form& form = FormOf(step);
    platform::Control* control = form.FindControl(step.Target.Control);
    if (!control)
        Fail(step, step.Target.Form + " has no control " + step.Target.Control);
    return *control;
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

std::string Runner::MemberText(const Step& step) const
{
    platform::Form& form = FormOf(step);
    const platform::Control& target = step.Target.Control.empty() ? form : ControlOf(step);
    try {
        return ValueText(target.Get(step.Target.Member, step.Target.Index));
    } catch (const platform::RuntimeError& error) {
        if (error.Number() == platform::errObjectDoesNotSupport)
            Fail(step, step.Target.ToText() + ": " + target.Name() + " has no member " +
                           step.Target.Member);
        Fail(step, "reading " + step.Target.ToText() + ": " +
                       ErrorText(error.Number(), error.Description()));
    }
}

} // namespace script
