#include "globals/modPrincipal.h"
#include "support/Clientes.h"
#include "support/session/PreVendasSession.h"

#include "search/frmPesquisaDeClientes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KELO_A_PreVendas::frmPesquisaDeClientes;
using KELO_A_PreVendas::frmPreVendas;
using support::Clientes;
using support::FakeAnswer;
using support::PreVendasSession;
namespace g = KELO_A_PreVendas::modPrincipal;

namespace {

constexpr const char* MensagemDoAnimal =
    "Nenhum animal cadastrado.\nÉ necessário ter ao menos um animal cadastrado com as "
    "especificações informadas para incluir ou alterar uma ficha clínica.";

class ClientLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        AnswerAnimals({"Rex", "Mel"});
        session.Fakes.BusinessLayer.ForgetCalls();
        session.Host.ClearRecords();
    }

    frmPreVendas& Form() { return session.Form(); }

    void AnswerClients(platform::RecordsetRef rows)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar", FakeAnswer::WithRows(std::move(rows)));
    }
    void AnswerClients(FakeAnswer answer)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsClientes>("Selecionar",
                                                                           std::move(answer));
    }

    void AnswerAnimals(const std::vector<std::string>& nomes)
    {
        support::RecordsetBuilder rows(contracts::FieldNames(KELO_N_ClientAnim::CamposDoAnimal));
        int32_t codigo = 300;
        for (const std::string& nome : nomes)
            rows.Row({nome, codigo++});
        session.Fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsAnimais>(
            "SelecionarParaComboBoxFiltradoPorCliente", FakeAnswer::WithRows(rows.Build()));
    }

    void AnswerOpenItems(const support::RecordsetBuilder& items)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>(
            "SelecionarServicosEfetuadosEProdutosReservados", FakeAnswer::WithRows(items.Build()));
    }

    // The attendant types into a client box and confirms the search.
    void Search(suite_controls::QVFind& box, const std::string& text)
    {
        ASSERT_TRUE(box.UserType(text));
        ASSERT_TRUE(box.UserConfirm());
    }

    std::vector<support::RecordedCall> ClientCalls() const
    {
        return session.Fakes.BusinessLayer.CallsTo<KELO_N_ClientAnim::clsClientes>("Selecionar");
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> prompts;
        for (const auto& box : session.Host.MessageBoxes())
            prompts.push_back(box.Prompt);
        return prompts;
    }

    void ExpectNoClient()
    {
        frmPreVendas& form = Form();
        EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.Text(), "");
        EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.Text(), "");
        EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "");
        EXPECT_EQ(form.lblCliente.Caption(), "Cliente*");
        EXPECT_FALSE(form.optServico.Enabled());
        EXPECT_FALSE(form.qvcmbTiposDeServicos.Enabled());
        EXPECT_EQ(form.msfgGrade.Rows(), 2);
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
    }

    PreVendasSession session;
};

TEST_F(ClientLookup, ANameBoxNeedsThreeCharactersWhileOneDigitIsACode)
{
    frmPreVendas& form = Form();
    struct Row {
        suite_controls::QVFind* box;
        const char* typed;
        bool searched;
    };
    const Row rows[] = {
        {&form.qvfApelidoOuNomeFantasiaDoCliente, "Re", false},
        {&form.qvfNomeOuRazaoSocialDoCliente, "Ma", false},
        {&form.qvfApelidoOuNomeFantasiaDoCliente, "Rex", true},
        {&form.qvfCodigoDoCliente, "7", true},
    };
    AnswerClients(Clientes({{.Codigo = 7, .Apelido = "Rex"}}));
    for (const Row& row : rows) {
        session.Fakes.BusinessLayer.ForgetCalls();
        session.Host.ClearRecords();
        form.qvcmdLimparCampos.UserClick();
        ASSERT_TRUE(form.qvfCodigoDoCliente.UserType("55"));
        Search(*row.box, row.typed);

        EXPECT_EQ(ClientCalls().size(), row.searched ? 1u : 0u) << row.typed;
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
        if (row.searched)
            continue;
        EXPECT_EQ(Messages(), std::vector<std::string>{
                                  "Informe 3 caracteres ou mais para iniciar a pesquisa."});
        EXPECT_EQ(session.Host.MessageBoxes()[0].Icon(), platform::vbInformation);
        EXPECT_EQ(session.Host.MessageBoxes()[0].Title, PreVendasSession::NomeDaAplicacao);
        EXPECT_EQ(row.box->Text(), row.typed) << "nothing is cleared";
        EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "55");
    }
}

TEST_F(ClientLookup, SelecionarGetsTheUserAndTheOwnBoxsValueOnly)
{
    frmPreVendas& form = Form();
    AnswerClients(Clientes({{.Codigo = 7, .Apelido = "Rex", .Nome = "Ana Souza"}}));
    Search(form.qvfApelidoOuNomeFantasiaDoCliente, "Rex");
    AnswerClients(Clientes({{.Codigo = 8, .Apelido = "Bob", .Nome = "Bia Lima"}}));
    // The name boxes still hold the first client's names.
    Search(form.qvfCodigoDoCliente, "8");

    const auto calls = ClientCalls();
    ASSERT_EQ(calls.size(), 2u);
    const std::vector<platform::Variant> byName{int32_t{2}, int16_t{0}, int32_t{0}, "",  "Rex", 0.0,
                                                "",         "",         "",         0.0, ""};
    const std::vector<platform::Variant> byCode{int32_t{2}, int16_t{0}, int32_t{0}, "",  "", 8.0,
                                                "",         "",         "",         0.0, ""};
    EXPECT_EQ(calls[0].Arguments, byName);
    EXPECT_EQ(calls[1].Arguments, byCode);
    EXPECT_EQ(calls[1].DadosDoUsuario, platform::ObjectRef(session.User));
    EXPECT_EQ(session.Fakes.BusinessLayer.InstancesAlive(KELO_N_ClientAnim::clsClientes::ClassName),
              0);
    EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.Text(), "Bob");
    EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.Text(), "Bia Lima");
    EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "8");
}

TEST_F(ClientLookup, AClientWhoMayNotBeServedIsRefusedWithItsStatus)
{
    struct Row {
        int16_t situacao;
        const char* message; // nullptr: chosen
    };
    const Row rows[] = {
        {2, "Cliente inativo. Para mais informações, entre em contato com o departamento "
            "financeiro."},
        {3, "Cliente bloqueado. Para mais informações, entre em contato com o departamento "
            "financeiro."},
        {4, "Cliente excluído. Para mais informações, entre em contato com o departamento "
            "financeiro."},
        {1, nullptr},
        {0, nullptr},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        session.Host.ClearRecords();
        form.qvcmdLimparCampos.UserClick();
        AnswerClients(Clientes({{.Codigo = 9, .Apelido = "Tobias", .Situacao = row.situacao}}));
        Search(form.qvfApelidoOuNomeFantasiaDoCliente, "Tob");
        SCOPED_TRACE(row.situacao);
        if (row.message) {
            EXPECT_EQ(Messages(), std::vector<std::string>{row.message});
            ExpectNoClient();
            EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.Modo(), 0);
            EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.Modo(), 2);
            EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvfApelidoOuNomeFantasiaDoCliente);
        } else {
            EXPECT_TRUE(Messages().empty());
            EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "9");
            EXPECT_TRUE(form.optServico.Enabled());
            EXPECT_FALSE(g::gbooIgnorarProximoEvento);
        }
    }
}

TEST_F(ClientLookup, TheLabelCarriesTheVipMarkInAnyCaseAndTheCategory)
{
    struct Row {
        const char* vip;
        const char* categoria;
        const char* caption;
    };
    const Row rows[] = {
        {"vip", "A", "Cliente* [ A ]"},
        {"Sim", "A", "Cliente* [ VIP - A ]"},
        {"sIM", "C", "Cliente* [ VIP - C ]"},
        {"Não", "B", "Cliente* [ B ]"},
        {"", "", "Cliente* [  ]"},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        AnswerClients(Clientes({{.Codigo = 5, .VIP = row.vip, .Categoria = row.categoria}}));
        Search(form.qvfCodigoDoCliente, "5");
        EXPECT_EQ(form.lblCliente.Caption(), row.caption) << row.vip;
    }
    form.qvcmdLimparCampos.UserClick();
    EXPECT_EQ(form.lblCliente.Caption(), "Cliente*") << "no client, no marks";
}

TEST_F(ClientLookup, TheDiscountProfileGivesThePercentageOfTheChosenServiceType)
{
    frmPreVendas& form = Form();
    // A type the profile has no field for.
    form.qvcmbTiposDeServicos.AddItem("Transporte");
    form.qvcmbTiposDeServicos.ItemData(form.qvcmbTiposDeServicos.NewIndex, 8);
    const std::array<double, 9> percentuais{12.5, 1, 2, 3, 4, 5.25, 6, 7, 9.9};
    struct Row {
        const char* descontoUnico;
        const char* tipo;
        const char* expected;
    };
    const Row rows[] = {
        {"SIM", "Banhos, tosas e estética", "12,50"},
        {"sim", "Transporte", "12,50"},
        {"Não", "Banhos, tosas e estética", "5,25"},
        {"Não", "Hospedagem", "6,00"},
        {"Não", "Outros", "9,90"},
        {"Não", "Transporte", "7,77"},
        {"Não", nullptr, "7,77"},
    };
    for (const Row& row : rows) {
        AnswerClients(Clientes(
            {{.Codigo = 3, .DescontoUnico = row.descontoUnico, .Percentuais = percentuais}}));
        Search(form.qvfCodigoDoCliente, "3");
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), "0,00") << "a found client";
        form.qvcmbTiposDeServicos.ListIndex = -1;
        for (int16_t i = 0; row.tipo && i < form.qvcmbTiposDeServicos.ListCount; ++i) {
            if (form.qvcmbTiposDeServicos.List(i) == row.tipo)
                form.qvcmbTiposDeServicos.ListIndex = i;
        }
        form.qvnumPercentualDeDescontoPorItem.Text = "7,77";
        EXPECT_EQ(form.RecuperaDescontoDoCliente(), 0);
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), row.expected)
            << row.descontoUnico << " " << (row.tipo ? row.tipo : "(none)");
    }
}

TEST_F(ClientLookup, AnimalsDecideBetweenServiceAndProductMode)
{
    struct Row {
        std::vector<std::string> animals;
        int16_t listIndex;
        bool serviceMode;
    };
    const Row rows[] = {
        {{"Rex"}, 0, true},
        {{"Rex", "Mel"}, -1, true},
        {{}, -1, false},
    };
    frmPreVendas& form = Form();
    AnswerClients(Clientes({{.Codigo = 12, .Apelido = "Lara"}}));
    for (const Row& row : rows) {
        session.Host.ClearRecords();
        session.Fakes.BusinessLayer.ForgetCalls();
        AnswerAnimals(row.animals);
        Search(form.qvfApelidoOuNomeFantasiaDoCliente, "Lara");
        SCOPED_TRACE(row.animals.size());

        const auto calls = session.Fakes.BusinessLayer.CallsTo<KELO_N_ClientAnim::clsAnimais>(
            "SelecionarParaComboBoxFiltradoPorCliente");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Arguments, (std::vector<platform::Variant>{12.0, int16_t{3}}));
        EXPECT_EQ(form.qvcmbAnimal.ListCount(), static_cast<int16_t>(row.animals.size()));
        if (!row.animals.empty()) {
            EXPECT_EQ(form.qvcmbAnimal.List(0), "Rex");
            EXPECT_EQ(form.qvcmbAnimal.ItemData(0), 300);
        }
        EXPECT_EQ(form.qvcmbAnimal.ListIndex(), row.listIndex);
        EXPECT_EQ(form.optServico.Value(), row.serviceMode);
        EXPECT_EQ(form.optServico.Enabled(), row.serviceMode);
        EXPECT_TRUE(form.optProduto.Enabled());
        EXPECT_EQ(form.qvfCodigoDeBarrasDoProduto.Visible(), !row.serviceMode);
        EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "12") << "the client stays chosen";
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
        EXPECT_EQ(platform::Screen::ActiveControl(),
                  row.serviceMode ? static_cast<platform::Control*>(&form.optServico)
                                  : &form.optProduto);
        EXPECT_EQ(Messages(), row.serviceMode ? std::vector<std::string>{}
                                              : std::vector<std::string>{MensagemDoAnimal});
    }
}

TEST_F(ClientLookup, NotFoundNamesWhatWasSearchedAndClearsTheScreen)
{
    frmPreVendas& form = Form();
    struct Row {
        suite_controls::QVFind* box;
        const char* typed;
        const char* message;
    };
    const Row rows[] = {
        {&form.qvfApelidoOuNomeFantasiaDoCliente, "Zeca",
         "Nenhum cliente encontrado com o apelido ou nome fantasia 'Zeca'."},
        {&form.qvfNomeOuRazaoSocialDoCliente, "José Carlos ",
         "Nenhum cliente encontrado com o nome ou razão social 'José Carlos'."},
        {&form.qvfCodigoDoCliente, "77", "Nenhum cliente encontrado com o código '77' informado."},
    };
    AnswerClients(Clientes({}));
    for (const Row& row : rows) {
        session.Host.ClearRecords();
        Search(*row.box, row.typed);
        EXPECT_EQ(Messages(), std::vector<std::string>{row.message});
        ExpectNoClient();
        EXPECT_EQ(row.box->Modo(), 0);
    }
}

TEST_F(ClientLookup, SeveralMatchesArePickedInTheSearchDialogOverTheDarkenedScreen)
{
    frmPreVendas& form = Form();
    std::array<double, 9> percentuais{};
    percentuais[8] = 4.5;
    AnswerClients(Clientes({{.Codigo = 21, .Apelido = "Nina", .Situacao = 3},
                            {.Codigo = 22,
                             .Apelido = "Nino",
                             .Nome = "Antônio Reis",
                             .VIP = "SIM",
                             .Categoria = "A",
                             .Percentuais = percentuais}}));
    bool darkWhileOpen = false;
    bool openAfterTheBlockedOne = false;
    session.Host.OnModal("frmPesquisaDeClientes", [&](platform::Form& shown) {
        auto& dialog = dynamic_cast<frmPesquisaDeClientes&>(shown);
        darkWhileOpen = session.Fakes.DarkOverlay.IsDark(session.MenuWindow);
        dialog.msfgGrade.UserClickCell(1, 2);
        openAfterTheBlockedOne = dialog.Visible() && !dialog.RegistroSelecionado();
        dialog.msfgGrade.UserClickCell(2, 2);
    });
    Search(form.qvfApelidoOuNomeFantasiaDoCliente, "Nin");

    EXPECT_EQ(session.Host.ModalShowings(), std::vector<std::string>{"frmPesquisaDeClientes"});
    EXPECT_TRUE(darkWhileOpen);
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
    EXPECT_TRUE(openAfterTheBlockedOne);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cliente bloqueado. Para mais informações, "
                                                   "entre em contato com o departamento "
                                                   "financeiro."});
    EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.Text(), "Nino");
    EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.Text(), "Antônio Reis");
    EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "22");
    EXPECT_EQ(form.lblCliente.Caption(), "Cliente* [ VIP - A ]");
    EXPECT_EQ(form.DescontoDoCliente.PercentualDeDescontoEmOutros,
              platform::Currency::FromDouble(4.5));
    EXPECT_EQ(platform::Form::FindForm("frmPesquisaDeClientes"), nullptr)
        << "the dialog is gone once read";
    EXPECT_FALSE(g::gbooIgnorarProximoEvento);
}

TEST_F(ClientLookup, ClosingTheDialogWithoutAPickClearsTheScreenSilently)
{
    frmPreVendas& form = Form();
    AnswerClients(Clientes({{.Codigo = 41}, {.Codigo = 42}}));
    session.Host.OnModal("frmPesquisaDeClientes", [&](platform::Form& shown) {
        dynamic_cast<frmPesquisaDeClientes&>(shown).qvcmdFechar.UserClick();
    });
    Search(form.qvfNomeOuRazaoSocialDoCliente, "Cliente");
    EXPECT_TRUE(session.Host.StuckModals().empty());
    EXPECT_TRUE(Messages().empty());
    ExpectNoClient();
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
}

TEST_F(ClientLookup, OnlyTheAttendantsKeysEmptyTheSiblingsAuxiliaryText)
{
    frmPreVendas& form = Form();
    AnswerClients(Clientes({{.Codigo = 51, .Apelido = "Fred", .Nome = "Frederico Alves"}}));
    ASSERT_TRUE(form.qvfCodigoDoCliente.UserType("51"));
    for (suite_controls::QVFind* box :
         {&form.qvfApelidoOuNomeFantasiaDoCliente, &form.qvfNomeOuRazaoSocialDoCliente,
          &form.qvfCodigoDoCliente})
        box->TextoAuxiliar = "marca";
    ASSERT_TRUE(form.qvfCodigoDoCliente.UserConfirm());

    EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.Text(), "Frederico Alves");
    EXPECT_FALSE(g::gbooIgnorarProximoEvento);
    for (suite_controls::QVFind* box :
         {&form.qvfApelidoOuNomeFantasiaDoCliente, &form.qvfNomeOuRazaoSocialDoCliente,
          &form.qvfCodigoDoCliente})
        EXPECT_EQ(box->TextoAuxiliar(), "marca") << box->Name() << ": the form's own writes";

    ASSERT_TRUE(form.qvfNomeOuRazaoSocialDoCliente.UserKeyDown('A'));
    EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.TextoAuxiliar(), "");
    EXPECT_EQ(form.qvfCodigoDoCliente.TextoAuxiliar(), "");
    EXPECT_EQ(form.qvfNomeOuRazaoSocialDoCliente.TextoAuxiliar(), "marca");
}

TEST_F(ClientLookup, ResetFromAnyBoxReturnsToNoClient)
{
    frmPreVendas& form = Form();
    struct Row {
        suite_controls::QVFind* box;
        int16_t nicknameModo;
    };
    const Row rows[] = {
        {&form.qvfCodigoDoCliente, 2},
        {&form.qvfApelidoOuNomeFantasiaDoCliente, 2},
        {&form.qvfNomeOuRazaoSocialDoCliente, 0},
    };
    AnswerClients(Clientes({{.Codigo = 71, .Apelido = "Hugo", .VIP = "Sim", .Categoria = "A"}}));
    for (const Row& row : rows) {
        Search(form.qvfCodigoDoCliente, "71");
        ASSERT_EQ(form.lblCliente.Caption(), "Cliente* [ VIP - A ]");
        ASSERT_TRUE(row.box->UserReset());
        ExpectNoClient();
        EXPECT_EQ(form.qvfApelidoOuNomeFantasiaDoCliente.Modo(), row.nicknameModo);
        EXPECT_EQ(platform::Screen::ActiveControl(), row.box);
    }
}

TEST_F(ClientLookup, FailuresAreReportedOnceAndLeaveWithTheProceduresDefault)
{
    struct Row {
        const char* className;
        const char* member;
        FakeAnswer answer;
        int32_t number;
        const char* location;
        bool clientChosen;
    };
    const Row rows[] = {
        // The business layer's own fields.
        {KELO_N_ClientAnim::clsClientes::ClassName, "Selecionar",
         FakeAnswer::Error(3704, "Conexão perdida", "KELO_N_ClientAnim, clsClientes"), 3704,
         "KELO_N_ClientAnim, clsClientes", false},
        {KELO_N_ClientAnim::clsClientes::ClassName, "Selecionar",
         FakeAnswer::Raising(platform::errOverflow), platform::errOverflow,
         "KELO_A_PreVendas, frmPreVendas, PesquisarCliente, Ponto: 1", false},
        {KELO_N_ClientAnim::clsAnimais::ClassName, "SelecionarParaComboBoxFiltradoPorCliente",
         FakeAnswer::Raising(platform::errOverflow), platform::errOverflow,
         "KELO_A_PreVendas, frmPreVendas, PreencherComboboxAnimal, Ponto: 1", true},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        session.Fakes.ErrorMessages.ForgetReports();
        form.qvcmdLimparCampos.UserClick();
        AnswerClients(Clientes({{.Codigo = 81}}));
        AnswerAnimals({"Rex"});
        session.Fakes.BusinessLayer.Answer(row.className, row.member, row.answer);
        Search(form.qvfCodigoDoCliente, "81");
        const auto reports = session.Fakes.ErrorMessages.Reports();
        ASSERT_EQ(reports.size(), 1u) << row.location;
        EXPECT_EQ(reports[0].Numero.AsLong(), row.number);
        EXPECT_EQ(reports[0].Local.AsString(), row.location);
        if (row.clientChosen)
            EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "81");
        else
            ExpectNoClient();
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
        EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
        EXPECT_EQ(form.MousePointer(), platform::vbDefault);
    }
}

TEST_F(ClientLookup, AClientWithoutOpenItemsGetsAnEmptyGridNotTheEarlierClients)
{
    frmPreVendas& form = Form();
    AnswerOpenItems(
        support::ItensAbertos().Row({5, 12, "Banho", 300, "Rex", 7, "Ana", 1, 40.0, -10.0, -4.0,
                                     36.0, 20.0, 5.0, 1.8, 101, "", "2", 1}));
    AnswerClients(Clientes({{.Codigo = 91}}));
    Search(form.qvfCodigoDoCliente, "91");
    ASSERT_EQ(form.msfgGrade.Rows(), 2);
    ASSERT_EQ(form.msfgGrade.TextMatrix(1, 2), "Banho");
    ASSERT_EQ(form.qvnumTotal.Text(), "40,00");

    AnswerOpenItems(support::ItensAbertos());
    AnswerClients(Clientes({{.Codigo = 92}}));
    Search(form.qvfCodigoDoCliente, "92");
    EXPECT_EQ(form.qvfCodigoDoCliente.Text(), "92");
    EXPECT_EQ(form.msfgGrade.Rows(), 2);
    EXPECT_EQ(form.msfgGrade.TextMatrix(1, 2), "");
    EXPECT_EQ(form.msfgGrade.TextMatrix(0, 2), "Serviço ou Produto");
    EXPECT_FALSE(form.mbooGradePreenchida);
    for (const auto* total : {&form.qvnumTotal, &form.qvnumDesconto, &form.qvnumLiquidoAPagar})
        EXPECT_EQ(total->Text(), "0,00") << total->Name();
}

} // namespace
