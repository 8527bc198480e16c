// The scenario runner traced from outside, as support runs it: a login and the authorisation
// dialog's passwords, a wrong one and the right one, never appear in what it prints, whether the
// run passes or fails on the password box itself.
#include "Programs.h"

#include <gtest/gtest.h>

#include <string>

namespace reliability {
namespace {

// An attendant allowed to change discounts asks for 15 % on a bath (the ceiling is 10 %): a
// supervisor's wrong password refuses it, the right one lets it be stored.
const std::string kScenario = R"(login atendente "atendente123"
expect-login-refused admin "Chute-31"
user PermissaoDoModuloCaixaAlterarDescontosDeVendas=true
start
find frmPreVendas.qvfCodigoDoCliente "1"
choose frmPreVendas.qvcmbTiposDeServicos "Banho, tosa e estética"
find frmPreVendas.qvfCodigoDoServico "12"
choose frmPreVendas.qvcmbAnimal 0
type frmPreVendas.qvnumPercentualDeDescontoPorItem "15,00"
modal frmPreVendasAutorizarDesconto
  type frmPreVendasAutorizarDesconto.qvtxtUsuario "admin"
  type frmPreVendasAutorizarDesconto.qvtxtSenha "Errada-77"
  click frmPreVendasAutorizarDesconto.qvcmdEfetuarDesconto
end
click frmPreVendas.qvcmdAdicionar
expect-message "Usuário ou senha inválidos."
expect-message "Informe um desconto válido com o limite de até 10%"
expect-rows frmPreVendas.msfgGrade 5
modal frmPreVendasAutorizarDesconto
  type frmPreVendasAutorizarDesconto.qvtxtUsuario "admin"
  type frmPreVendasAutorizarDesconto.qvtxtSenha "admin123"
  expect frmPreVendasAutorizarDesconto.qvtxtSenha.Text "admin123"
  click frmPreVendasAutorizarDesconto.qvcmdEfetuarDesconto
end
click frmPreVendas.qvcmdAdicionar
expect-rows frmPreVendas.msfgGrade 6
expect-stored 5
)";

TEST(TracedPasswords, NeverAppearInTheRunnersOutput)
{
    struct Run {
        const char* label;
        std::string script;
        int exit;
    };
    // The second run fails on the password box, whose text the failure would quote.
    std::string failing = kScenario;
    failing.replace(failing.find("Text \"admin123\""), 15, "Text \"admin12\"");
    for (const Run& run : {Run{"passing", kScenario, 0}, Run{"failing", failing, 1}}) {
        TempDir dir;
        WriteFile(dir.Path() / "senhas.scn", run.script);
        const Ran ran =
            RunProgram(KELO_SCRIPT_RUNNER, {"--trace", (dir.Path() / "senhas.scn").string()});
        ASSERT_EQ(ran.exit, run.exit) << run.label << ":\n" << ran.output;
        EXPECT_NE(ran.output.find("clsLogin.Autenticar -> 2"), std::string::npos) << ran.output;
        for (const char* password : {"atendente123", "Chute-31", "Errada-77", "admin12"})
            EXPECT_EQ(ran.output.find(password), std::string::npos)
                << run.label << ": " << password << " shown in\n"
                << ran.output;
    }
}

} // namespace
} // namespace reliability
