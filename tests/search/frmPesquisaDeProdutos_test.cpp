#include "search/frmPesquisaDeProdutos.h"

#include "platform/HeadlessHost.h"
#include "support/FakeComponents.h"
#include "support/RecordsetBuilder.h"

#include "contracts/KELO_N_Produtos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KELO_A_PreVendas::frmPesquisaDeProdutos;
using support::FakeAnswer;
using support::RecordsetBuilder;

namespace {

platform::RecordsetRef Produtos(int count)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa));
    for (int i = 1; i <= count; ++i)
        rows.Row({1233 + i, "", "Ração a granel " + std::to_string(i),
                  platform::Currency::FromDouble(11), platform::Currency::FromDouble(19.9), "KG",
                  platform::Currency::FromDouble(1.5), "Rações", "Granel"});
    return rows.Build();
}

class ProductSearch : public ::testing::Test {
protected:
    ProductSearch() { platform::SetHost(&host); }
    ~ProductSearch() override
    {
        platform::Screen::ClearFocus();
        platform::SetHost(nullptr);
    }

    platform::HeadlessHost host;
    support::FakeComponents fakes;
};

TEST_F(ProductSearch, TheGridShowsTheProductColumnsAndCarriesTheHiddenOnes)
{
    frmPesquisaDeProdutos dialog;
    dialog.ConfigurarGrade();
    dialog.PreencherGrade(Produtos(1));
    struct Column {
        const char* header;
        int32_t width;
        int32_t alignment;
        const char* cell;
    };
    constexpr auto left = platform::flexAlignLeftCenter;
    const Column columns[] = {
        {"Coluna em branco", 0, left, ""},
        {"Código", 1100, left, "1234"},
        {"Código de barras", 2000, left, ""},
        {"Nome", 4020, left, "Ração a granel 1"},
        {"Grupo", 2100, left, "Rações"},
        {"Subgrupo", 2100, left, "Granel"},
        {"Unidade", 0, left, "KG"},
        {"Valor de venda", 2100, platform::flexAlignCenterCenter, "19,9"},
        {"Valor de custo", 0, left, "11"},
        {"Percentual de comissão", 0, left, "1,5"},
    };
    ASSERT_EQ(dialog.msfgGrade.Cols(), 10);
    for (int32_t c = 0; c < 10; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(dialog.msfgGrade.TextMatrix(0, c), columns[c].header);
        EXPECT_EQ(dialog.msfgGrade.ColWidth(c), columns[c].width);
        EXPECT_EQ(dialog.msfgGrade.ColAlignment(c), columns[c].alignment);
        EXPECT_EQ(dialog.msfgGrade.TextMatrix(1, c), columns[c].cell);
    }
    EXPECT_EQ(dialog.Caption(), "Pesquisa de produtos");
    EXPECT_EQ(dialog.qvTheme.Caption(), "Pesquisa de produtos");
    EXPECT_EQ(dialog.qvfndCodigoInternoOuNome.Caption(), "Código interno ou nome*");
    EXPECT_EQ(dialog.lblCodigoInternoOuNome.Caption(), "Código interno ou nome*");
}

TEST_F(ProductSearch, OneMatchIsChosenAtOnceUnlessTheDialogIsAPriceQuery)
{
    struct Row {
        bool priceQuery;
        int matches;
        bool chosen;  // when the search ends
        bool clicked; // then row 1 is clicked
        const char* message;
    };
    const Row rows[] = {
        {false, 1, true, false, nullptr},
        {true, 1, false, true, nullptr},
        {false, 2, false, false, nullptr},
        {false, 0, false, false, "Nenhum produto encontrado  como o valor ' granel' informado."},
    };
    for (const Row& row : rows) {
        fakes.BusinessLayer.ForgetCalls();
        host.ClearRecords();
        fakes.BusinessLayer.Answer<KELO_N_Produtos::clsProdutos>(
            "Selecionar", FakeAnswer::WithRows(Produtos(row.matches)));
        frmPesquisaDeProdutos dialog;
        dialog.FormularioDeConsultaDePreco(row.priceQuery);
        bool chosenBySearch = false;
        bool stillShown = false;
        host.OnModal("frmPesquisaDeProdutos", [&](platform::Form&) {
            dialog.qvfndCodigoInternoOuNome.UserType(" granel");
            dialog.qvfndCodigoInternoOuNome.UserConfirm();
            chosenBySearch = dialog.RegistroSelecionado();
            stillShown = dialog.Visible();
            if (stillShown && row.clicked)
                dialog.msfgGrade.UserClickCell(1, 3);
            if (dialog.Visible())
                dialog.qvcmdFechar.UserClick();
        });
        dialog.Show(platform::vbModal);
        SCOPED_TRACE(testing::Message() << row.priceQuery << " " << row.matches);
        const auto calls = fakes.BusinessLayer.CallsTo<KELO_N_Produtos::clsProdutos>("Selecionar");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Arguments, (std::vector<platform::Variant>{int32_t{2}, int16_t{0},
                                                                      int32_t{1}, " granel", ""}));
        EXPECT_EQ(chosenBySearch, row.chosen);
        EXPECT_EQ(stillShown, !row.chosen);
        EXPECT_EQ(dialog.RegistroSelecionado(), row.chosen || row.clicked);
        EXPECT_EQ(dialog.msfgGrade.Rows(), row.matches + 1);
        std::vector<std::string> prompts;
        for (const auto& box : host.MessageBoxes())
            prompts.push_back(box.Prompt);
        EXPECT_EQ(prompts,
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
    }
}

} // namespace
