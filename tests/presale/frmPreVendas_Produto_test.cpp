#include "support/Clientes.h"
#include "support/session/PreVendasSession.h"

#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Produtos.h"
#include "platform/Host.h"
#include "search/frmPesquisaDeProdutos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KELO_A_PreVendas::frmPesquisaDeProdutos;
using KELO_A_PreVendas::frmPreVendas;
using support::FakeAnswer;
using support::RecordsetBuilder;

namespace {

struct Produto {
    int32_t Codigo = 1234;
    std::string CodigoDeBarras = "7891000100103";
    std::string Nome = "Ração a granel";
    double ValorDeVenda = 24.68;
    double Comissao = 2;
};

platform::RecordsetRef Produtos(std::initializer_list<Produto> produtos)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProduto));
    for (const Produto& p : produtos)
        rows.Row({p.Codigo, p.CodigoDeBarras, p.Nome, platform::Currency::FromDouble(11),
                  platform::Currency::FromDouble(p.ValorDeVenda), "KG",
                  platform::Currency::FromDouble(p.Comissao)});
    return rows.Build();
}

FakeAnswer Empresa(platform::Variant formato)
{
    return FakeAnswer::WithRows(
        RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
            .Row({"Kelo Pet Shop", formato, "", "", 0, 0, "", "", 0, 0})
            .Build());
}

// Client 7 with two animals, the screen in product mode, one commissioned employee, a product
// found by every lookup and the session's company, which reads weight labels.
class ProductLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        layer().Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar", FakeAnswer::WithRows(support::Clientes({{.Codigo = 7}})));
        RecordsetBuilder animals(contracts::FieldNames(KELO_N_ClientAnim::CamposDoAnimal));
        layer().Answer<KELO_N_ClientAnim::clsAnimais>(
            "SelecionarParaComboBoxFiltradoPorCliente",
            FakeAnswer::WithRows(animals.Row({"Rex", 300}).Row({"Mel", 301}).Build()));
        std::vector<platform::Variant> ana{20, "Ana", "Sim", "Não"};
        ana.resize(13, platform::Currency{});
        RecordsetBuilder employees(contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario));
        layer().Answer<KELO_N_Funcionarios::clsFuncionarios>(
            "Selecionar", FakeAnswer::WithRows(employees.Row(std::move(ana)).Build()));
        AnswerProducts(Produtos({{}}));
        Search(Form().qvfCodigoDoCliente, "7");
        ASSERT_TRUE(Form().optProduto.UserClick());
        Forget();
    }

    frmPreVendas& Form() { return session.Form(); }
    support::FakeBusinessLayer& layer() { return session.Fakes.BusinessLayer; }
    void AnswerProducts(platform::RecordsetRef rows)
    {
        layer().Answer<KELO_N_Produtos::clsProdutos>("Selecionar",
                                                     FakeAnswer::WithRows(std::move(rows)));
    }
    void Forget()
    {
        layer().ForgetCalls();
        session.Host.ClearRecords();
        session.Fakes.ErrorMessages.ForgetReports();
    }
    void Search(suite_controls::QVFind& box, const std::string& text)
    {
        ASSERT_TRUE(box.UserType(text));
        ASSERT_TRUE(box.UserConfirm());
    }
    size_t Calls(const char* className) { return layer().CallsTo(className, "Selecionar").size(); }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> prompts;
        for (const auto& box : session.Host.MessageBoxes())
            prompts.push_back(box.Prompt);
        return prompts;
    }
    // Found, with the employee list filled, the fields open and the service option on.
    void ExpectFound(const char* quantity)
    {
        EXPECT_EQ(Form().qvfCodigoInternoDoProduto.Text(), "1234");
        EXPECT_EQ(Form().qvfNomeDoProduto.Text(), "Ração a granel");
        EXPECT_EQ(Form().qvnumQuantidade.Text(), quantity);
        EXPECT_EQ(Form().qvnumValorUnitario.Text(), "24,68");
        EXPECT_EQ(Form().qvcmbComissionado.ListCount(), 2);
        EXPECT_TRUE(Form().qvcmbTiposDeServicos.Enabled()) << "HabilitarDesabilitarCampos";
        EXPECT_TRUE(Form().optServico.Enabled()) << "the client has animals";
        EXPECT_EQ(platform::Screen::ActiveControl(), &Form().qvcmbComissionado);
    }

    support::PreVendasSession session;
};

TEST_F(ProductLookup, EachBoxAsksWithItsOwnValueAndTheBarcodeBoxKnowsLabelsByTheirLength)
{
    frmPreVendas& form = Form();
    struct Row {
        suite_controls::QVFind* box;
        const char* typed;
        const char* message;
        std::vector<platform::Variant> asked; // name, barcode, code; empty: not asked
        const char* quantity;
    };
    const char* const tres = "Informe 3 caracteres ou mais para iniciar a pesquisa.";
    const char* const tamanho = "Informe um código de barras de 13 ou 14 dígitos.";
    const Row rows[] = {
        {&form.qvfCodigoDeBarrasDoProduto, "789100010010", tamanho, {}, nullptr},
        {&form.qvfCodigoDeBarrasDoProduto, "789100010010345", tamanho, {}, nullptr},
        {&form.qvfCodigoDeBarrasDoProduto, "78", tres, {}, nullptr},
        {&form.qvfNomeDoProduto, "Ra", tres, {}, nullptr},
        {&form.qvfCodigoInternoDoProduto, "7", nullptr, {"", "", 7.0}, "1,000"},
        {&form.qvfNomeDoProduto, " ração ", nullptr, {"ração", "", 0.0}, "1,000"},
        {&form.qvfCodigoDeBarrasDoProduto,
         "7891000100103",
         nullptr,
         {"", "7891000100103", 0.0},
         "1,000"},
        // Blanks first: the "2" is not the first character typed, so no label.
        {&form.qvfCodigoDeBarrasDoProduto,
         " 2001234012349",
         nullptr,
         {"", "2001234012349", 0.0},
         "1,000"},
        // A label asks by the code it carries; the 14th character is not read.
        {&form.qvfCodigoDeBarrasDoProduto,
         "20012340123491",
         nullptr,
         {"", "20012340123491", 1234.0},
         "1,234"},
    };
    for (const Row& row : rows) {
        Forget();
        Search(*row.box, row.typed);
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        const auto calls = layer().CallsTo<KELO_N_Produtos::clsProdutos>("Selecionar");
        ASSERT_EQ(calls.size(), row.asked.empty() ? 0u : 1u);
        if (calls.empty()) {
            EXPECT_TRUE(row.box->Enabled());
            if (row.message == tamanho) {
                EXPECT_EQ(platform::Screen::ActiveControl(), row.box);
            }
            continue;
        }
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
        layer().Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", Empresa(format));
        Forget();
        Search(Form().qvfCodigoDeBarrasDoProduto, "2001234012349");
        SCOPED_TRACE(format.AsString());
        ExpectFound(quantity);
        EXPECT_EQ(Form().qvfCodigoDeBarrasDoProduto.Text(), "2009999999999");
        const auto company = layer().CallsTo<KELO_N_Empresa::clsEmpresa>("Selecionar");
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
        layer().Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", row.answer);
        Forget();
        Search(Form().qvfCodigoDeBarrasDoProduto, "2001234012349");
        SCOPED_TRACE(row.message ? row.message : "reported");
        EXPECT_EQ(Form().qvfNomeDoProduto.Text(), "Ração a granel");
        EXPECT_EQ(Form().qvnumQuantidade.Text(), "1,000");
        EXPECT_EQ(Calls(KELO_N_Funcionarios::clsFuncionarios::ClassName), 0u);
        EXPECT_FALSE(Form().qvcmbTiposDeServicos.Enabled()) << "HabilitarDesabilitarCampos ran";
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        if (row.message) {
            EXPECT_EQ(session.Host.MessageBoxes()[0].Icon(), row.icon);
        }
        EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), row.message ? 0u : 1u);
    }
}

TEST_F(ProductLookup, NotFoundSaysWhatWasSearchedAndResetsTheOtherBoxes)
{
    frmPreVendas& form = Form();
    const std::pair<suite_controls::QVFind*, const char*> rows[] = {
        {&form.qvfNomeDoProduto, "Nenhum produto encontrado com o nome 'Areia'."},
        {&form.qvfCodigoInternoDoProduto,
         "Nenhum produto encontrado com o código interno '77' informado."},
        {&form.qvfCodigoDeBarrasDoProduto,
         "Nenhum produto encontrado com o código de barras '7890000000001'."},
    };
    const char* const typed[] = {"Areia ", "77", "7890000000001"};
    for (size_t i = 0; i < std::size(rows); ++i) {
        auto [box, message] = rows[i];
        AnswerProducts(Produtos({{}}));
        Search(form.qvfCodigoInternoDoProduto, "1234");
        AnswerProducts(Produtos({}));
        Forget();
        Search(*box, typed[i]);
        SCOPED_TRACE(message);
        EXPECT_EQ(Messages(), std::vector<std::string>{message});
        EXPECT_EQ(box->Selection().Length, static_cast<int32_t>(box->Text().size()))
            << "Shift+Home";
        EXPECT_EQ(box->Modo(), 0);
        EXPECT_EQ(platform::Screen::ActiveControl(), box);
        EXPECT_EQ(form.qvfCodigoInternoDoProduto.Text(),
                  box == &form.qvfCodigoInternoDoProduto ? "77" : "");
        EXPECT_EQ(form.qvnumValorUnitario.Text(), "0,00");
        EXPECT_FALSE(form.qvnumQuantidade.Enabled());
    }
}

TEST_F(ProductLookup, SeveralMatchesArePickedInTheSearchDialog)
{
    frmPreVendas& form = Form();
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProduto));
    rows.Row({1001, "78912344", "Petisco", platform::Currency::FromDouble(3.1),
              platform::Currency::FromDouble(6.9), "UN", platform::Currency::FromDouble(0)});
    rows.Row({1235, "7890000000017", "Ração a granel gatos", platform::Currency::FromDouble(14),
              platform::Currency::FromDouble(24.68), "KG", platform::Currency::FromDouble(2.5)});
    AnswerProducts(rows.Build());
    std::vector<std::string> written;
    for (suite_controls::QVFind* box : {&form.qvfNomeDoProduto, &form.qvfCodigoDeBarrasDoProduto,
                                        &form.qvfCodigoInternoDoProduto})
        box->KeyDown.Connect([&written, box](int16_t& code, int16_t) {
            // The form's own writes come without a key.
            if (code == 0)
                written.push_back(box->Name());
        });

    for (bool pick : {true, false}) {
        form.qvfCodigoDeBarrasDoProduto.Text = "78912344";
        written.clear();
        Forget();
        session.Host.OnModal("frmPesquisaDeProdutos", [&](platform::Form& shown) {
            auto& dialog = dynamic_cast<frmPesquisaDeProdutos&>(shown);
            EXPECT_EQ(dialog.msfgGrade.Rows(), 3);
            if (pick)
                dialog.msfgGrade.UserClickCell(2, 3);
            else
                dialog.qvcmdFechar.UserClick();
        });
        Search(form.qvfNomeDoProduto, "granel");
        SCOPED_TRACE(pick);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(platform::Form::FindForm("frmPesquisaDeProdutos"), nullptr);
        if (!pick) {
            EXPECT_EQ(form.qvfCodigoDeBarrasDoProduto.Modo(), 2);
            EXPECT_EQ(form.qvnumValorUnitario.Text(), "0,00");
            continue;
        }
        // The sibling emptied before the lookup, then the row in its order.
        EXPECT_EQ(written, (std::vector<std::string>{
                               "qvfCodigoDeBarrasDoProduto", "qvfCodigoInternoDoProduto",
                               "qvfCodigoDeBarrasDoProduto", "qvfNomeDoProduto"}));
        EXPECT_EQ(form.qvfCodigoInternoDoProduto.Text(), "1235");
        EXPECT_EQ(form.qvfNomeDoProduto.Tag(), "14");
        EXPECT_EQ(form.UnidadeDeVendaDoItem, "KG");
        EXPECT_EQ(form.qvnumValorUnitario.Text(), "24,68");
        // The hidden commission column, "2,5" as shown, is what every employee gets.
        EXPECT_EQ(form.PercentualDeComissaoDoItem, platform::Currency::FromDouble(2.5));
        EXPECT_EQ(form.qvcmbComissionado.List(1).substr(100, 4), "2,50");
    }
}

} // namespace
