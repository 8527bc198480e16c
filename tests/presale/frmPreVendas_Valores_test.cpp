#include "authorisation/frmPreVendasAutorizarDesconto.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Login.h"
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

// ---- The item's values, the discount-total field, the company's rules and the user's rights

namespace {

using support::FakeAnswer;
using support::FakeUser;

// A screen whose value boxes are enabled for a user with these rights.
struct ValuesScreen {
    explicit ValuesScreen(FakeUser::Rights rights = {{"Administrador", true}})
    {
        session.User = std::make_shared<FakeUser>(std::move(rights));
        session.Start();
        session.Host.SetToday({2026, 12, 7});
        Form().HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    }
    frmPreVendas& Form() { return session.Form(); }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : session.Host.MessageBoxes())
            texts.push_back(box.Prompt);
        return texts;
    }
    // The company's settings: promotion dates and percentages, then the ceiling's.
    void Company(const char* promoFrom, const char* promoTo, const char* promoService,
                 const char* promoProduct, const char* ceilFrom, const char* ceilTo,
                 const char* ceilService, const char* ceilProduct)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_Empresa::clsEmpresa>(
            "Selecionar",
            FakeAnswer::WithRows(
                support::RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
                    .Row({"Kelo", 2, promoFrom, promoTo, promoService, promoProduct, ceilFrom,
                          ceilTo, ceilService, ceilProduct})
                    .Build()));
    }
    PreVendasSession session;
};

TEST(ItemValues, LeavingABoxWorksOutTheOtherDiscountField)
{
    enum Left { Quantidade, Unitario, Percentual, ValorDoDesconto };
    struct Row {
        const char *q, *u, *p, *a;
        Left left;
        const char *expectedQ, *expectedP, *expectedA;
    };
    const Row rows[] = {
        {"2", "10,00", "15,00", "0,00", Quantidade, "2", "15,00", "3,00"},
        {"2", "10,00", "15,00", "0,00", Unitario, "2", "15,00", "3,00"},
        {"2", "10,00", "15,00", "9,99", Percentual, "2", "15,00", "3,00"},
        {"2", "10,00", "7,00", "3,00", ValorDoDesconto, "2", "15,00", "3,00"},
        {"0", "10,00", "7,00", "3,00", ValorDoDesconto, "0", "7,00", "3,00"},
        {"", "10,00", "15,00", "3,00", Quantidade, "0,00", "15,00", "0,00"},
        // 2,675 in double is 2,67499...: shown from its decimal value, as by hand.
        {"1", "5,35", "50,00", "0,00", Percentual, "1", "50,00", "2,68"},
        // 0,00495 is 0,0050 in four places (ties to even), then 0,01 on the screen.
        {"1", "0,0099", "50,00", "0,00", Percentual, "1", "50,00", "0,01"},
        {"0,333", "3,00", "10,00", "0,00", Quantidade, "0,333", "10,00", "0,10"},
    };
    ValuesScreen screen;
    frmPreVendas& form = screen.Form();
    suite_controls::QVNumberBox* boxes[] = {&form.qvnumQuantidade, &form.qvnumValorUnitario,
                                            &form.qvnumPercentualDeDescontoPorItem,
                                            &form.qvnumValorDeDescontoPorItem};
    for (const Row& row : rows) {
        form.qvnumQuantidade.Text = row.q;
        form.qvnumValorUnitario.Text = row.u;
        form.qvnumPercentualDeDescontoPorItem.Text = row.p;
        form.qvnumValorDeDescontoPorItem.Text = row.a;
        boxes[row.left]->SetFocus();
        form.qvcmbComissionado.SetFocus();
        const std::string trace = std::string(row.q) + " x " + row.u + " at " + row.p + " / " +
                                  row.a + ", left " + boxes[row.left]->Name();
        EXPECT_EQ(form.qvnumQuantidade.Text(), row.expectedQ) << trace;
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), row.expectedP) << trace;
        EXPECT_EQ(form.qvnumValorDeDescontoPorItem.Text(), row.expectedA) << trace;
    }
    EXPECT_TRUE(screen.session.Fakes.ErrorMessages.Reports().empty());
}

TEST(ItemValues, TheDiscountStaysWithinTheItemsGrossValueAndAHundredPercent)
{
    struct Row {
        const char *a, *p;
        const char* message; // nullptr: within the limits
    };
    const Row rows[] = {
        {"20,00", "100,00", nullptr},
        {"20,01", "0,00", "Valor de desconto não pode ser maior que o valor total do item."},
        {"", "100,01", "Percentual de desconto do item não pode ser maior que 100%."},
    };
    for (const Row& row : rows) {
        ValuesScreen screen;
        frmPreVendas& form = screen.Form();
        form.qvnumQuantidade.Text = "2";
        form.qvnumValorUnitario.Text = "10,00";
        form.qvnumValorDeDescontoPorItem.Text = row.a;
        form.qvnumPercentualDeDescontoPorItem.Text = row.p;
        EXPECT_EQ(form.VerificarLimitesDoDescontoDoItem(), row.message ? 1 : 0) << row.a;
        EXPECT_EQ(screen.Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
    }
}

TEST(DiscountTotal, KeysAreFilteredAndTheChecksKeepTheFocus)
{
    ValuesScreen screen;
    frmPreVendas& form = screen.Form();
    struct Key {
        const char* text;
        int16_t key;
        int16_t expected;
    };
    for (const Key& k : {Key{"", '7', '7'}, Key{"1", '.', ','}, Key{"1", 'a', 0}, Key{"1", 8, 8},
                         Key{"1,5", ',', 0}, Key{"1,5", '.', 0}, Key{"", '-', 0}}) {
        form.qvnumDesconto.Text = k.text;
        int16_t key = k.key;
        form.qvnumDesconto_KeyPress(key);
        EXPECT_EQ(key, k.expected) << k.text << " + " << k.key;
    }
    struct Check {
        const char *total, *typed;
        const char* message;
        const char* after;
    };
    for (const Check& c :
         {Check{"80,00", "abc", "Informe um valor numérico para o desconto.", "0,00"},
          Check{"0,00", "5,00", "Adicione um item antes do desconto.", "0,00"},
          Check{"80,00", "80,01", "Valor de desconto não pode ser maior que o valor total.",
                "80,01"},
          Check{"80,00", "80,00", nullptr, "80,00"}}) {
        screen.session.Host.ClearRecords();
        form.qvnumTotal.Text = c.total;
        form.qvnumDesconto.Text = c.typed;
        bool cancel = false;
        form.qvnumDesconto_Validate(cancel);
        EXPECT_EQ(cancel, c.message != nullptr) << c.typed;
        EXPECT_EQ(screen.Messages(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(form.qvnumDesconto.Text(), c.after) << c.typed;
    }
}

TEST(DiscountTotal, TheNetIsTheTotalReducedByTheDiscountWhicheverItsSign)
{
    ValuesScreen screen;
    frmPreVendas& form = screen.Form();
    for (const char* desconto : {"-5,00", "5", "5,"}) {
        form.qvnumTotal.Text = "80,00";
        form.qvnumDesconto.Text = desconto;
        form.qvnumLiquidoAPagar.Text = "80,00";
        form.qvnumDesconto_LostFocus();
        EXPECT_EQ(form.qvnumLiquidoAPagar.Text(), "75,00") << desconto;
    }
    EXPECT_EQ(form.qvnumDesconto.Text(), "5,00");
}

TEST(CompanyDiscounts, ThePromotionRaisesTheItemsPercentageInsideItsWindow)
{
    struct Row {
        const char *from, *to;
        bool produto;
        const char* before;
        int16_t result;
        const char* after;
    };
    const Row rows[] = {
        {"07/12/2026", "31/12/2026", false, "5,00", 0, "12"},     // starts today
        {"01/12/2026", "07/12/2026", false, "5,00", 0, "12"},     // ends today
        {"01/12/2026", "07/12/2026", true, "5,00", 0, "8"},       // a product's own percentage
        {"01/12/2026", "07/12/2026", false, "15,00", 0, "15,00"}, // a higher one stays
        {"01/11/2026", "06/12/2026", false, "5,00", 0, "5,00"},   // over yesterday
        {"", "31/12/2026", false, "5,00", 0, "5,00"},             // no start: none
        {"01/12/2026", "31/13/2026", false, "5,00", 1, "5,00"},   // the end is no date
    };
    for (const Row& row : rows) {
        ValuesScreen screen;
        frmPreVendas& form = screen.Form();
        screen.Company(row.from, row.to, "12", "8", "", "", "0", "0");
        if (row.produto)
            form.optProduto.Value = true;
        form.qvnumPercentualDeDescontoPorItem.Text = row.before;
        EXPECT_EQ(form.VerificaDescontoPromocionalDeVenda(), row.result) << row.from << row.to;
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Text(), row.after) << row.from << row.to;
    }
}

TEST(CompanyDiscounts, TheCeilingAsksForAnAdministratorAboveIt)
{
    enum Dialog { None, Authorised, Cancelled };
    struct Row {
        const char* caso;
        bool administrador;
        const char* percentual;
        Dialog dialog;
        int16_t result;
        std::vector<std::string> messages;
    };
    const char* const recusa = "Informe um desconto válido com o limite de até 10%";
    const std::vector<Row> rows{
        {"equal to the ceiling", false, "10,00", None, 0, {}},
        {"above, an administrator", true, "10,01", None, 0, {}},
        {"above, authorised in the dialog", false, "10,01", Authorised, 0, {}},
        {"above, the dialog cancelled", false, "10,01", Cancelled, 1, {recusa}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        ValuesScreen screen({{"Administrador", row.administrador},
                             {"PermissaoDoModuloCaixaAlterarDescontosDeVendas", true}});
        frmPreVendas& form = screen.Form();
        screen.Company("", "", "0", "0", "01/12/2026", "31/12/2026", "10", "5");
        screen.session.Fakes.BusinessLayer.Answer<KELO_N_Login::clsLogin>(
            "Autenticar",
            FakeAnswer::WithRows(support::RecordsetBuilder({"Administrador"}).Row({true}).Build()));
        if (row.dialog != None) {
            screen.session.Host.OnModal("frmPreVendasAutorizarDesconto", [&](platform::Form& f) {
                auto& d = static_cast<KELO_A_PreVendas::frmPreVendasAutorizarDesconto&>(f);
                EXPECT_TRUE(screen.session.Fakes.DarkOverlay.IsDark(screen.session.MenuWindow));
                d.qvtxtUsuario.Text = "admin";
                d.qvtxtSenha.Text = "admin123";
                (row.dialog == Authorised ? d.qvcmdEfetuarDesconto : d.qvcmdCancelar).UserClick();
            });
        }
        form.qvnumPercentualDeDescontoPorItem.Text = row.percentual;
        EXPECT_EQ(form.VerificaDescMaximoAutomaticoDeVenda(), row.result);
        EXPECT_EQ(screen.Messages(), row.messages);
        EXPECT_EQ(screen.session.Host.ModalShowings().size(), row.dialog == None ? 0u : 1u);
        EXPECT_FALSE(screen.session.Fakes.DarkOverlay.IsDark(screen.session.MenuWindow));
        if (row.result == 1) {
            EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvnumPercentualDeDescontoPorItem);
        }
    }
}

TEST(CompanyDiscounts, ACeilingThatCannotBeCheckedRefusesTheItem)
{
    const std::vector<std::pair<const char*, FakeAnswer>> rows{
        {"an error while checking", FakeAnswer::Raising(platform::errTypeMismatch)},
        {"a status outside 0 to 3", FakeAnswer::Refusal(5, "")},
        {"the company's error", FakeAnswer::Error(-1, "Falhou", "KELO_N_Empresa, Selecionar")},
    };
    for (const auto& [caso, answer] : rows) {
        ValuesScreen screen;
        screen.session.Fakes.BusinessLayer.Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", answer);
        screen.Form().qvnumPercentualDeDescontoPorItem.Text = "50,00";
        EXPECT_EQ(screen.Form().VerificaDescMaximoAutomaticoDeVenda(), 1) << caso;
        EXPECT_EQ(screen.session.Fakes.ErrorMessages.Reports().size(), 1u) << caso;
    }
}

TEST(UserRights, OnlyAnAdministratorChangesUnitValuesAndTheRightChangesDiscounts)
{
    struct Row {
        bool administrador, descontos;
        bool unitario, percentual;
    };
    for (const Row& row : {Row{true, false, true, true}, Row{false, true, false, true},
                           Row{false, false, false, false}}) {
        ValuesScreen screen({{"Administrador", row.administrador},
                             {"PermissaoDoModuloCaixaAlterarDescontosDeVendas", row.descontos}});
        frmPreVendas& form = screen.Form();
        EXPECT_EQ(form.qvnumValorUnitario.Enabled(), row.unitario);
        EXPECT_EQ(form.qvnumPercentualDeDescontoPorItem.Enabled(), row.percentual);
        EXPECT_EQ(form.qvnumValorDeDescontoPorItem.Enabled(), row.percentual);
        EXPECT_TRUE(form.qvnumQuantidade.Enabled());
    }
}

} // namespace
