// Runs a read script against a session: each step is what an attendant does or what the screen
// must show. The first expectation that does not hold ends the run with a Failure naming its
// line; so do a question box with no answer queued, a modal dialog without a block or left open
// by its block, and, at the end, any message box or error report nobody checked.
#pragma once

#include "host/script/Script.h"
#include "host/script/Session.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Control;
class Form;
} // namespace platform

namespace script {

// Why a script failed, and where. Deliberately no std::exception: it travels through the
// component's own handlers, which would take any std::exception for a run-time error.
struct Failure {
    int Line = 0;
    std::string Message;
};

class Runner {
public:
    Runner(Session& session, const Script& script);

    // Runs every step, then the end-of-script checks. Throws Failure, passwords masked.
    void Run();

private:
    struct ModalBlock {
        int Line;
        std::string Form;
        bool Used = false;
    };

    void RunSteps(const std::vector<Step>& steps);
    void RunStep(const Step& step);
    void Execute(const Step& step);
    void CheckAfterStep(const Step& step);
    void CheckAtEnd();
    [[noreturn]] void Fail(const Step& step, const std::string& message) const;

    // Setting up and starting.
    void LogIn(const Step& step);
    // Acting as the user.
    void Find(const Step& step, bool confirm);
    void Choose(const Step& step);
    void Click(const Step& step);
    void Type(const Step& step);
    void Key(const Step& step);
    void Focus(const Step& step);
    void GridMouse(const Step& step);
    void Wheel(const Step& step);
    void Resize(const Step& step);
    void Set(const Step& step);
    void Modal(const Step& step);
    void Close(const Step& step);
    void SavePdf(const Step& step);
    // Expectations.
    void Expect(const Step& step);
    void ExpectMessage(const Step& step);
    void ExpectNoMessage(const Step& step);
    void ExpectError(const Step& step);
    void ExpectNoError(const Step& step);
    void ExpectModal(const Step& step);
    void ExpectStored(const Step& step);
    void ExpectRows(const Step& step);
    void ExpectFocus(const Step& step);
    void ExpectLoginRefused(const Step& step);

    platform::Form& FormOf(const Step& step) const;
    platform::Control& ControlOf(const Step& step) const;
    // The control as the user meets it: shown and enabled, or the step fails.
    platform::Control& ReachableControl(const Step& step) const;
    template <class T>
    T& ControlAs(const Step& step, const char* what) const;
    std::string MemberText(const Step& step) const;
    // A text box whose text the user sees masked: what it holds is a secret of the trace.
    static bool IsPasswordBox(const platform::Control& control);
    // The focused control as Form.Control, "nothing" without one.
    static std::string FocusedName();
    static std::string ErrorText(int32_t number, const std::string& description);
    void Note(const std::string& what) const { m_session.Tracer().Print(what); }

    Session& m_session;
    const Script& m_script;
    // How far the records were checked (or seen, for the ones that fail at once).
    std::size_t m_messagesChecked = 0;
    std::size_t m_errorsChecked = 0;
    std::size_t m_modalsChecked = 0;
    std::size_t m_unansweredSeen = 0;
    std::size_t m_stuckSeen = 0;
    std::vector<ModalBlock> m_modalBlocks;
    // A failure inside a modal block, raised once the component's action has returned.
    std::optional<Failure> m_pending;
    // The line of the step running, which the trace shows.
    int m_currentLine = 0;
};

} // namespace script
