#include "ScreenTest.h"

#include "contracts/KELO_N_Produtos.h"
#include "search/frmPesquisaDeProdutos.h"

#include <string>
#include <vector>

namespace presale_test {
namespace {

using KELO_A_PreVendas::frmPesquisaDeProdutos;

struct Produto {
    int32_t Codigo = 1234;
    std::string CodigoDeBarras = "7891000100103";
    std::string Nome = "Ração a granel";
    double Custo = 11;
    double ValorDeVenda = 24.68;
    double Comissao = 2;
};

platform::RecordsetRef Produtos(std::initializer_list<Produto> produtos)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProduto));
    for (const Produto& p : produtos)
        rows.Row({p.Codigo, p.CodigoDeBarras, p.Nome, platform::Currency::FromDouble(p.Custo),
                  platform::Currency::FromDouble(p.ValorDeVenda), "KG",
                  platform::Currency::FromDouble(p.Comissao)});
    return rows.Build();
}

// Client 7 with two animals, the screen in product mode, one commissioned employee, a product
// found by every lookup and the session's company, which reads weight labels.
class ProductLookup : public Screen {
protected:
    void SetUp() override
    {
        session.Start();
        AnswerClients(Clientes({{.Codigo = 7}}));
        AnswerAnimals({"Rex", "Mel"});
        AnswerEmployees({{20, "Ana"}});
        AnswerProducts(Produtos({{}}));
        Search(Form().qvfCodigoDoCliente, "7");
        ASSERT_TRUE(Form().optProduto.UserClick());
        Forget();
    }

    void AnswerProducts(platform::RecordsetRef rows)
    {
        Answer<KELO_N_Produtos::clsProdutos>("Selecionar", std::move(rows));
    }
    // Found, with the employee list filled, the fields open and the service option on.
    void ExpectFound(const char* quantity)
    {
        EXPECT_EQ(Read({"qvfCodigoInternoDoProduto.Text", "qvnumQuantidade.Text",
                        "qvnumValorUnitario.Text", "qvcmbComissionado.ListCount",
                        "qvcmbTiposDeServicos.Enabled"}) +
                      Join("", platform::Screen::ActiveControl() == &Form().qvcmbComissionado),
                  Join("1234", quantity, "24,68", 2, true, true));
    }
};

// The refusals before asking are the product scenario's; here what each box asks with.
TEST_F(ProductLookup, EachBoxAsksWithItsOwnValueAndTheBarcodeBoxKnowsLabelsByTheirStart)
{
    frmPreVendas& form = Form();
    struct Row {
        suite_controls::QVFind* box;
        const char* typed;
        std::vector<platform::Variant> asked; // name, barcode, code
        const char* quantity;
    };
    const Row rows[] = {
        {&form.qvfCodigoInternoDoProduto, "7", {"", "", 7.0}, "1,000"},
        {&form.qvfNomeDoProduto, " ração ", {"ração", "", 0.0}, "1,000"},
        // Blanks first: the "2" is not the first character typed, so no label.
        {&form.qvfCodigoDeBarrasDoProduto, " 2001234012349", {"", "2001234012349", 0.0}, "1,000"},
        // A label asks by the code it carries; the 14th character is not read.
        {&form.qvfCodigoDeBarrasDoProduto,
         "20012340123491",
         {"", "20012340123491", 1234.0},
         "1,234"},
    };
    for (const Row& row : rows) {
        Forget();
        Search(*row.box, row.typed);
        SCOPED_TRACE(row.typed);
        EXPECT_TRUE(Messages().empty());
        const auto calls = Calls<KELO_N_Produtos::clsProdutos>();
        ASSERT_EQ(calls.size(), 1u);
        std::vector<platform::Variant> expected{int32_t{2}, int16_t{0}, int32_t{1}, ""};
        expected.insert(expected.end(), row.asked.begin(), row.asked.end());
        EXPECT_EQ(calls[0].Arguments, expected);
        ExpectFound(row.quantity);
    }
}

TEST_F(ProductLookup, TheQuantityIsReadFromTheScannedLabelByTheCompanysFormat)
{
    // The registered barcode the lookup writes over the label would read 99,999.
    AnswerProducts(Produtos({{.CodigoDeBarras = "2009999999999"}}));
    for (auto [format, quantity] : {std::pair<platform::Variant, const char*>{2, "1,234"},
                                    {"1", "0,500"},
                                    {0, "1,000"},
                                    {3, "1,000"},
                                    {"", "1,000"}}) {
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", Empresa(format));
        Forget();
        Search(Form().qvfCodigoDeBarrasDoProduto, "2001234012349");
        SCOPED_TRACE(format.AsString());
        ExpectFound(quantity);
        EXPECT_EQ(Form().qvfCodigoDeBarrasDoProduto.Text(), "2009999999999");
        const auto company = Calls<KELO_N_Empresa::clsEmpresa>();
        ASSERT_EQ(company.size(), 2u) << "the label's format, then the product promotion";
        EXPECT_EQ(company[0].Arguments, (std::vector<platform::Variant>{int16_t{1}, int16_t{2}}));
        EXPECT_TRUE(Messages().empty());
    }
}

TEST_F(ProductLookup, WithoutTheCompanysFormatTheProductStaysAtOneUnitAndNothingOpens)
{
    struct Row {
        FakeAnswer answer;
        const char* message; // nullptr: reported
        int32_t icon;
    };
    const Row rows[] = {
        {FakeAnswer::WithRows(
             RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa)).Build()),
         "Não foi possível recuperar dados porque empresa não esta cadastrada.\nEfetue o cadastro "
         "e tente novamente",
         platform::vbInformation},
        {FakeAnswer::Error(91, "Sem conexão", "clsEmpresa.Selecionar"), nullptr, 0},
        {FakeAnswer::Refusal(2, "Empresa em manutenção."), "Empresa em manutenção.",
         platform::vbInformation},
        {FakeAnswer::Refusal(3, "Base corrompida."), "Base corrompida.", platform::vbCritical},
    };
    for (const Row& row : rows) {
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", row.answer);
        Forget();
        Search(Form().qvfCodigoDeBarrasDoProduto, "2001234012349");
        SCOPED_TRACE(row.message ? row.message : "reported");
        EXPECT_EQ(Messages(), Said(row.message));
        EXPECT_EQ(
            Read(
                {"qvfNomeDoProduto.Text", "qvnumQuantidade.Text", "qvcmbTiposDeServicos.Enabled"}) +
                Join("", static_cast<int32_t>(Calls<KELO_N_Funcionarios::clsFuncionarios>().size()),
                     !row.message || session.Host.MessageBoxes()[0].Icon() == row.icon, Reports()),
            Join("Ração a granel", "1,000", false, 0, true,
                 row.message ? "" : "91 @ clsEmpresa.Selecionar\n"));
    }
}

// The messages and the emptied boxes are the not-found scenario's.
TEST_F(ProductLookup, NotFoundSelectsTheTextForTypingOver)
{
    AnswerProducts(Produtos({}));
    Search(Form().qvfNomeDoProduto, "Areia ");
    EXPECT_EQ(Form().qvfNomeDoProduto.Selection().Length,
              static_cast<int32_t>(Form().qvfNomeDoProduto.Text().size()))
        << "Shift+Home";
    EXPECT_EQ(platform::Screen::ActiveControl(), &Form().qvfNomeDoProduto);
}

TEST_F(ProductLookup, APickInTheSearchDialogWritesTheSiblingsInOrderAndTheHiddenCommission)
{
    frmPreVendas& form = Form();
    AnswerProducts(Produtos({{1001, "78912344", "Petisco", 3.1, 6.9, 0},
                             {1235, "7890000000017", "Ração a granel gatos", 14, 24.68, 2.5}}));
    std::vector<std::string> written;
    for (suite_controls::QVFind* box : {&form.qvfNomeDoProduto, &form.qvfCodigoDeBarrasDoProduto,
                                        &form.qvfCodigoInternoDoProduto})
        box->KeyDown.Connect([&written, box](int16_t& code, int16_t) {
            // The form's own writes come without a key.
            if (code == 0)
                written.push_back(box->Name());
        });
    form.qvfCodigoDeBarrasDoProduto.Text = "78912344";
    written.clear();
    session.Host.OnModal("frmPesquisaDeProdutos", [&](platform::Form& shown) {
        dynamic_cast<frmPesquisaDeProdutos&>(shown).msfgGrade.UserClickCell(2, 3);
    });
    // The pick's code, name and cost are the product scenario's.
    Search(form.qvfNomeDoProduto, "granel");
    // The sibling emptied before the lookup, then the row in its order.
    EXPECT_EQ(written,
              (std::vector<std::string>{"qvfCodigoDeBarrasDoProduto", "qvfCodigoInternoDoProduto",
                                        "qvfCodigoDeBarrasDoProduto", "qvfNomeDoProduto"}));
    // The hidden commission column, "2,5" as shown, is what every employee gets.
    EXPECT_EQ(Join(form.UnidadeDeVendaDoItem, form.PercentualDeComissaoDoItem,
                   form.qvcmbComissionado.List(1).substr(100, 4),
                   platform::Form::FindForm("frmPesquisaDeProdutos") == nullptr),
              "KG | 2,5 | 2,50 | Verdadeiro");
}

} // namespace
} // namespace presale_test
