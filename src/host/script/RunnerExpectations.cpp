// The steps that check what the screen shows: members, message boxes, error reports, modal
// dialogs, what the store keeps, grid rows, the focus and a refused login. Each counts what it
// checked, so the end of the run can tell what nobody looked at.
#include "host/script/Runner.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "store/Store.h"

namespace script {

namespace {

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

} // namespace

// ---- Expectations

void Runner::Expect(const Step& step)
{
    const std::string& expected = step.Arguments[0].Text;
    if (!step.Target.Control.empty() && IsPasswordBox(ControlOf(step)))
        m_session.Tracer().KeepSecret(expected);
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
    if (result != contracts::resSucesso)
        Fail(step, "the store could not select the open items of client " + code + ": " +
                       (items->DescricaoDoErro.empty() ? items->DescricaoDaFalha
                                                       : items->DescricaoDoErro));
    const auto& rows = items->ResultadoDaSelecaoEmRecordSet;
    const int32_t stored = rows ? rows->RecordCount() : 0;
    Note("store: " + std::to_string(stored) + " open items of client " + code);
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

} // namespace script
