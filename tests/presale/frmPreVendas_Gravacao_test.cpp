// Adding, altering and removing items, driven through the buttons: the rows, the records handed
// to the store, the refusals, and that no way of leaving an item taken back loses it.
#include "ScreenTest.h"

#include "platform/Runtime.h"
#include "presale/GrupoDeCaixasDePesquisa.h"

#include <functional>

namespace presale_test {
namespace {

const std::string Fernanda =
    platform::Left("Fernanda" + std::string(100, ' '), 100) + "10,00" + std::string(45, ' ');

// An administrator's screen with client 123 chosen: animal Rex (7), Fernanda at 10 % on baths.
class Saving : public Screen {
protected:
    void SetUp() override
    {
        AnswerClients(Clientes({{.Codigo = 123, .Apelido = "ANA"}}));
        Answer<KELO_N_ClientAnim::clsAnimais>(
            "SelecionarParaComboBoxFiltradoPorCliente",
            RecordsetBuilder({"Nome", "Codigo"}).Row({"Rex", 7}).Build());
        AnswerEmployees({{2, "Fernanda", "Sim", "Não", 0, 10}});
        StartAs({{"Administrador", true}});
        Search(Form().qvfCodigoDoCliente, "123");
        Forget();
    }

    // A bath entered as the service lookup leaves it, with Fernanda when asked.
    void EnterService(const char* quantidade, const char* unitario, const char* percentual,
                      bool comFuncionario = true)
    {
        frmPreVendas& form = Form();
        ASSERT_TRUE(form.qvcmbTiposDeServicos.UserSelect(0)); // type 5
        KELO_A_PreVendas::EscreverNaCaixa(form.qvfCodigoDoServico, "12");
        KELO_A_PreVendas::EscreverNaCaixa(form.qvfNomeDoServico, "Tosa higiênica");
        form.qvfNomeDoServico.Tag = "8";
        form.qvcmbAnimal.ListIndex = 0;
        ASSERT_EQ(form.qvcmbComissionado.List(1), Fernanda);
        form.qvcmbComissionado.ListIndex = comFuncionario ? 1 : 0;
        form.HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
        form.qvnumQuantidade.Text = quantidade;
        form.qvnumValorUnitario.Text = unitario;
        form.qvnumPercentualDeDescontoPorItem.Text = percentual;
        form.qvnumPercentualDeDescontoPorItem_LostFocus();
    }
    void Add() { ASSERT_TRUE(Form().qvcmdAdicionar.UserClick()); }
    // An item added, then taken back into the fields with Alterar.
    void AddAndTakeBack()
    {
        EnterService("2", "10,00", "15,00");
        session.Host.QueueAnswer(platform::vbYes);
        Add();
        Form().msfgGrade.Row = Form().msfgGrade.Rows - 1;
        ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
    }

    std::vector<support::RecordedCall> Stored(const char* member = "Incluir") const
    {
        return Calls<KELO_N_PreVendas::clsPreVendas>(member);
    }
    std::vector<std::string> Row(int32_t linha)
    {
        std::vector<std::string> cells;
        for (int32_t coluna = 0; coluna < Form().msfgGrade.Cols; ++coluna)
            cells.push_back(Form().msfgGrade.TextMatrix(linha, coluna));
        return cells;
    }
    void AnswerIncluir(FakeAnswer answer)
    {
        Answer<KELO_N_PreVendas::clsPreVendas>("Incluir", std::move(answer));
    }
};

// The record's fields, as stored, are the items scenario's export.
TEST_F(Saving, TheFirstItemReplacesTheBlankRowAndIsStored)
{
    EnterService("2", "10,00", "15,00");
    Add();
    ASSERT_EQ(Form().msfgGrade.Rows(), 2);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"5", "12", "Tosa higiênica", "7", "Rex", "2",
                                                Fernanda, "2", "10,00", "-15,00", "-3,00", "17,00",
                                                "8,00", "10,00", "1,70", "1", "", "2", "1"}));
    EXPECT_EQ(Stored().size(), 1u);
    EXPECT_EQ(
        Read({"qvnumTotal.Text", "qvnumDesconto.Text", "qvnumLiquidoAPagar.Text",
              "qvfApelidoOuNomeFantasiaDoCliente.Enabled", "qvfNomeOuRazaoSocialDoCliente.Enabled",
              "qvfCodigoDoCliente.Enabled", "qvcmbTiposDeServicos.ListIndex",
              "qvnumQuantidade.Text", "qvnumQuantidade.Enabled"}),
        "20,00 | -3,00 | 17,00 | Falso | Falso | Falso | -1 | 0 | Falso");
}

TEST_F(Saving, WithoutAnEmployeeTheCommissionIsZeroAndFractionsFollowTheirOwnSteps)
{
    // 3 x 0,333 at 10 %: 0,999 gross, a discount shown as 0,10. The row's net goes from double to
    // fixed point, the record's stays fixed point; the commission only with an employee.
    struct Case {
        bool employee;
        const char* row;    // columns 11, 13, 14 and 5
        const char* record; // ValorLiquido, the commission fields, FuncionarioComissionado
    };
    const Case cases[] = {
        {false, "0,90 | 0,00 | 0,00 | 0", "0,899 | 0 | 0 | Falso"},
        {true, "0,90 | 10,00 | 0,09 | 2", "0,899 | 10,00 | 0,09 | Verdadeiro"},
    };
    for (const Case& c : cases) {
        EnterService("3", "0,333", "10,00", c.employee);
        session.Host.QueueAnswer(platform::vbYes);
        Add();
        const auto row = Row(Form().msfgGrade.Rows - 1);
        EXPECT_EQ(Join(row[11], row[13], row[14], row[5]), c.row);
        EXPECT_EQ(row[6], c.employee ? Fernanda : "");
        const auto calls = Stored();
        ASSERT_FALSE(calls.empty());
        const auto& stored = calls.back().Properties;
        EXPECT_EQ(Join(stored.at("ValorLiquido"), stored.at("PercentualDeComissaoDoFuncionario"),
                       stored.at("ValorDaComissaoDoFuncionario"),
                       stored.at("FuncionarioComissionado").AsBoolean()),
                  c.record);
    }
}

// One duplicate asked and answered is the items scenario's; here each matching row asks.
TEST_F(Saving, ADuplicateIsAskedOncePerMatchingRowAndNoStoresNothing)
{
    for (int i = 0; i < 3; ++i) {
        EnterService("1", "10,00", "0,00");
        if (i == 1)
            session.Host.QueueAnswer(platform::vbYes);
        if (i == 2) {
            session.Host.ClearRecords();
            session.Host.QueueAnswer(platform::vbYes);
            session.Host.QueueAnswer(platform::vbNo);
        }
        Add();
    }
    EXPECT_EQ(Messages().size(), 2u) << "the question's text is the items scenario's";
    EXPECT_EQ(session.Host.MessageBoxes()[0].Buttons,
              platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2);
    EXPECT_EQ(Stored().size(), 2u);
    EXPECT_EQ(Form().msfgGrade.Rows(), 3);
}

TEST_F(Saving, AFailedInsertionAddsNoRow)
{
    struct Case {
        FakeAnswer answer;
        const char* message;
        int32_t icon;
        const char* report;
    };
    const Case cases[] = {
        {FakeAnswer::Refusal(3, "Banco bloqueado."), "Banco bloqueado.", platform::vbCritical, ""},
        {FakeAnswer::Refusal(2, "Caixa fechado."), "Caixa fechado.", platform::vbInformation, ""},
        {FakeAnswer::Error(-1, "Disco cheio", "KELO_N_PreVendas, Incluir"), nullptr, 0,
         "-1 @ KELO_N_PreVendas, Incluir\n"},
        // A status nobody defined: not taken as stored.
        {FakeAnswer::Refusal(7, ""), nullptr, 0, nullptr},
    };
    for (const Case& c : cases) {
        AnswerIncluir(c.answer);
        Forget();
        EnterService("1", "10,00", "0,00");
        Add();
        EXPECT_EQ(Messages(), Said(c.message));
        // The blank row stays and the client stays open.
        EXPECT_EQ(Join(!c.message || session.Host.MessageBoxes()[0].Icon() == c.icon,
                       static_cast<int32_t>(session.Fakes.ErrorMessages.Reports().size()),
                       !c.report || Reports() == c.report, Row(1)[2],
                       Form().qvfCodigoDoCliente.Enabled()),
                  Join(true, c.message ? 0 : 1, true, "", true));
    }
}

TEST_F(Saving, EachCheckStopsAtItsLabelMessageAndBox)
{
    struct Case {
        std::function<void(frmPreVendas&)> spoil;
        const char* label;
        const char* message;
        const char* focus;
    };
    const std::vector<Case> cases{
        {[](auto& f) {
             KELO_A_PreVendas::EscreverNaCaixa(f.qvfNomeDoServico, " ");
             KELO_A_PreVendas::EscreverNaCaixa(f.qvfCodigoDoServico, "");
         },
         "lblNomeDoServicoOuNomeDoProduto", "Selecione o serviço.", "qvfNomeDoServico"},
        {[](auto& f) { f.qvcmbAnimal.ListIndex = -1; }, "lblNomeDoAnimalOuCodigoInternoDoProduto",
         "Selecione o animal.", "qvcmbAnimal"},
        {[](auto& f) { f.qvnumQuantidade.Text = ""; }, "lblQuantidade", "Informe a quantidade.",
         "qvnumQuantidade"},
        {[](auto& f) { f.qvnumValorUnitario.Text = "0,00"; }, "lblValorUnitario",
         "Informe um valor unitário maior que 0,00 (zero).", "qvnumValorUnitario"},
        {[](auto& f) { f.qvnumValorDeDescontoPorItem.Text = "10,01"; }, "lblValorDeDescontoPorItem",
         "Valor de desconto não pode ser maior que o valor total do item.",
         "qvnumValorDeDescontoPorItem"},
        // An error while checking is reported and stores nothing.
        {[](auto& f) { f.qvnumQuantidade.Text = "dois"; }, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "an error");
        Forget();
        EnterService("1", "10,00", "0,00");
        c.spoil(Form());
        Add();
        EXPECT_TRUE(Stored().empty());
        if (!c.message) {
            EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), 1u);
            continue;
        }
        EXPECT_EQ(Messages(), Said(c.message));
        EXPECT_EQ(dynamic_cast<platform::Label*>(Form().FindControl(c.label))->ForeColor(),
                  platform::RGB(255, 0, 0));
        EXPECT_EQ(platform::Screen::ActiveControl(), Form().FindControl(c.focus));
    }
}

TEST_F(Saving, RemovingDeletesInTheStoreAndOnlyThenLeavesTheGrid)
{
    ASSERT_TRUE(Form().qvcmdRemover.UserClick());
    EXPECT_EQ(Messages(), Said("Nenhum item encontrado na lista para ser removido."));
    EXPECT_TRUE(Stored("Excluir").empty());
    EnterService("1", "10,00", "0,00");
    Add();
    // A failure keeps the row and the grid counted as filled: the next item is added after it.
    const std::pair<FakeAnswer, bool> cases[] = {
        {FakeAnswer::Error(-1, "Falhou", "KELO_N_PreVendas, Excluir"), false},
        {FakeAnswer::Refusal(9, ""), false},
        {FakeAnswer::Refusal(2, ""), true}};
    for (const auto& [answer, removed] : cases) {
        Answer<KELO_N_PreVendas::clsPreVendas>("Excluir", answer);
        Form().msfgGrade.Row = 1;
        ASSERT_TRUE(Form().qvcmdRemover.UserClick());
        EXPECT_EQ(Row(1)[2], removed ? "" : "Tosa higiênica");
        EXPECT_EQ(Form().mbooGradePreenchida, !removed);
    }
    // The client stays locked.
    EXPECT_EQ(Join(Stored("Excluir")[0].Properties.at("NumeroDeLancamento"),
                   Form().qvnumTotal.Text(), Form().qvfCodigoDoCliente.Enabled()),
              "1 | 0,00 | Falso");
}

TEST_F(Saving, AClinicalServiceIsAlteredOnlyInTheClinicalRecord)
{
    Form().msfgGrade.Rows = 2;
    for (int32_t coluna = 0; coluna < Form().msfgGrade.Cols; ++coluna)
        Form().msfgGrade.SetTextMatrix(1, coluna, coluna == 0 ? "3" : "1");
    Form().msfgGrade.Row = 1;
    ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
    EXPECT_EQ(Messages(), Said("Serviços clínicos e cirúrgicos somente podem ser alterados na "
                               "ficha clínica pelo veterinário."));
    EXPECT_TRUE(Stored("Excluir").empty());
}

TEST_F(Saving, EveryWayOfLeavingAnItemTakenBackStoresItBackAsItWas)
{
    const std::vector<std::pair<const char*, std::function<void(PreVendasSession&)>>> ways{
        {"Limpar campos", [](auto& s) { s.Form().qvcmdLimparCampos.UserClick(); }},
        {"the printout", [](auto& s) { s.Form().qvcmdImprimirPreVenda.UserClick(); }},
        {"closing the screen", [](auto& s) { s.Form().UserClose(); }},
        {"a new screen", [](auto& s) { s.Start(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        AddAndTakeBack();
        Form().qvnumValorUnitario.Text = "99,00"; // a correction never added
        Form().qvcmbAnimal.ListIndex = -1;
        Layer().ForgetCalls();
        session.Host.OnAnyModal([](platform::Form& shown) { shown.UserClose(); });
        leave(session);
        const auto stored = Stored();
        ASSERT_EQ(stored.size(), 1u);
        std::string record;
        for (const char* campo : {"ValorUnitario", "DescontoEmValor", "CodigoDoAnimal",
                                  "CodigoDoFuncionario", "CodigoDoCliente"})
            record += stored[0].Properties.at(campo).AsString() + " ";
        EXPECT_EQ(record, "10 3 7 2 123 ");
        if (std::string(way) == "the printout") {
            EXPECT_EQ(Stored("SelecionarServicosEfetuadosEProdutosReservadosParaImpressao").size(),
                      1u)
                << "stored back before the printout selects the items";
        }
        SetUp();
    }
}

TEST_F(Saving, AnItemThatCannotBeStoredBackKeepsTheScreen)
{
    AddAndTakeBack();
    AnswerIncluir(FakeAnswer::Error(-1, "Disco cheio", "KELO_N_PreVendas, Incluir"));
    ASSERT_TRUE(Form().qvcmdLimparCampos.UserClick());
    EXPECT_EQ(Reports() + Read({"qvfNomeDoServico.Text", "qvfCodigoDoCliente.Text"}),
              "-1 @ KELO_N_PreVendas, Incluir\nTosa higiênica | 123")
        << "nothing cleared";
    AnswerIncluir(FakeAnswer{});
    ASSERT_TRUE(Form().qvcmdLimparCampos.UserClick());
    EXPECT_EQ(Form().qvfCodigoDoCliente.Text(), "") << "stored back, then cleared";
}

} // namespace
} // namespace presale_test
