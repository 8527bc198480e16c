#include "ScreenTest.h"

#include "platform/Runtime.h"

#include "contracts/KELO_N_Servicos.h"
#include "search/frmPesquisaDeServicos.h"

namespace presale_test {
namespace {

using KELO_A_PreVendas::frmPesquisaDeServicos;

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

// Client 7 with two animals and a percentage per type; baths chosen; four employees.
class ServiceLookup : public Screen {
protected:
    void SetUp() override
    {
        session.Start();
        frmPreVendas& form = Form();
        // A type the discount and commission tables have no field for.
        form.qvcmbTiposDeServicos.AddItem("Transporte");
        form.qvcmbTiposDeServicos.ItemData(form.qvcmbTiposDeServicos.NewIndex, 8);
        AnswerClients(Clientes({{.Codigo = 7, .Percentuais = {0, 1, 2, 3, 4, 5.25, 6, 7, 9.9}}}));
        AnswerAnimals({"Rex", "Mel"});
        AnswerEmployees({{20, "Ana", "Sim", "Não", 0, 10},
                         {21, "Bia", "sim", "não", 0, 0},
                         {22, "Caio", "Sim", "SIM", 7, 0},
                         {23, "Duda", "Não", "Sim", 9, 9}});
        Answer<KELO_N_Servicos::clsServicos>("Selecionar", Servicos({{12, 5}}));
        Search(form.qvfCodigoDoCliente, "7");
        Choose("Banhos, tosas e estética");
        Forget();
    }

    void Choose(const char* tipo) { ASSERT_TRUE(Form().qvcmbTiposDeServicos.UserSelectText(tipo)); }
    int32_t EmployeeLookups() const
    {
        return static_cast<int32_t>(Calls<KELO_N_Funcionarios::clsFuncionarios>().size());
    }
    // The employee list as "code nickname percentage" after its blank entry, each entry padded
    // as the attendant sees it; an entry padded otherwise is shown whole.
    std::string Employees()
    {
        const auto& list = Form().qvcmbComissionado;
        std::string all = "[" + list.List(0) + "] " + std::to_string(list.ItemData(0));
        for (int16_t i = 1; i < list.ListCount; ++i) {
            const std::string entry = list.List(i);
            const std::string apelido = platform::Trim(entry.substr(0, 100));
            const std::string percentual =
                platform::Trim(entry.substr(std::min<size_t>(100, entry.size())));
            all += " | " + std::to_string(list.ItemData(i)) + " " +
                   (entry == Entrada(apelido, percentual) ? apelido + " " + percentual : entry);
        }
        return all;
    }
};

TEST_F(ServiceLookup, TheCommissionListFollowsTheKindAndTheServiceType)
{
    struct Row {
        int16_t kind;
        const char* tipo; // nullptr: none selected
        double percentualDoProduto;
        const char* employees;
    };
    const Row rows[] = {
        {1, "Banhos, tosas e estética", 0, "[] 0 | 20 Ana 10,00 | 22 Caio 7,00"},
        {1, "Transporte", 0, "[] 0 | 22 Caio 7,00"},
        {1, nullptr, 0, "[] 0 | 22 Caio 7,00"},
        {2, "Outros", 2.5, "[] 0 | 20 Ana 2,50 | 21 Bia 2,50 | 22 Caio 2,50"},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        form.qvcmbTiposDeServicos.ListIndex = -1;
        if (row.tipo)
            Choose(row.tipo);
        form.PercentualDeComissaoDoItem = platform::Currency::FromDouble(row.percentualDoProduto);
        SCOPED_TRACE(testing::Message() << row.kind << " " << (row.tipo ? row.tipo : "-"));
        EXPECT_TRUE(form.PreencherComboboxComissionados(row.kind));
        EXPECT_EQ(Employees(), row.employees);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ServiceLookup, NoEmployeeOrAFailureKeepsTheListAndEnablesNothing)
{
    FakeAnswer none = FakeAnswer::WithRows(
        support::RecordsetBuilder(contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario))
            .Build());
    const std::pair<FakeAnswer, const char*> rows[] = {
        {none, "Nenhum funcionário encontrado com o código '0' informado."},
        {FakeAnswer::Error(5, "Sem conexão", "clsFuncionarios.Selecionar"), nullptr},
    };
    frmPreVendas& form = Form();
    for (const auto& [answer, message] : rows) {
        Forget();
        Answer<KELO_N_Funcionarios::clsFuncionarios>("Selecionar", answer);
        form.qvfNomeDoServico.Enabled = false;
        Choose("Outros");
        EXPECT_EQ(Employees(), "[] 0 | 20 Ana 10,00 | 22 Caio 7,00");
        EXPECT_EQ(Messages(), Said(message));
        EXPECT_EQ(Join(form.qvfNomeDoServico.Enabled(), Reports()),
                  Join(false, message ? "" : "5 @ clsFuncionarios.Selecionar\n"));
    }
}

// What a lookup asks within its type is the service scenario's; without a type it asks nothing.
TEST_F(ServiceLookup, WithoutATypeNothingIsAskedAndTheTypeListHasTheFocus)
{
    Form().qvcmbTiposDeServicos.ListIndex = -1;
    Forget();
    Search(Form().qvfCodigoDoServico, "5");
    EXPECT_EQ(Messages(), Said("Selecione o tipo de serviço."));
    EXPECT_EQ(Join(Calls<KELO_N_Servicos::clsServicos>().empty(),
                   platform::Screen::ActiveControl() == &Form().qvcmbTiposDeServicos),
              "Verdadeiro | Verdadeiro");
}

TEST_F(ServiceLookup, AFoundServiceSelectsItsOwnTypeWithoutStartingOver)
{
    struct Row {
        const char* selected;
        int32_t typeOfService;
        bool inTheDialog; // picked as the second of two matches
        const char* typeAfter;
        const char* percentage; // the client's for the type then selected
    };
    const Row rows[] = {
        {"Hospedagem", 5, false, "Banhos, tosas e estética", "5,25"},
        // Type 4 is not sold here: the selection stays.
        {"Outros", 4, false, "Outros", "9,90"},
        {"Banhos, tosas e estética", 6, true, "Hospedagem", "6,00"},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        Choose(row.selected);
        Answer<KELO_N_Servicos::clsServicos>(
            "Selecionar", row.inTheDialog ? Servicos({{11, 5}, {12, row.typeOfService}})
                                          : Servicos({{12, row.typeOfService}}));
        std::string dialogSaw;
        session.Host.OnModal("frmPesquisaDeServicos", [&](platform::Form& shown) {
            auto& dialog = dynamic_cast<frmPesquisaDeServicos&>(shown);
            dialogSaw = std::to_string(dialog.qvcmbTiposDeServicos.ListCount) + " " +
                        dialog.qvcmbTiposDeServicos.Text();
            dialog.msfgGrade.UserClickCell(2, 2);
        });
        Layer().ForgetCalls();
        Search(form.qvfNomeDoServico, "Serviço");
        SCOPED_TRACE(row.selected);
        EXPECT_EQ(dialogSaw, row.inTheDialog ? "4 Banhos, tosas e estética" : "");
        // The lookup's own selection is no choice of a type: no employee lookup.
        EXPECT_EQ(
            Read({"qvfCodigoDoServico.Text", "qvfNomeDoServico.Tag", "qvnumValorUnitario.Text",
                  "qvcmbTiposDeServicos.Text", "qvnumPercentualDeDescontoPorItem.Text"}) +
                Join("", EmployeeLookups(), platform::Screen::ActiveControl() == &form.qvcmbAnimal,
                     g::gbooIgnorarProximoEvento, g::gbooIgnorarProximoClickDoTipoDeServico),
            Join("12", "12,5", "45,00", row.typeAfter, row.percentage, 0, true, false, false));
    }
}

TEST_F(ServiceLookup, ModeSwitchesLeaveTheServiceBoxesClosed)
{
    ASSERT_TRUE(Form().optProduto.UserClick());
    ASSERT_TRUE(Form().optServico.UserClick());
    EXPECT_EQ(Read({"qvcmbTiposDeServicos.ListIndex", "qvfNomeDoServico.Enabled",
                    "qvfCodigoDoServico.Enabled"}) +
                  Join("", EmployeeLookups()),
              "-1 | Falso | Falso | 0");
}

} // namespace
} // namespace presale_test
