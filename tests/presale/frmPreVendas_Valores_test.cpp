#include "ScreenTest.h"

#include "authorisation/frmPreVendasAutorizarDesconto.h"
#include "contracts/KELO_N_Login.h"

namespace presale_test {
namespace {

using support::FakeUser;

// A screen whose value boxes are enabled, today 07/12/2026, for an administrator.
class Values : public Screen {
protected:
    void SetUp() override { StartAs({{"Administrador", true}}); }
    void StartAs(FakeUser::Rights rights)
    {
        Screen::StartAs(std::move(rights));
        session.Host.SetToday({2026, 12, 7});
        Form().HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
        Forget();
    }
    // The cells the totals read: "Qtde.", "Val.Unit.", "Val. desc.".
    void PutItems(const std::vector<std::array<const char*, 3>>& items)
    {
        Form().msfgGrade.Rows = static_cast<int32_t>(items.size()) + 1;
        for (int32_t row = 1; const auto& [quantidade, unitario, desconto] : items) {
            Form().msfgGrade.SetTextMatrix(row, 7, quantidade);
            Form().msfgGrade.SetTextMatrix(row, 8, unitario);
            Form().msfgGrade.SetTextMatrix(row++, 10, desconto);
        }
    }
    std::string Totals()
    {
        return Read({"qvnumTotal.Text", "qvnumDesconto.Text", "qvnumLiquidoAPagar.Text"});
    }
};

TEST_F(Values, GridTotalsSumTheItemsExactlyAndShowTwoDecimals)
{
    struct Case {
        std::vector<std::array<const char*, 3>> items;
        const char* totals;
    };
    const Case cases[] = {
        {{{"1", "50,00", "-5,00"}, {"1", "30,00", "0"}}, "80,00 | -5,00 | 75,00"},
        {{{"", "", ""}}, "0,00 | 0,00 | 0,00"}, // the blank row of an empty grid
        {{{"2,5", "12,9", ""}, {"3", "1.234,56", "-0,68"}}, "3.735,93 | -0,68 | 3.735,25"},
        // Each item alone would show 0,01; their exact sum is 0,05.
        {{{"0,125", "0,10", ""},
          {"0,125", "0,10", ""},
          {"0,125", "0,10", ""},
          {"0,125", "0,10", ""}},
         "0,05 | 0,00 | 0,05"},
    };
    for (const Case& c : cases) {
        PutItems(c.items);
        Form().CalcularValoresDosItensDaGrade();
        EXPECT_EQ(Totals(), c.totals);
    }
    EXPECT_EQ(Reports(), "");
    PutItems({{"1", "10,00", "0"}, {"1", "R$ 5", "0"}});
    Form().CalcularValoresDosItensDaGrade();
    EXPECT_EQ(Reports(),
              "13 @ KELO_A_PreVendas, frmPreVendas, CalcularValoresDosItensDaGrade, Ponto: 1\n");
    EXPECT_EQ(Form().qvnumTotal.Text(), "0,05") << "a cell that is no number leaves the totals";
}

TEST_F(Values, LeavingABoxWorksOutTheOtherDiscountField)
{
    enum Left { Quantidade, Unitario, Percentual, ValorDoDesconto };
    struct Row {
        const char *q, *u, *p, *a;
        Left left;
        const char* expected; // quantity | percentage | discount value
    };
    const Row rows[] = {
        {"2", "10,00", "15,00", "0,00", Quantidade, "2 | 15,00 | 3,00"},
        {"2", "10,00", "15,00", "0,00", Unitario, "2 | 15,00 | 3,00"},
        {"2", "10,00", "15,00", "9,99", Percentual, "2 | 15,00 | 3,00"},
        {"2", "10,00", "7,00", "3,00", ValorDoDesconto, "2 | 15,00 | 3,00"},
        {"0", "10,00", "7,00", "3,00", ValorDoDesconto, "0 | 7,00 | 3,00"},
        {"", "10,00", "15,00", "3,00", Quantidade, "0,00 | 15,00 | 0,00"},
        // 2,675 in double is 2,67499...: shown from its decimal value, as by hand.
        {"1", "5,35", "50,00", "0,00", Percentual, "1 | 50,00 | 2,68"},
        // 0,00495 is 0,0050 in four places (ties to even), then 0,01 on the screen.
        {"1", "0,0099", "50,00", "0,00", Percentual, "1 | 50,00 | 0,01"},
        {"0,333", "3,00", "10,00", "0,00", Quantidade, "0,333 | 10,00 | 0,10"},
    };
    frmPreVendas& form = Form();
    suite_controls::QVNumberBox* boxes[] = {&form.qvnumQuantidade, &form.qvnumValorUnitario,
                                            &form.qvnumPercentualDeDescontoPorItem,
                                            &form.qvnumValorDeDescontoPorItem};
    for (const Row& row : rows) {
        const char* const typed[] = {row.q, row.u, row.p, row.a};
        for (int i = 0; i < 4; ++i)
            boxes[i]->Text = typed[i];
        boxes[row.left]->SetFocus();
        form.qvcmbComissionado.SetFocus();
        EXPECT_EQ(Read({"qvnumQuantidade.Text", "qvnumPercentualDeDescontoPorItem.Text",
                        "qvnumValorDeDescontoPorItem.Text"}),
                  row.expected)
            << row.q << " x " << row.u << " at " << row.p << " / " << row.a << ", left "
            << boxes[row.left]->Name();
    }
    EXPECT_EQ(Reports(), "");
}

TEST_F(Values, TheDiscountStaysWithinTheItemsGrossValueAndAHundredPercent)
{
    const std::array<const char*, 3> rows[] = {
        {"20,00", "100,00", nullptr},
        {"20,01", "0,00", "Valor de desconto não pode ser maior que o valor total do item."},
        {"", "100,01", "Percentual de desconto do item não pode ser maior que 100%."},
    };
    for (const auto& [valor, percentual, message] : rows) {
        Forget();
        Form().qvnumQuantidade.Text = "2";
        Form().qvnumValorUnitario.Text = "10,00";
        Form().qvnumValorDeDescontoPorItem.Text = valor;
        Form().qvnumPercentualDeDescontoPorItem.Text = percentual;
        EXPECT_EQ(Form().VerificarLimitesDoDescontoDoItem(), message ? 1 : 0) << valor;
        EXPECT_EQ(Messages(), Said(message));
    }
}

TEST_F(Values, TheDiscountTotalFiltersKeysKeepsTheFocusOnAFaultAndReducesTheTotal)
{
    frmPreVendas& form = Form();
    struct Key {
        const char* text;
        int16_t key, expected;
    };
    for (const Key& k : {Key{"", '7', '7'}, Key{"1", '.', ','}, Key{"1", 'a', 0}, Key{"1", 8, 8},
                         Key{"1,5", ',', 0}, Key{"1,5", '.', 0}, Key{"", '-', 0}}) {
        form.qvnumDesconto.Text = k.text;
        int16_t key = k.key;
        form.qvnumDesconto_KeyPress(key);
        EXPECT_EQ(key, k.expected) << k.text << " + " << k.key;
    }
    const std::array<const char*, 4> checks[] = {
        {"80,00", "abc", "Informe um valor numérico para o desconto.", "0,00"},
        {"0,00", "5,00", "Adicione um item antes do desconto.", "0,00"},
        {"80,00", "80,01", "Valor de desconto não pode ser maior que o valor total.", "80,01"},
        {"80,00", "80,00", nullptr, "80,00"},
    };
    for (const auto& [total, typed, message, after] : checks) {
        Forget();
        form.qvnumTotal.Text = total;
        form.qvnumDesconto.Text = typed;
        bool cancel = false;
        form.qvnumDesconto_Validate(cancel);
        EXPECT_EQ(cancel, message != nullptr) << typed;
        EXPECT_EQ(Messages(), Said(message));
        EXPECT_EQ(form.qvnumDesconto.Text(), after) << typed;
    }
    // The net is the total reduced by the discount, whichever its sign.
    for (const char* desconto : {"-5,00", "5", "5,"}) {
        form.qvnumTotal.Text = "80,00";
        form.qvnumDesconto.Text = desconto;
        form.qvnumLiquidoAPagar.Text = "80,00";
        form.qvnumDesconto_LostFocus();
        EXPECT_EQ(form.qvnumLiquidoAPagar.Text(), "75,00") << desconto;
    }
    EXPECT_EQ(form.qvnumDesconto.Text(), "5,00");
}

// A product's own percentage and a higher percentage kept are the product and promotion
// scenarios'; here the window's ends, for a service at 5 % with a promotion of 12 %.
TEST_F(Values, ThePromotionRaisesTheItemsPercentageInsideItsWindow)
{
    struct Row {
        const char *from, *to;
        int16_t result;
        const char* after;
    };
    const Row rows[] = {
        {"07/12/2026", "31/12/2026", 0, "12"},   // starts today
        {"01/12/2026", "07/12/2026", 0, "12"},   // ends today
        {"01/11/2026", "06/12/2026", 0, "5,00"}, // over yesterday
        {"", "31/12/2026", 0, "5,00"},           // no start: none
        {"01/12/2026", "31/13/2026", 1, "5,00"}, // the end is no date
    };
    for (const Row& row : rows) {
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", Empresa(2, row.from, row.to, "12", "8"));
        Form().qvnumPercentualDeDescontoPorItem.Text = "5,00";
        EXPECT_EQ(Form().VerificaDescontoPromocionalDeVenda(), row.result) << row.from << row.to;
        EXPECT_EQ(Form().qvnumPercentualDeDescontoPorItem.Text(), row.after) << row.from << row.to;
    }
}

// Administrator, authorised and cancelled above the ceiling are the discount scenarios'.
TEST_F(Values, TheCeilingAsksForAnAdministratorOnlyAboveItOverTheDarkenedScreen)
{
    enum Dialog { None, Authorised, Cancelled };
    struct Row {
        const char* percentual;
        Dialog dialog;
        int16_t result;
        const char* message;
    };
    const Row rows[] = {
        {"10,00", None, 0, nullptr},
        {"10,01", Authorised, 0, nullptr},
        {"10,01", Cancelled, 1, "Informe um desconto válido com o limite de até 10%"},
    };
    for (const Row& row : rows) {
        StartAs({{"PermissaoDoModuloCaixaAlterarDescontosDeVendas", true}});
        Answer<KELO_N_Empresa::clsEmpresa>(
            "Selecionar", Empresa(2, "", "", "0", "0", "01/12/2026", "31/12/2026", "10", "5"));
        Answer<KELO_N_Login::clsLogin>("Autenticar",
                                       RecordsetBuilder({"Administrador"}).Row({true}).Build());
        bool darkWhileAsked = false;
        if (row.dialog != None) {
            session.Host.OnModal("frmPreVendasAutorizarDesconto", [&](platform::Form& f) {
                auto& d = static_cast<KELO_A_PreVendas::frmPreVendasAutorizarDesconto&>(f);
                darkWhileAsked = Dark();
                d.qvtxtUsuario.Text = "admin";
                d.qvtxtSenha.Text = "admin123";
                (row.dialog == Authorised ? d.qvcmdEfetuarDesconto : d.qvcmdCancelar).UserClick();
            });
        }
        Form().qvnumPercentualDeDescontoPorItem.Text = row.percentual;
        EXPECT_EQ(Form().VerificaDescMaximoAutomaticoDeVenda(), row.result);
        EXPECT_EQ(Messages(), Said(row.message));
        EXPECT_EQ(session.Host.ModalShowings().size(), row.dialog == None ? 0u : 1u);
        EXPECT_EQ(darkWhileAsked, row.dialog != None);
        EXPECT_FALSE(Dark());
        if (row.result == 1) {
            EXPECT_EQ(platform::Screen::ActiveControl(), &Form().qvnumPercentualDeDescontoPorItem);
        }
    }
}

TEST_F(Values, ACeilingThatCannotBeCheckedRefusesTheItem)
{
    const std::pair<FakeAnswer, const char*> rows[] = {
        {FakeAnswer::Raising(platform::errTypeMismatch),
         "13 @ KELO_A_PreVendas, frmPreVendas, VerificaDescMaximoAutomaticoDeVenda, Ponto: 1\n"},
        {FakeAnswer::Refusal(5, ""), nullptr}, // a status outside 0 to 3
        {FakeAnswer::Error(-1, "Falhou", "KELO_N_Empresa, Selecionar"),
         "-1 @ KELO_N_Empresa, Selecionar\n"},
    };
    for (const auto& [answer, report] : rows) {
        Forget();
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", answer);
        Form().qvnumPercentualDeDescontoPorItem.Text = "50,00";
        EXPECT_EQ(Form().VerificaDescMaximoAutomaticoDeVenda(), 1);
        EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), 1u);
        if (report) {
            EXPECT_EQ(Reports(), report);
        }
    }
}

} // namespace
} // namespace presale_test
