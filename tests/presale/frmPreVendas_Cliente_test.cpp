#include "ScreenTest.h"

#include "search/frmPesquisaDeClientes.h"

namespace presale_test {
namespace {

using KELO_A_PreVendas::frmPesquisaDeClientes;

const char* const Inativo =
    "Cliente inativo. Para mais informações, entre em contato com o departamento financeiro.";

class ClientLookup : public Screen {
protected:
    void SetUp() override
    {
        session.Start();
        AnswerAnimals({"Rex", "Mel"});
        Forget();
    }

    void ExpectNoClient()
    {
        EXPECT_EQ(
            Read({"qvfApelidoOuNomeFantasiaDoCliente.Text", "qvfNomeOuRazaoSocialDoCliente.Text",
                  "qvfCodigoDoCliente.Text", "lblCliente.Caption", "optServico.Enabled",
                  "qvcmbTiposDeServicos.Enabled", "msfgGrade.Rows"}),
            " |  |  | Cliente* | Falso | Falso | 2");
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
    }
};

// Inactive, blocked and deleted are the refusal scenario's; here what else refuses and what not.
TEST_F(ClientLookup, AClientWhoMayNotBeServedIsRefusedWithItsStatus)
{
    const std::pair<int16_t, const char*> rows[] = {{2, Inativo}, {1, nullptr}, {0, nullptr}};
    frmPreVendas& form = Form();
    for (auto [situacao, message] : rows) {
        session.Host.ClearRecords();
        form.qvcmdLimparCampos.UserClick();
        AnswerClients(Clientes({{.Codigo = 9, .Apelido = "Tobias", .Situacao = situacao}}));
        Search(form.qvfApelidoOuNomeFantasiaDoCliente, "Tob");
        SCOPED_TRACE(situacao);
        EXPECT_EQ(Messages(), Said(message));
        if (message) {
            ExpectNoClient();
            EXPECT_EQ(
                Join(form.qvfApelidoOuNomeFantasiaDoCliente.Modo(),
                     form.qvfNomeOuRazaoSocialDoCliente.Modo(),
                     platform::Screen::ActiveControl() == &form.qvfApelidoOuNomeFantasiaDoCliente),
                "0 | 2 | Verdadeiro");
        } else {
            EXPECT_EQ(Read({"qvfCodigoDoCliente.Text", "optServico.Enabled"}), "9 | Verdadeiro");
        }
    }
}

TEST_F(ClientLookup, TheLabelCarriesTheVipMarkInAnyCaseAndTheCategory)
{
    const std::array<const char*, 3> rows[] = {
        {"vip", "A", "Cliente* [ A ]"},
        {"sIM", "C", "Cliente* [ VIP - C ]"},
        {"", "", "Cliente* [  ]"},
    };
    for (const auto& [vip, categoria, caption] : rows) {
        AnswerClients(Clientes({{.Codigo = 5, .VIP = vip, .Categoria = categoria}}));
        Search(Form().qvfCodigoDoCliente, "5");
        EXPECT_EQ(Form().lblCliente.Caption(), caption) << vip;
    }
}

TEST_F(ClientLookup, TheDiscountProfileGivesThePercentageOfTheChosenServiceType)
{
    frmPreVendas& form = Form();
    // A type the profile has no field for.
    form.qvcmbTiposDeServicos.AddItem("Transporte");
    form.qvcmbTiposDeServicos.ItemData(form.qvcmbTiposDeServicos.NewIndex, 8);
    const std::array<double, 9> percentuais{12.5, 1, 2, 3, 4, 5.25, 6, 7, 9.9};
    const std::array<const char*, 3> rows[] = {
        {"SIM", "Banhos, tosas e estética", "12,50"},
        {"sim", "Transporte", "12,50"},
        {"Não", "Banhos, tosas e estética", "5,25"},
        {"Não", "Hospedagem", "6,00"},
        {"Não", "Outros", "9,90"},
        {"Não", "Transporte", "7,77"},
        {"Não", nullptr, "7,77"},
    };
    for (const auto& [descontoUnico, tipo, expected] : rows) {
        AnswerClients(
            Clientes({{.Codigo = 3, .DescontoUnico = descontoUnico, .Percentuais = percentuais}}));
        Search(form.qvfCodigoDoCliente, "3");
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), "0,00") << "a found client";
        form.qvcmbTiposDeServicos.ListIndex = -1;
        for (int16_t i = 0; tipo && i < form.qvcmbTiposDeServicos.ListCount; ++i) {
            if (form.qvcmbTiposDeServicos.List(i) == tipo)
                form.qvcmbTiposDeServicos.ListIndex = i;
        }
        form.qvnumPercentualDeDescontoPorItem.Text = "7,77";
        EXPECT_EQ(form.RecuperaDescontoDoCliente(), 0);
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), expected)
            << descontoUnico << " " << (tipo ? tipo : "(none)");
    }
}

TEST_F(ClientLookup, NotFoundNamesWhatWasSearchedAndClearsTheScreen)
{
    frmPreVendas& form = Form();
    const std::pair<suite_controls::QVFind*, const char*> rows[] = {
        {&form.qvfApelidoOuNomeFantasiaDoCliente,
         "Nenhum cliente encontrado com o apelido ou nome fantasia 'Zeca'."},
        {&form.qvfNomeOuRazaoSocialDoCliente,
         "Nenhum cliente encontrado com o nome ou razão social 'José Carlos'."},
    };
    const char* const typed[] = {"Zeca", "José Carlos "};
    AnswerClients(Clientes({}));
    for (size_t i = 0; i < std::size(rows); ++i) {
        session.Host.ClearRecords();
        Search(*rows[i].first, typed[i]);
        EXPECT_EQ(Messages(), std::vector<std::string>{rows[i].second});
        ExpectNoClient();
        EXPECT_EQ(rows[i].first->Modo(), 0);
    }
}

// The pick, its profile, the refusal inside the dialog and Fechar are the search-dialog
// scenarios'; here the darkened screen and the dialog let go once read.
TEST_F(ClientLookup, TheSearchDialogIsShownOverTheDarkenedScreen)
{
    AnswerClients(Clientes({{.Codigo = 21, .Apelido = "Nina"}, {.Codigo = 22, .Apelido = "Nino"}}));
    bool darkWhileOpen = false;
    session.Host.OnModal("frmPesquisaDeClientes", [&](platform::Form& shown) {
        darkWhileOpen = Dark();
        dynamic_cast<frmPesquisaDeClientes&>(shown).msfgGrade.UserClickCell(2, 2);
    });
    Search(Form().qvfApelidoOuNomeFantasiaDoCliente, "Nin");
    EXPECT_EQ(Join(darkWhileOpen, Dark(), Form().qvfCodigoDoCliente.Text(),
                   platform::Form::FindForm("frmPesquisaDeClientes") == nullptr),
              "Verdadeiro | Falso | 22 | Verdadeiro");
}

TEST_F(ClientLookup, ResetFromAnyBoxReturnsToNoClient)
{
    frmPreVendas& form = Form();
    const std::pair<suite_controls::QVFind*, int16_t> rows[] = {
        {&form.qvfCodigoDoCliente, 2},
        {&form.qvfApelidoOuNomeFantasiaDoCliente, 2},
        {&form.qvfNomeOuRazaoSocialDoCliente, 0},
    };
    AnswerClients(Clientes({{.Codigo = 71, .Apelido = "Hugo", .VIP = "Sim", .Categoria = "A"}}));
    for (auto [box, nicknameModo] : rows) {
        Search(form.qvfCodigoDoCliente, "71");
        ASSERT_EQ(form.lblCliente.Caption(), "Cliente* [ VIP - A ]");
        ASSERT_TRUE(box->UserReset());
        ExpectNoClient();
        EXPECT_EQ(Join(form.qvfApelidoOuNomeFantasiaDoCliente.Modo(),
                       platform::Screen::ActiveControl() == box),
                  Join(nicknameModo, true));
    }
}

TEST_F(ClientLookup, FailuresAreReportedOnceAndLeaveWithTheProceduresDefault)
{
    struct Row {
        const char* className;
        const char* member;
        FakeAnswer answer;
        const char* report;
        bool clientChosen;
    };
    const Row rows[] = {
        // The business layer's own fields.
        {KELO_N_ClientAnim::clsClientes::ClassName, "Selecionar",
         FakeAnswer::Error(3704, "Conexão perdida", "KELO_N_ClientAnim, clsClientes"),
         "3704 @ KELO_N_ClientAnim, clsClientes\n", false},
        {KELO_N_ClientAnim::clsClientes::ClassName, "Selecionar",
         FakeAnswer::Raising(platform::errOverflow),
         "6 @ KELO_A_PreVendas, frmPreVendas, PesquisarCliente, Ponto: 1\n", false},
        {KELO_N_ClientAnim::clsAnimais::ClassName, "SelecionarParaComboBoxFiltradoPorCliente",
         FakeAnswer::Raising(platform::errOverflow),
         "6 @ KELO_A_PreVendas, frmPreVendas, PreencherComboboxAnimal, Ponto: 1\n", true},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        session.Fakes.ErrorMessages.ForgetReports();
        form.qvcmdLimparCampos.UserClick();
        AnswerClients(Clientes({{.Codigo = 81}}));
        AnswerAnimals({"Rex"});
        Layer().Answer(row.className, row.member, row.answer);
        Search(form.qvfCodigoDoCliente, "81");
        EXPECT_EQ(Reports(), row.report);
        if (row.clientChosen) {
            EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "81");
        } else {
            ExpectNoClient();
        }
        EXPECT_EQ(Join(g::gbooIgnorarProximoEvento, Dark(), form.MousePointer()),
                  Join(false, false, platform::vbDefault));
    }
}

} // namespace
} // namespace presale_test
