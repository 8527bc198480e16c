// The runner's loop: each step runs inside its own trace line, a run-time error or exception it
// lets out fails the step (a modal block's failure first, as it says more), and after every step
// and at the end the records nobody checked fail the run. The steps themselves stand in
// RunnerActions.cpp (what the user does) and RunnerExpectations.cpp (what the screen must show).
#include "host/script/Runner.h"

#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "suite_controls/SuiteControls.h"

#include <exception>

namespace script {

namespace {

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

std::string Runner::FocusedName()
{
    platform::Control* focused = platform::Screen::ActiveControl();
    if (!focused)
        return "nothing";
    const platform::Form* form = focused->ParentForm();
    return form && form != focused ? form->Name() + "." + focused->Name() : focused->Name();
}

std::string Runner::ErrorText(int32_t number, const std::string& description)
{
    return "run-time error " + std::to_string(number) + ": " + description;
}

Runner::Runner(Session& session, const Script& script) : m_session(session), m_script(script) {}

void Runner::Run()
{
    try {
        RunSteps(m_script.Steps);
        CheckAtEnd();
    } catch (Failure& failure) {
        // "expected ... got ..." may quote what a password box holds.
        failure.Message = m_session.Tracer().Mask(failure.Message);
        throw;
    }
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
        if (!suite_controls::UserLeave(ControlOf(step)))
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
    m_session.Tracer().KeepPasswordsInBoxes();
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
