// The authorisation dialog, driven as a supervisor would: what each way through it answers the
// pre-sale form, what it says, and what it hands the login component.
#include "authorisation/frmPreVendasAutorizarDesconto.h"

#include "contracts/KELO_N_Login.h"
#include "globals/modPrincipal.h"
#include "platform/HeadlessHost.h"
#include "platform/Runtime.h"
#include "support/FakeComponents.h"
#include "support/RecordsetBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using KELO_A_PreVendas::DescontoAutorizado;
using KELO_A_PreVendas::DescontoRecusado;
using KELO_A_PreVendas::frmPreVendasAutorizarDesconto;
using support::FakeAnswer;
namespace g = KELO_A_PreVendas::modPrincipal;

namespace {

FakeAnswer Usuario(bool administrador)
{
    return FakeAnswer::WithRows(
        support::RecordsetBuilder({"Administrador"}).Row({administrador}).Build());
}

class DiscountAuthorisation : public ::testing::Test {
protected:
    DiscountAuthorisation()
    {
        platform::SetHost(&host);
        g::gstrNomeDaAplicacao = "Kelo Pet Shop";
    }
    ~DiscountAuthorisation() override
    {
        g::gstrNomeDaAplicacao.clear();
        platform::Screen::ClearFocus();
        platform::SetHost(nullptr);
    }

    // One showing with `acoes` done inside it; the answer the caller reads.
    int16_t Mostrar(const std::function<void(frmPreVendasAutorizarDesconto&)>& acoes)
    {
        dialog = std::make_unique<frmPreVendasAutorizarDesconto>();
        host.OnModal("frmPreVendasAutorizarDesconto", [&](platform::Form&) { acoes(*dialog); });
        return dialog->MontarExibirFormulario();
    }

    std::vector<std::string> Mensagens() const
    {
        std::vector<std::string> texts;
        for (const auto& box : host.MessageBoxes())
            texts.push_back(box.Prompt);
        return texts;
    }

    platform::HeadlessHost host;
    support::FakeComponents fakes;
    std::unique_ptr<frmPreVendasAutorizarDesconto> dialog;
};

TEST_F(DiscountAuthorisation, AnswersZeroOnlyForAnAcceptedAdministrator)
{
    struct Row {
        const char* caso;
        const char* usuario;
        const char* senha;
        FakeAnswer autenticar;
        int16_t resposta;
        std::vector<std::string> mensagens;
        int32_t icone;
        const char* nomeEnviado;
        const char* relato; // the location of the one error report; nullptr: none
    };
    const char* const noClique = "KELO_A_PreVendas, frmPreVendasAutorizarDesconto, "
                                 "qvcmdEfetuarDesconto_Click, Ponto: 4";
    const int32_t info = platform::vbInformation;
    // clang-format off
    const std::vector<Row> rows{
        {"administrator", " admin ", " segredo ", Usuario(true), DescontoAutorizado, {}, 0, "admin", nullptr},
        {"blanks pass the check and go empty", "   ", "x", Usuario(true), DescontoAutorizado, {}, 0, "", nullptr},
        {"not an administrator", "ana", "x", Usuario(false), DescontoRecusado,
         {"Usuário não autorizado para efetuar desconto."}, info, "ana", nullptr},
        {"the component's error", "ana", "x", FakeAnswer::Error(-2147217900, "Falha", "KELO_N_Login, Autenticar"),
         DescontoRecusado, {}, 0, "ana", "KELO_N_Login, Autenticar"},
        {"refused, informative", "ana", "errada", FakeAnswer::Refusal(2, "Senha inválida."), DescontoRecusado,
         {"Senha inválida."}, info, "ana", nullptr},
        {"refused, serious", "ana", "x", FakeAnswer::Refusal(3, "Usuário bloqueado."), DescontoRecusado,
         {"Usuário bloqueado."}, platform::vbCritical, "ana", nullptr},
        {"a status outside 0 to 3", "admin", "x", FakeAnswer::Refusal(7, ""), DescontoRecusado, {}, 0, "admin",
         noClique},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        fakes.BusinessLayer.Answer<KELO_N_Login::clsLogin>("Autenticar", row.autenticar);
        const int16_t resposta = Mostrar([&](frmPreVendasAutorizarDesconto& d) {
            d.qvtxtUsuario.Text = row.usuario;
            d.qvtxtSenha.Text = row.senha;
            d.qvcmdEfetuarDesconto.UserClick();
        });
        EXPECT_EQ(resposta, row.resposta);
        EXPECT_EQ(Mensagens(), row.mensagens);
        if (!row.mensagens.empty()) {
            EXPECT_EQ(host.MessageBoxes().back().Icon(), row.icone);
        }
        const auto calls = fakes.BusinessLayer.CallsTo<KELO_N_Login::clsLogin>("Autenticar");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Properties.at("NomeDeUsuario").AsString(), row.nomeEnviado);
        EXPECT_EQ(calls[0].Properties.at("SenhaDoUsuario").AsString(), platform::Trim(row.senha));
        const auto relatos = fakes.ErrorMessages.Reports();
        ASSERT_EQ(relatos.size(), row.relato ? 1u : 0u);
        if (row.relato) {
            EXPECT_EQ(relatos[0].Local.AsString(), row.relato);
        }
        EXPECT_FALSE(dialog->IsLoaded() && dialog->Visible()) << "the dialog has closed";
        host.ClearRecords();
        fakes.BusinessLayer.ForgetCalls();
        fakes.ErrorMessages.ForgetReports();
    }
}

TEST_F(DiscountAuthorisation, AnEmptyBoxKeepsTheDialogOpenWithOneMessageAndTheFocusOnIt)
{
    struct Row {
        const char* usuario;
        const char* senha;
        const char* mensagem;
        const char* rotuloVermelho;
        const char* foco;
    };
    const Row rows[] = {
        {"", "", "Informe o nome do usuário.", "lblUsuario", "qvtxtUsuario"},
        {"", "x", "Informe o nome do usuário.", "lblUsuario", "qvtxtUsuario"},
        {"ana", "", "Informe o senha do usuário.", "lblSenha", "qvtxtSenha"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mensagem);
        const int16_t resposta = Mostrar([&](frmPreVendasAutorizarDesconto& d) {
            d.lblSenha.ForeColor = platform::RGB(255, 0, 0); // a mark left by an earlier click
            d.qvtxtUsuario.Text = row.usuario;
            d.qvtxtSenha.Text = row.senha;
            d.qvcmdEfetuarDesconto.UserClick();
            EXPECT_TRUE(d.Visible()) << "still open";
            for (platform::Label* rotulo : {&d.lblUsuario, &d.lblSenha})
                EXPECT_EQ(rotulo->ForeColor(), rotulo->Name() == row.rotuloVermelho
                                                   ? platform::RGB(255, 0, 0)
                                                   : platform::RGB(73, 73, 73));
            EXPECT_EQ(platform::Screen::ActiveControl(), d.FindControl(row.foco));
            d.qvcmdCancelar.UserClick();
        });
        EXPECT_EQ(resposta, DescontoRecusado);
        EXPECT_EQ(Mensagens(), std::vector<std::string>{row.mensagem});
        EXPECT_TRUE(fakes.BusinessLayer.CallsTo<KELO_N_Login::clsLogin>("Autenticar").empty());
        host.ClearRecords();
    }
}

TEST_F(DiscountAuthorisation, EveryOtherWayOutIsARefusal)
{
    const std::vector<std::pair<const char*, std::function<void(frmPreVendasAutorizarDesconto&)>>>
        rows{
            {"Cancelar", [](auto& d) { d.qvcmdCancelar.UserClick(); }},
            {"the window closed", [](auto& d) { d.UserClose(); }},
            {"an error while shown",
             [](auto&) { throw platform::RuntimeError(platform::errInternal, "quebrou"); }},
        };
    for (const auto& [caso, acoes] : rows) {
        SCOPED_TRACE(caso);
        EXPECT_EQ(Mostrar(acoes), DescontoRecusado);
    }
    const auto relatos = fakes.ErrorMessages.Reports();
    ASSERT_EQ(relatos.size(), 1u);
    EXPECT_EQ(relatos[0].Local.AsString(),
              "KELO_A_PreVendas, frmPreVendasAutorizarDesconto, MontarExibirFormulario, Ponto: 2");
}

TEST_F(DiscountAuthorisation, ItsDesignAndTheWindows8Frame)
{
    for (const char* sistema : {"Windows 10", "Windows 8"}) {
        fakes.BusinessLayer.SetOperatingSystemName(sistema);
        Mostrar([&](frmPreVendasAutorizarDesconto& d) {
            EXPECT_EQ(d.Caption(), "Autorização para efetuar desconto");
            EXPECT_EQ(d.qvcmdEfetuarDesconto.ToolTipText(), "Desfazer efetuar");
            EXPECT_EQ(d.qvcmdCancelar.ToolTipText(), "Fechar formulário");
            EXPECT_EQ(d.qvtxtSenha.PasswordChar(), "*");
            EXPECT_EQ(d.qvtxtUsuario.MaxLength(), 50);
            if (std::string(sistema) == "Windows 8") {
                ASSERT_NE(d.lshpObj(), nullptr);
                EXPECT_EQ(d.lshpObj()->Width(), d.ScaleWidth());
                EXPECT_EQ(d.lshpObj()->Height(), d.ScaleHeight());
            } else {
                EXPECT_EQ(d.lshpObj(), nullptr);
            }
            d.qvcmdCancelar.UserClick();
        });
    }
}

} // namespace
