#include "support/session/PreVendasSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KELO_A_PreVendas::frmPreVendas;
using support::PreVendasSession;

namespace {

// The cells the totals read: "Qtde.", "Val.Unit.", "Val. desc.".
struct Item {
    const char* quantidade;
    const char* valorUnitario;
    const char* valorDeDesconto;
};

void PutItems(frmPreVendas& form, const std::vector<Item>& items)
{
    form.msfgGrade.Rows = static_cast<int32_t>(items.size()) + 1;
    int32_t row = 1;
    for (const Item& item : items) {
        form.msfgGrade.SetTextMatrix(row, 7, item.quantidade);
        form.msfgGrade.SetTextMatrix(row, 8, item.valorUnitario);
        form.msfgGrade.SetTextMatrix(row, 10, item.valorDeDesconto);
        ++row;
    }
}

TEST(GridTotals, SumTheItemsExactlyAndShowTwoDecimals)
{
    struct Case {
        const char* name;
        std::vector<Item> items;
        const char* total;
        const char* desconto;
        const char* liquido;
    };
    const Case cases[] = {
        {"two services with a discount",
         {{"1", "50,00", "-5,00"}, {"1", "30,00", "0"}},
         "80,00",
         "-5,00",
         "75,00"},
        {"the blank row of an empty grid", {{"", "", ""}}, "0,00", "0,00", "0,00"},
        {"weighed quantities and thousands",
         {{"2,5", "12,9", ""}, {"3", "1.234,56", "-0,68"}},
         "3.735,93",
         "-0,68",
         "3.735,25"},
        // Each item alone would show 0,01; their exact sum is 0,05.
        {"fractions summed before rounding",
         {{"0,125", "0,10", ""},
          {"0,125", "0,10", ""},
          {"0,125", "0,10", ""},
          {"0,125", "0,10", ""}},
         "0,05",
         "0,00",
         "0,05"},
    };
    PreVendasSession session;
    session.Start();
    frmPreVendas& form = session.Form();
    for (const Case& c : cases) {
        PutItems(form, c.items);
        form.CalcularValoresDosItensDaGrade();
        EXPECT_EQ(form.qvnumTotal.Text(), c.total) << c.name;
        EXPECT_EQ(form.qvnumDesconto.Text(), c.desconto) << c.name;
        EXPECT_EQ(form.qvnumLiquidoAPagar.Text(), c.liquido) << c.name;
    }
    EXPECT_TRUE(session.Fakes.ErrorMessages.Reports().empty());
}

TEST(GridTotals, ACellThatIsNoNumberIsReportedAndTheTotalsStay)
{
    PreVendasSession session;
    session.Start();
    frmPreVendas& form = session.Form();
    PutItems(form, {{"1", "10,00", "0"}});
    form.CalcularValoresDosItensDaGrade();
    PutItems(form, {{"1", "10,00", "0"}, {"1", "R$ 5", "0"}});
    form.CalcularValoresDosItensDaGrade();

    const auto reports = session.Fakes.ErrorMessages.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Numero.AsLong(), platform::errTypeMismatch);
    EXPECT_EQ(reports[0].Local.AsString(),
              "KELO_A_PreVendas, frmPreVendas, CalcularValoresDosItensDaGrade, Ponto: 1");
    EXPECT_EQ(form.qvnumTotal.Text(), "10,00");
}

} // namespace
