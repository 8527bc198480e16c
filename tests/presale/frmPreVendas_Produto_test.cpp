#include "ScreenTest.h"

#include "contracts/KELO_N_Produtos.h"

namespace presale_test {
namespace {

// The product every lookup finds, or none.
platform::RecordsetRef Produtos(int quantos)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProduto));
    for (int i = 0; i < quantos; ++i)
        rows.Row({1234, "7891000100103", "Ração a granel", platform::Currency::FromDouble(11),
                  platform::Currency::FromDouble(24.68), "KG", platform::Currency::FromDouble(2)});
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
        AnswerProducts(Produtos(1));
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

// What each box asks with, labels and the quantity a label carries are the product scenarios';
// here a barcode typed after blanks, which is no label even though it reads as one.
TEST_F(ProductLookup, BlanksBeforeALabelsTwoMakeAnOrdinaryBarcode)
{
    Search(Form().qvfCodigoDeBarrasDoProduto, " 2001234012349");
    EXPECT_TRUE(Messages().empty());
    ExpectFound("1,000");
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
    AnswerProducts(Produtos(0));
    Search(Form().qvfNomeDoProduto, "Areia ");
    EXPECT_EQ(Form().qvfNomeDoProduto.Selection().Length,
              static_cast<int32_t>(Form().qvfNomeDoProduto.Text().size()))
        << "Shift+Home";
}

} // namespace
} // namespace presale_test
