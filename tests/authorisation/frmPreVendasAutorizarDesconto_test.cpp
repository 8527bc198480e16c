// The authorisation dialog, driven as a supervisor would: what each way through it answers the
// pre-sale form, what it says, and what it hands the login component. A wrong password, a name
// without the right and a name with blanks around it are the discount scenarios'.
#include "authorisation/frmPreVendasAutorizarDesconto.h"

#include "contracts/KELO_N_Login.h"
#include "platform/Runtime.h"
#include "support/DialogTest.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using KELO_A_PreVendas::DescontoAutorizado;
using KELO_A_PreVendas::DescontoRecusado;
using KELO_A_PreVendas::frmPreVendasAutorizarDesconto;
using support::FakeAnswer;
using support::Said;

class DiscountAuthorisation : public support::DialogTest {
protected:
    // One showing with `acoes` done inside it; the answer the caller reads.
    int16_t Mostrar(const std::function<void(frmPreVendasAutorizarDesconto&)>& acoes)
    {
        dialog = std::make_unique<frmPreVendasAutorizarDesconto>();
        host.OnModal("frmPreVendasAutorizarDesconto", [&](platform::Form&) { acoes(*dialog); });
        return dialog->MontarExibirFormulario();
    }

    std::unique_ptr<frmPreVendasAutorizarDesconto> dialog;
};

TEST_F(DiscountAuthorisation, AnswersZeroOnlyForAnAcceptedAdministrator)
{
    struct Row {
        const char *usuario, *senha;
        FakeAnswer autenticar;
        int16_t resposta;
        const char* mensagem;
        const char* nomeEnviado;
        const char* relato;
    };
    const auto administrador = [](bool sim) {
        return FakeAnswer::WithRows(
            support::RecordsetBuilder({"Administrador"}).Row({sim}).Build());
    };
    // clang-format off
    const Row rows[] = {
        {" admin ", " segredo ", administrador(true), DescontoAutorizado, nullptr, "admin", ""},
        // Blanks pass the check and go empty.
        {"   ", "x", administrador(true), DescontoAutorizado, nullptr, "", ""},
        {"ana", "x", FakeAnswer::Error(-2147217900, "Falha", "KELO_N_Login, Autenticar"),
         DescontoRecusado, nullptr, "ana", "-2147217900 @ KELO_N_Login, Autenticar\n"},
        {"ana", "x", FakeAnswer::Refusal(3, "Usuário bloqueado."), DescontoRecusado,
         "Usuário bloqueado.", "ana", ""},
        // A status outside 0 to 3.
        {"admin", "x", FakeAnswer::Refusal(7, ""), DescontoRecusado, nullptr, "admin",
         "51 @ KELO_A_PreVendas, frmPreVendasAutorizarDesconto, qvcmdEfetuarDesconto_Click, Ponto: 4\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.usuario);
        fakes.BusinessLayer.Answer<KELO_N_Login::clsLogin>("Autenticar", row.autenticar);
        const int16_t resposta = Mostrar([&](frmPreVendasAutorizarDesconto& d) {
            d.qvtxtUsuario.Text = row.usuario;
            d.qvtxtSenha.Text = row.senha;
            d.qvcmdEfetuarDesconto.UserClick();
        });
        EXPECT_EQ(resposta, row.resposta);
        EXPECT_EQ(Messages(), Said(row.mensagem));
        if (row.mensagem) {
            EXPECT_EQ(host.MessageBoxes().back().Icon(), platform::vbCritical);
        }
        const auto calls = fakes.BusinessLayer.CallsTo<KELO_N_Login::clsLogin>("Autenticar");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Properties.at("NomeDeUsuario").AsString(), row.nomeEnviado);
        EXPECT_EQ(calls[0].Properties.at("SenhaDoUsuario").AsString(), platform::Trim(row.senha));
        EXPECT_EQ(Reports(), row.relato);
        EXPECT_FALSE(dialog->IsLoaded() && dialog->Visible()) << "the dialog has closed";
        host.ClearRecords();
        fakes.BusinessLayer.ForgetCalls();
        fakes.ErrorMessages.ForgetReports();
    }
}

TEST_F(DiscountAuthorisation, AnEmptyBoxKeepsTheDialogOpenWithOneMessageAndTheFocusOnIt)
{
    struct Row {
        const char *usuario, *senha, *mensagem, *rotuloVermelho, *foco;
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
        EXPECT_EQ(Messages(), Said(row.mensagem));
        EXPECT_TRUE(fakes.BusinessLayer.CallsTo<KELO_N_Login::clsLogin>("Autenticar").empty());
        host.ClearRecords();
    }
}

TEST_F(DiscountAuthorisation, EveryOtherWayOutIsARefusal)
{
    const std::function<void(frmPreVendasAutorizarDesconto&)> ways[] = {
        [](auto& d) { d.qvcmdCancelar.UserClick(); },
        [](auto& d) { d.UserClose(); },
        [](auto&) { throw platform::RuntimeError(platform::errInternal, "quebrou"); },
    };
    for (const auto& way : ways)
        EXPECT_EQ(Mostrar(way), DescontoRecusado);
    EXPECT_EQ(Reports(), std::to_string(platform::errInternal) +
                             " @ KELO_A_PreVendas, frmPreVendasAutorizarDesconto, "
                             "MontarExibirFormulario, Ponto: 2\n");
}

// Which systems get the frame is the search dialogs' test; the frame is drawn by the same code.
TEST_F(DiscountAuthorisation, ItsTipsItsLimitAndTheWindows8Frame)
{
    fakes.BusinessLayer.SetOperatingSystemName("Windows 8");
    Mostrar([&](frmPreVendasAutorizarDesconto& d) {
        ASSERT_NE(d.lshpObj(), nullptr);
        EXPECT_EQ(support::Join(d.qvcmdEfetuarDesconto.ToolTipText(), d.qvcmdCancelar.ToolTipText(),
                                d.qvtxtUsuario.MaxLength(), d.lshpObj()->Width() == d.ScaleWidth(),
                                d.lshpObj()->Height() == d.ScaleHeight()),
                  "Desfazer efetuar | Fechar formulário | 50 | Verdadeiro | Verdadeiro");
        d.qvcmdCancelar.UserClick();
    });
}

} // namespace
