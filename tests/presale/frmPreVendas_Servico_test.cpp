#include "globals/modPrincipal.h"
#include "support/Clientes.h"
#include "support/session/PreVendasSession.h"

#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Servicos.h"
#include "search/frmPesquisaDeServicos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KELO_A_PreVendas::frmPesquisaDeServicos;
using KELO_A_PreVendas::frmPreVendas;
using support::FakeAnswer;
using support::RecordsetBuilder;
namespace g = KELO_A_PreVendas::modPrincipal;

namespace {

struct Funcionario {
    int32_t Codigo;
    const char* Apelido;
    const char* Comissionado;
    const char* ComissaoUnica;
    double Unica;
    double Banhos; // every other per-type percentage is 0
};

platform::RecordsetRef Funcionarios(std::initializer_list<Funcionario> funcionarios)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario));
    for (const Funcionario& f : funcionarios) {
        std::vector<platform::Variant> row{f.Codigo, f.Apelido, f.Comissionado, f.ComissaoUnica,
                                           platform::Currency::FromDouble(f.Unica)};
        for (int tipo = 1; tipo <= 8; ++tipo)
            row.emplace_back(platform::Currency::FromDouble(tipo == 5 ? f.Banhos : 0));
        rows.Row(std::move(row));
    }
    return rows.Build();
}

platform::RecordsetRef Servicos(std::initializer_list<std::pair<int32_t, int32_t>> codigoETipo)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Servicos::CamposDoServico));
    for (auto [codigo, tipo] : codigoETipo)
        rows.Row({codigo, "Serviço " + std::to_string(codigo), platform::Currency::FromDouble(12.5),
                  platform::Currency::FromDouble(45), tipo});
    return rows.Build();
}

// What the attendant sees in the employee list: the nickname, and the percentage in the last 50.
std::string Entrada(const std::string& apelido, const std::string& percentual)
{
    return apelido + std::string(100 - apelido.size(), ' ') + percentual +
           std::string(50 - percentual.size(), ' ');
}

class ServiceLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        frmPreVendas& form = Form();
        // A type the discount and commission tables have no field for.
        form.qvcmbTiposDeServicos.AddItem("Transporte");
        form.qvcmbTiposDeServicos.ItemData(form.qvcmbTiposDeServicos.NewIndex, 8);
        std::array<double, 9> percentuais{0, 1, 2, 3, 4, 5.25, 6, 7, 9.9};
        layer().Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar",
            FakeAnswer::WithRows(support::Clientes({{.Codigo = 7, .Percentuais = percentuais}})));
        RecordsetBuilder animals(contracts::FieldNames(KELO_N_ClientAnim::CamposDoAnimal));
        animals.Row({"Rex", 300}).Row({"Mel", 301});
        layer().Answer<KELO_N_ClientAnim::clsAnimais>("SelecionarParaComboBoxFiltradoPorCliente",
                                                      FakeAnswer::WithRows(animals.Build()));
        layer().Answer<KELO_N_Funcionarios::clsFuncionarios>("Selecionar",
                                                             FakeAnswer::WithRows(Funcionarios({
                                                                 {20, "Ana", "Sim", "Não", 0, 10},
                                                                 {21, "Bia", "sim", "não", 0, 0},
                                                                 {22, "Caio", "Sim", "SIM", 7, 0},
                                                                 {23, "Duda", "Não", "Sim", 9, 9},
                                                             })));
        AnswerServices(Servicos({{12, 5}}));
        ASSERT_TRUE(form.qvfCodigoDoCliente.UserType("7"));
        ASSERT_TRUE(form.qvfCodigoDoCliente.UserConfirm());
        Choose("Banhos, tosas e estética");
        layer().ForgetCalls();
        session.Host.ClearRecords();
    }

    frmPreVendas& Form() { return session.Form(); }
    support::FakeBusinessLayer& layer() { return session.Fakes.BusinessLayer; }

    void AnswerServices(platform::RecordsetRef rows)
    {
        layer().Answer<KELO_N_Servicos::clsServicos>("Selecionar",
                                                     FakeAnswer::WithRows(std::move(rows)));
    }
    void Choose(const char* tipo) { ASSERT_TRUE(Form().qvcmbTiposDeServicos.UserSelectText(tipo)); }
    void Search(suite_controls::QVFind& box, const std::string& text)
    {
        ASSERT_TRUE(box.UserType(text));
        ASSERT_TRUE(box.UserConfirm());
    }
    size_t Calls(const char* className) const
    {
        return session.Fakes.BusinessLayer.CallsTo(className, "Selecionar").size();
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> prompts;
        for (const auto& box : session.Host.MessageBoxes())
            prompts.push_back(box.Prompt);
        return prompts;
    }
    std::vector<std::string> Employees()
    {
        std::vector<std::string> entries;
        for (int16_t i = 0; i < Form().qvcmbComissionado.ListCount; ++i)
            entries.push_back(Form().qvcmbComissionado.List(i));
        return entries;
    }

    support::PreVendasSession session;
};

TEST_F(ServiceLookup, TheCommissionListFollowsTheKindAndTheServiceType)
{
    struct Row {
        int16_t kind;
        const char* tipo; // nullptr: none selected
        double percentualDoProduto;
        std::vector<std::string> entries;
        std::vector<int32_t> codes;
    };
    const Row rows[] = {
        {1,
         "Banhos, tosas e estética",
         0,
         {"", Entrada("Ana", "10,00"), Entrada("Caio", "7,00")},
         {0, 20, 22}},
        {1, "Outros", 0, {"", Entrada("Caio", "7,00")}, {0, 22}},
        {1, "Transporte", 0, {"", Entrada("Caio", "7,00")}, {0, 22}},
        {1, nullptr, 0, {"", Entrada("Caio", "7,00")}, {0, 22}},
        {2,
         nullptr,
         0,
         {"", Entrada("Ana", "0,00"), Entrada("Bia", "0,00"), Entrada("Caio", "0,00")},
         {0, 20, 21, 22}},
        {2,
         "Outros",
         2.5,
         {"", Entrada("Ana", "2,50"), Entrada("Bia", "2,50"), Entrada("Caio", "2,50")},
         {0, 20, 21, 22}},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        form.qvcmbTiposDeServicos.ListIndex = -1;
        if (row.tipo)
            Choose(row.tipo);
        form.PercentualDeComissaoDoItem = platform::Currency::FromDouble(row.percentualDoProduto);
        layer().ForgetCalls();
        SCOPED_TRACE(testing::Message() << row.kind << " " << (row.tipo ? row.tipo : "-"));
        EXPECT_TRUE(form.PreencherComboboxComissionados(row.kind));
        EXPECT_EQ(Employees(), row.entries);
        for (size_t i = 0; i < row.codes.size(); ++i)
            EXPECT_EQ(form.qvcmbComissionado.ItemData(static_cast<int32_t>(i)), row.codes[i]);
        const auto calls = layer().CallsTo<KELO_N_Funcionarios::clsFuncionarios>("Selecionar");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Arguments, (std::vector<platform::Variant>{int32_t{2}, int16_t{0},
                                                                      int32_t{1}, "", "", 0.0}));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ServiceLookup, NoEmployeeOrAFailureKeepsTheListAndEnablesNothing)
{
    struct Row {
        FakeAnswer answer;
        const char* message; // nullptr: the failure is reported
    };
    FakeAnswer none = FakeAnswer::WithRows(Funcionarios({}));
    none.WriteBack[5] = 12.0;
    const Row rows[] = {
        {FakeAnswer::WithRows(Funcionarios({})),
         "Nenhum funcionário encontrado com o código '0' informado."},
        // The code as the component left it.
        {none, "Nenhum funcionário encontrado com o código '12' informado."},
        {FakeAnswer::Error(5, "Sem conexão", "clsFuncionarios.Selecionar"), nullptr},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        session.Host.ClearRecords();
        session.Fakes.ErrorMessages.ForgetReports();
        layer().Answer<KELO_N_Funcionarios::clsFuncionarios>("Selecionar", row.answer);
        form.qvfNomeDoServico.Enabled = false;
        Choose("Outros");
        EXPECT_EQ(Employees(),
                  (std::vector<std::string>{"", Entrada("Ana", "10,00"), Entrada("Caio", "7,00")}));
        EXPECT_FALSE(form.qvfNomeDoServico.Enabled());
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), row.message ? 0u : 1u);
    }
}

TEST_F(ServiceLookup, ALookupIsAskedForWithinTheSelectedType)
{
    frmPreVendas& form = Form();
    struct Row {
        bool typeSelected;
        suite_controls::QVFind* box;
        const char* typed;
        const char* message;
        std::vector<platform::Variant> arguments; // empty: not searched
    };
    const Row rows[] = {
        {false, &form.qvfCodigoDoServico, "5", "Selecione o tipo de serviço.", {}},
        {true,
         &form.qvfNomeDoServico,
         "Ba",
         "Informe 3 caracteres ou mais para iniciar a pesquisa.",
         {}},
        {true,
         &form.qvfCodigoDoServico,
         "5",
         nullptr,
         {int32_t{2}, int16_t{0}, int32_t{1}, "", int16_t{5}, "", 5.0}},
        {true,
         &form.qvfNomeDoServico,
         " Tosa ",
         nullptr,
         {int32_t{2}, int16_t{0}, int32_t{1}, "", int16_t{5}, "Tosa", 0.0}},
    };
    for (const Row& row : rows) {
        Choose("Banhos, tosas e estética");
        if (!row.typeSelected)
            form.qvcmbTiposDeServicos.ListIndex = -1;
        layer().ForgetCalls();
        session.Host.ClearRecords();
        Search(*row.box, row.typed);
        SCOPED_TRACE(row.typed);
        const auto calls = layer().CallsTo<KELO_N_Servicos::clsServicos>("Selecionar");
        ASSERT_EQ(calls.size(), row.arguments.empty() ? 0u : 1u);
        if (!calls.empty()) {
            EXPECT_EQ(calls[0].Arguments, row.arguments);
        }
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        if (!row.typeSelected) {
            EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvcmbTiposDeServicos);
        }
    }
}

TEST_F(ServiceLookup, AFoundServiceIsWrittenInAndItsTypeSelectedWithoutStartingOver)
{
    struct Row {
        const char* selected;
        int32_t typeOfService;
        bool inTheDialog; // picked as the second of two matches
        const char* typeAfter;
        const char* percentage; // the client's for the type then selected
    };
    const Row rows[] = {
        {"Banhos, tosas e estética", 5, false, "Banhos, tosas e estética", "5,25"},
        {"Hospedagem", 5, false, "Banhos, tosas e estética", "5,25"},
        // Type 4 is not sold here: the selection stays.
        {"Outros", 4, false, "Outros", "9,90"},
        {"Banhos, tosas e estética", 6, true, "Hospedagem", "6,00"},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        Choose(row.selected);
        AnswerServices(row.inTheDialog ? Servicos({{11, 5}, {12, row.typeOfService}})
                                       : Servicos({{12, row.typeOfService}}));
        std::string dialogSaw;
        session.Host.OnModal("frmPesquisaDeServicos", [&](platform::Form& shown) {
            auto& dialog = dynamic_cast<frmPesquisaDeServicos&>(shown);
            dialogSaw = std::to_string(dialog.qvcmbTiposDeServicos.ListCount) + " " +
                        dialog.qvcmbTiposDeServicos.Text() + " " +
                        std::to_string(dialog.msfgGrade.Rows);
            dialog.msfgGrade.UserClickCell(2, 2);
        });
        layer().ForgetCalls();
        Search(form.qvfNomeDoServico, "Serviço");
        SCOPED_TRACE(row.selected);
        EXPECT_EQ(dialogSaw, row.inTheDialog ? "4 Banhos, tosas e estética 3" : "");
        EXPECT_EQ(form.qvfCodigoDoServico.Text(), "12");
        EXPECT_EQ(form.qvfNomeDoServico.Text(), "Serviço 12");
        EXPECT_EQ(form.qvfNomeDoServico.Tag(), "12,5");
        EXPECT_EQ(form.qvfCodigoDoServico.Modo(), 0);
        EXPECT_EQ(form.qvnumQuantidade.Text(), "1");
        EXPECT_EQ(form.qvnumValorUnitario.Text(), "45,00");
        EXPECT_TRUE(form.qvnumQuantidade.Enabled());
        EXPECT_FALSE(form.qvnumValorUnitario.Enabled()) << "the session's user has no rights";
        EXPECT_EQ(form.qvcmbTiposDeServicos.Text(), row.typeAfter);
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), row.percentage);
        EXPECT_EQ(Calls(KELO_N_Funcionarios::clsFuncionarios::ClassName), 0u)
            << "the lookup's own selection is no choice of a type";
        EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvcmbAnimal);
        EXPECT_FALSE(g::gbooIgnorarProximoEvento);
        EXPECT_FALSE(g::gbooIgnorarProximoClickDoTipoDeServico);
        EXPECT_EQ(platform::Form::FindForm("frmPesquisaDeServicos"), nullptr);
    }
}

TEST_F(ServiceLookup, ModeSwitchesLeaveTheServiceBoxesClosedAndLimparCamposRunsServiceMode)
{
    frmPreVendas& form = Form();
    ASSERT_TRUE(form.optProduto.UserClick());
    ASSERT_TRUE(form.optServico.UserClick());
    EXPECT_EQ(form.qvcmbTiposDeServicos.ListIndex(), -1);
    EXPECT_FALSE(form.qvfNomeDoServico.Enabled());
    EXPECT_FALSE(form.qvfCodigoDoServico.Enabled());
    EXPECT_EQ(Calls(KELO_N_Funcionarios::clsFuncionarios::ClassName), 0u);

    form.qvfNomeDoProduto.TextoAuxiliar = "RACAO";
    ASSERT_TRUE(form.optServico.Value());
    form.qvcmdLimparCampos.UserClick();
    EXPECT_EQ(form.qvfNomeDoProduto.TextoAuxiliar(), "");
    EXPECT_TRUE(Messages().empty());
}

} // namespace
