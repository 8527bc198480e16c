#include "search/frmPesquisaDeProdutos.h"

#include "support/DialogTest.h"

#include "contracts/KELO_N_Produtos.h"

#include <string>
#include <vector>

namespace {

using support::FakeAnswer;
using support::Join;
using support::RecordsetBuilder;
using support::Said;
using Dialog = support::DialogTest;

using KELO_A_PreVendas::frmPesquisaDeProdutos;

platform::RecordsetRef Produtos(int count)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa));
    for (int i = 1; i <= count; ++i)
        rows.Row({1233 + i, "", "Ração a granel " + std::to_string(i),
                  platform::Currency::FromDouble(11), platform::Currency::FromDouble(19.9), "KG",
                  platform::Currency::FromDouble(1.5), "Rações", "Granel"});
    return rows.Build();
}

using ProductSearch = Dialog;

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
        EXPECT_EQ(
            Join(chosenBySearch, stillShown, dialog.RegistroSelecionado(), dialog.msfgGrade.Rows()),
            Join(row.chosen, !row.chosen, row.chosen || row.clicked, row.matches + 1));
        EXPECT_EQ(Messages(), Said(row.message));
    }
}

} // namespace
