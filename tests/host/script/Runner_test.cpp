// The runner's own rules, played on a small test form over an empty store: which box takes a
// queued answer, what a modal block must do, and what a script may not leave unchecked.
#include "host/script/Runner.h"

#include "globals/modMensagemDeErro.h"
#include "platform/Controls.h"
#include "platform/Host.h"
#include "platform/Report.h"
#include "store/Database.h"
#include "suite_controls/SuiteControls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace script {
namespace {

// A form whose buttons show what the component shows: boxes, a modal dialog, an error report.
struct TestScreen {
    TestScreen()
    {
        qvcmdInformarEPerguntar.Click.Connect([this] {
            platform::MsgBox("Informação", platform::vbInformation, "Teste");
            platform::MsgBox("Continuar?", platform::vbYesNo | platform::vbQuestion, "Teste");
        });
        qvcmdDialogo.Click.Connect([this] { frmDialogo.Show(platform::vbModal); });
        qvcmdFechar.Click.Connect([this] { frmDialogo.Hide(); });
        qvcmdErro.Click.Connect([] {
            KELO_A_PreVendas::ExibirMensagemDeErro(13, "Type mismatch",
                                                   "KELO_A_PreVendas, frmTeste, X, Ponto: 2");
        });
        qvcmdImprimir.Click.Connect([this] { drTeste.Show(platform::vbModal); });
        qvcmdErroComSenha.Click.Connect([this] {
            KELO_A_PreVendas::ExibirMensagemDeErro(40001, "recusada: " + qvtxtSenha.Text(),
                                                   "KELO_N_Login, clsLogin, Autenticar");
        });
        qvtxtSenha.PasswordChar = "*";
        Cabecalho.Height = 300;
        lblTitulo.Move(0, 0, 3000, 300);
        frmTeste.Show();
    }

    platform::Form frmTeste{"frmTeste"};
    suite_controls::QVCommandButton qvcmdInformarEPerguntar{&frmTeste, "qvcmdInformarEPerguntar"};
    suite_controls::QVCommandButton qvcmdDialogo{&frmTeste, "qvcmdDialogo"};
    suite_controls::QVCommandButton qvcmdErro{&frmTeste, "qvcmdErro"};
    platform::Label lblResposta{&frmTeste, "lblResposta"};
    suite_controls::QVTextBox qvtxtSenha{&frmTeste, "qvtxtSenha"};
    suite_controls::QVCommandButton qvcmdErroComSenha{&frmTeste, "qvcmdErroComSenha"};
    platform::Form frmDialogo{"frmDialogo"};
    suite_controls::QVCommandButton qvcmdFechar{&frmDialogo, "qvcmdFechar"};
    platform::Label lblDialogo{&frmDialogo, "lblDialogo", "Escolha"};
    suite_controls::QVCommandButton qvcmdImprimir{&frmTeste, "qvcmdImprimir"};
    platform::Report drTeste{"drTeste"};
    platform::ReportSection Cabecalho{&drTeste, "Cabecalho", platform::SectionKind::PageHeader};
    platform::ReportLabel lblTitulo{&Cabecalho, "lblTitulo", "Página %p"};
};

class RunnerTest : public testing::Test {
protected:
    RunnerTest()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("script_tests-" + std::to_string(getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_database = store::Database::Create((m_folder / "loja.kelo").string());
    }
    ~RunnerTest() override
    {
        m_screen.reset();
        m_session.reset();
        m_database.reset();
        std::filesystem::remove_all(m_folder);
    }

    // The failure the script ends with; nullopt when it passed. Each play is a session of its
    // own, as each script of a run is.
    std::optional<Failure> Play(const std::string& text)
    {
        m_screen.reset();
        m_session.reset();
        m_session = std::make_unique<Session>(m_database, m_trace);
        m_screen = std::make_unique<TestScreen>();
        const Script script = ParseScript("t.scn", text);
        try {
            Runner(*m_session, script).Run();
        } catch (const Failure& failure) {
            return failure;
        }
        return std::nullopt;
    }

    // A file in the test's own folder.
    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }

    std::ostringstream m_out;
    Trace m_trace{m_out, true};

private:
    std::filesystem::path m_folder;
    std::shared_ptr<store::Database> m_database;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TestScreen> m_screen;
};

void ExpectFailure(const std::optional<Failure>& failure, int line, const std::string& text)
{
    ASSERT_TRUE(failure) << "the script passed; expected a failure on line " << line;
    EXPECT_EQ(failure->Line, line) << failure->Message;
    EXPECT_NE(failure->Message.find(text), std::string::npos) << failure->Message;
}

// Each script fails on its line with what is wrong: an unanswered question, a message checked
// out of order or left unchecked, a modal block misused, what the user cannot reach or do.
TEST_F(RunnerTest, EveryRefusalFailsItsLineWithWhatIsWrong)
{
    struct Row {
        std::string script;
        int line;
        std::string says;
    };
    const std::string ask = "click frmTeste.qvcmdInformarEPerguntar\n";
    const std::vector<Row> rows{
        {"app \"Teste\"\n" + ask + "expect-message \"Informação\"\n", 2,
         "question \"Continuar?\" had no answer queued"},
        {"answer yes\n" + ask + "expect-message \"Continuar?\"\n", 3,
         "expected message \"Continuar?\", got \"Informação\""},
        {"answer yes\n" + ask + "expect-message \"Informação\" critical\n", 3,
         "with icon critical, got info"},
        {"click frmTeste.qvcmdErro\n", 1, "error report left unchecked: 13 \"Type mismatch\""},
        {"click frmTeste.qvcmdErro\nexpect-no-error\n", 2,
         "expected no error report, got error 13 \"Type mismatch\""},
        {"click frmTeste.qvcmdErro\nexpect-error 13 \"KELO_A_PreVendas, frmTeste, X, Ponto: 3\"\n",
         2, "got error 13 \"Type mismatch\" at \"KELO_A_PreVendas, frmTeste, X, Ponto: 2\""},
        {"app \"Teste\"\nanswer yes\nexpect-no-message\n", 2, "never asked for"},
        {"modal frmDialogo\n  click frmDialogo.qvcmdFechar\nend\n", 1,
         "frmDialogo was never shown modally"},
        {"modal frmDialogo\n  expect frmDialogo.lblDialogo.Caption \"Escolha\"\nend\n"
         "click frmTeste.qvcmdDialogo\n",
         1, "the modal block left frmDialogo shown"},
        {"click frmTeste.qvcmdDialogo\n", 1, "frmDialogo was shown modally with no modal block"},
        {"modal frmDialogo\n  click frmDialogo.qvcmdFechar\n"
         "  expect frmDialogo.lblDialogo.Caption \"Outra\"\nend\nclick frmTeste.qvcmdDialogo\n",
         3, "expected frmDialogo.lblDialogo.Caption \"Outra\", got \"Escolha\""},
        {"modal frmDialogo\n  close frmDialogo\nend\nclick frmTeste.qvcmdDialogo\n"
         "expect-modal frmDialogo\nexpect-modal frmDialogo\n",
         6, "got no modal showing"},
        {"set frmTeste.qvcmdDialogo.Enabled false\nclick frmTeste.qvcmdDialogo\n", 2,
         "is disabled"},
        {"click frmDialogo.qvcmdFechar\n", 1, "is hidden"},
        {"click frmTeste.qvcmdNenhum\n", 1, "frmTeste has no control qvcmdNenhum"},
        {"click frmNenhum.qvcmdNenhum\n", 1, "no form frmNenhum"},
        {"expect frmTeste.lblResposta.Nada \"\"\n", 1, "has no member Nada"},
        {"click frmTeste.lblResposta\nsave-pdf \"x.pdf\"\n", 2, "no print preview is open"},
        {"click frmTeste.qvtxtSenha\n", 1, "(QVTextBox) cannot be clicked"},
        {"type frmTeste.qvcmdDialogo \"x\"\n", 1, "(QVCommandButton) is not a box to type in"},
        {"key frmTeste.lblResposta 13\n", 1, "(Label) takes no keys"},
        {"key frmTeste.qvcmdDialogo 116\n", 1, "(QVCommandButton) takes no keys"},
        {"modal drTeste\n  save-pdf \"" + PathOf("nao/x.pdf") +
             "\"\nend\nclick frmTeste.qvcmdImprimir\n",
         2, "x.pdf\": cannot write the file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        ExpectFailure(Play(row.script), row.line, row.says);
    }
}

TEST_F(RunnerTest, NoPasswordReachesTheTraceOrAFailure)
{
    const std::string secret = "Segr3do!";
    const std::string typed = "type frmTeste.qvtxtSenha \"" + secret + "\"\n";
    const std::string reported = "click frmTeste.qvcmdErroComSenha\n";
    const std::string checked = "expect-error 40001 \"KELO_N_Login, clsLogin, Autenticar\"\n";
    const std::vector<std::pair<const char*, std::string>> scripts = {
        {"typed, then reported", typed + reported + checked},
        {"set, then left unchecked",
         "set frmTeste.qvtxtSenha.Text \"" + secret + "\"\n" + reported},
        {"reported, then the box emptied",
         typed + reported + "set frmTeste.qvtxtSenha.Text \"\"\n"},
        {"an expectation on the box", typed + "expect frmTeste.qvtxtSenha.Text \"Outra\"\n"},
        {"guessed by an expectation", "expect frmTeste.qvtxtSenha.Text \"" + secret + "\"\n"},
        {"a login", "login ninguem \"" + secret + "\"\n"},
        {"a refused login", "expect-login-refused ninguem \"" + secret + "\"\n" + reported},
    };
    for (const auto& [label, text] : scripts) {
        m_out.str("");
        const auto failure = Play(text);
        const std::string shown = m_out.str() + (failure ? failure->Message : "");
        EXPECT_EQ(shown.find(secret), std::string::npos) << label << ":\n" << shown;
    }
    // What the masks stand for stays readable around them.
    ExpectFailure(Play(typed + "expect frmTeste.qvtxtSenha.Text \"Outra\"\n"), 2,
                  "expected frmTeste.qvtxtSenha.Text \"********\", got \"********\"");
    m_out.str("");
    EXPECT_FALSE(Play(typed + reported + checked));
    EXPECT_NE(m_out.str().find("error report 40001 \"recusada: ********\""), std::string::npos)
        << m_out.str();
}

} // namespace
} // namespace script
