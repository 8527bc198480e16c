// Adding, altering and removing items, driven through the buttons: the rows, the records handed
// to the store, the refusals, and that no way of leaving an item taken back loses it.
#include "authorisation/frmPreVendasAutorizarDesconto.h"
#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Login.h"
#include "contracts/KELO_N_PreVendas.h"
#include "globals/modPrincipal.h"
#include "platform/Runtime.h"
#include "presale/GrupoDeCaixasDePesquisa.h"
#include "support/Clientes.h"
#include "support/FakeUser.h"
#include "support/RecordsetBuilder.h"
#include "support/session/PreVendasSession.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using KELO_A_PreVendas::frmPreVendas;
using support::FakeAnswer;
using support::PreVendasSession;

namespace {

const std::string Fernanda =
    platform::Left("Fernanda" + std::string(100, ' '), 100) + "10,00" + std::string(45, ' ');

class Saving : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.User =
            std::make_shared<support::FakeUser>(support::FakeUser::Rights{{"Administrador", true}});
        session.Start();
        auto& layer = session.Fakes.BusinessLayer;
        layer.Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar",
            FakeAnswer::WithRows(support::Clientes({{.Codigo = 123, .Apelido = "ANA"}})));
        layer.Answer<KELO_N_ClientAnim::clsAnimais>(
            "SelecionarParaComboBoxFiltradoPorCliente",
            FakeAnswer::WithRows(
                support::RecordsetBuilder({"Nome", "Codigo"}).Row({"Rex", 7}).Build()));
        layer.Answer<KELO_N_Funcionarios::clsFuncionarios>(
            "Selecionar", FakeAnswer::WithRows(
                              support::RecordsetBuilder(
                                  contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario))
                                  .Row({2, "Fernanda", "Sim", "Não", 0, 0, 0, 0, 0, 10, 0, 0, 0})
                                  .Build()));
        ASSERT_TRUE(Form().qvfCodigoDoCliente.UserType("123"));
        ASSERT_TRUE(Form().qvfCodigoDoCliente.UserConfirm());
        layer.ForgetCalls();
        session.Host.ClearRecords();
    }

    frmPreVendas& Form() { return session.Form(); }

    // A bath entered as the service lookup leaves it, with Fernanda at 10 % when asked.
    void EnterService(const char* quantidade, const char* unitario, const char* percentual,
                      bool comFuncionario = true, const char* codigo = "12")
    {
        frmPreVendas& form = Form();
        ASSERT_TRUE(form.qvcmbTiposDeServicos.UserSelect(0)); // type 5
        KELO_A_PreVendas::EscreverNaCaixa(form.qvfCodigoDoServico, codigo);
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

    std::vector<support::RecordedCall> Calls(const char* member)
    {
        return session.Fakes.BusinessLayer.CallsTo<KELO_N_PreVendas::clsPreVendas>(member);
    }

    std::vector<std::string> Row(int32_t linha)
    {
        std::vector<std::string> cells;
        for (int32_t coluna = 0; coluna < Form().msfgGrade.Cols; ++coluna)
            cells.push_back(Form().msfgGrade.TextMatrix(linha, coluna));
        return cells;
    }

    std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& box : session.Host.MessageBoxes())
            texts.push_back(box.Prompt);
        return texts;
    }

    void AnswerIncluir(FakeAnswer answer)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>("Incluir", answer);
    }

    PreVendasSession session;
};

TEST_F(Saving, TheFirstItemReplacesTheBlankRowAndIsStoredFieldByField)
{
    session.Host.SetToday({2026, 12, 7});
    EnterService("2", "10,00", "15,00");
    Add();
    ASSERT_EQ(Form().msfgGrade.Rows(), 2);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"5", "12", "Tosa higiênica", "7", "Rex", "2",
                                                Fernanda, "2", "10,00", "-15,00", "-3,00", "17,00",
                                                "8,00", "10,00", "1,70", "1", "", "2", "1"}));
    const auto calls = Calls("Incluir");
    ASSERT_EQ(calls.size(), 1u);
    std::vector<std::string> record;
    for (std::string_view campo : KELO_N_PreVendas::CamposDoLancamento)
        record.push_back(std::string(campo) + "=" +
                         calls[0].Properties.at(std::string(campo)).AsString());
    EXPECT_EQ(record, (std::vector<std::string>{"DataDeLancamento=07/12/2026",
                                                "CodigoDoFuncionario=2",
                                                "CodigoDoCliente=123",
                                                "TipoDeLancamento=1",
                                                "CodigoDoAnimal=7",
                                                "NumeroDoTipoDeServico=5",
                                                "CodigoDoServico=12",
                                                "CodigoInternoDoProduto=",
                                                "Custo=8,00",
                                                "Quantidade=2",
                                                "ValorUnitario=10",
                                                "ValorTotal=20",
                                                "DescontoEmPercentual=15",
                                                "DescontoEmValor=3",
                                                "ValorLiquido=17",
                                                "FuncionarioComissionado=Verdadeiro",
                                                "PercentualDeComissaoDoFuncionario=10,00",
                                                "ValorDaComissaoDoFuncionario=1,70",
                                                "TipoDeVenda=2",
                                                "NumeroDeLancamento="}));
    EXPECT_EQ(Form().qvnumTotal.Text(), "20,00");
    EXPECT_EQ(Form().qvnumDesconto.Text(), "-3,00");
    EXPECT_EQ(Form().qvnumLiquidoAPagar.Text(), "17,00");
    for (auto* caixa : {&Form().qvfApelidoOuNomeFantasiaDoCliente,
                        &Form().qvfNomeOuRazaoSocialDoCliente, &Form().qvfCodigoDoCliente})
        EXPECT_FALSE(caixa->Enabled()) << caixa->Name();
    EXPECT_EQ(Form().qvcmbTiposDeServicos.ListIndex(), -1);
    EXPECT_EQ(Form().qvnumQuantidade.Text(), "0");
    EXPECT_FALSE(Form().qvnumQuantidade.Enabled());
}

TEST_F(Saving, WithoutAnEmployeeTheCommissionIsZeroAndFractionsFollowTheirOwnSteps)
{
    // 3 x 0,333 at 10 %: 0,999 gross, a discount shown as 0,10. The row's net goes from double to
    // fixed point, the record's stays fixed point; the commission only with an employee.
    struct Case {
        bool employee;
        std::vector<std::string> rowTail; // columns 11, 13 and 14
        std::vector<std::string> record;  // ValorLiquido, the two commission fields
    };
    const Case cases[] = {
        {false, {"0,90", "0,00", "0,00"}, {"0,899", "0", "0"}},
        {true, {"0,90", "10,00", "0,09"}, {"0,899", "10,00", "0,09"}},
    };
    for (const Case& c : cases) {
        EnterService("3", "0,333", "10,00", c.employee);
        session.Host.QueueAnswer(platform::vbYes);
        Add();
        const auto row = Row(Form().msfgGrade.Rows - 1);
        EXPECT_EQ((std::vector<std::string>{row[11], row[13], row[14]}), c.rowTail);
        EXPECT_EQ(row[5], c.employee ? "2" : "0");
        EXPECT_EQ(row[6], c.employee ? Fernanda : "");
        const auto calls = Calls("Incluir");
        ASSERT_FALSE(calls.empty());
        const auto& stored = calls.back().Properties;
        EXPECT_EQ(
            (std::vector<std::string>{stored.at("ValorLiquido").AsString(),
                                      stored.at("PercentualDeComissaoDoFuncionario").AsString(),
                                      stored.at("ValorDaComissaoDoFuncionario").AsString()}),
            c.record);
        EXPECT_EQ(stored.at("FuncionarioComissionado").AsBoolean(), c.employee);
    }
}

TEST_F(Saving, ADuplicateIsAskedOncePerMatchingRowAndNoStoresNothing)
{
    for (int i = 0; i < 2; ++i) {
        EnterService("1", "10,00", "0,00");
        if (i == 1)
            session.Host.QueueAnswer(platform::vbYes);
        Add();
    }
    ASSERT_EQ(Form().msfgGrade.Rows(), 3);
    session.Host.ClearRecords();
    EnterService("1", "10,00", "0,00");
    session.Host.QueueAnswer(platform::vbYes);
    session.Host.QueueAnswer(platform::vbNo);
    Add();
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "Este item já consta em sua lista de itens "
                                                      "de pré-venda.\nIncluí-lo mais uma vez?"));
    EXPECT_EQ(session.Host.MessageBoxes()[0].Buttons,
              platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2);
    EXPECT_EQ(Calls("Incluir").size(), 2u);
    EXPECT_EQ(Form().msfgGrade.Rows(), 3);
}

// Above the ceiling of 10 %, the store keeps who let the item through, under its number.
TEST_F(Saving, WhoLetAnItemThroughTheCeilingIsKeptWithItsNumber)
{
    struct Row {
        const char* caso;
        bool administrador;
        const char* percentual;
        enum { None, Authorises, Cancels } dialog;
        const char* autorizador; // null: no account
    };
    const std::vector<Row> rows{
        {"equal to the ceiling", false, "10,00", Row::None, nullptr},
        {"above, the administrator logged in", true, "12,50", Row::None, "chefe"},
        {"above, authorised in the dialog", false, "12,50", Row::Authorises, "admin"},
        {"above, the dialog cancelled", false, "12,50", Row::Cancels, nullptr},
    };
    auto& layer = session.Fakes.BusinessLayer;
    layer.Answer<KELO_N_Empresa::clsEmpresa>(
        "Selecionar",
        FakeAnswer::WithRows(
            support::RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
                .Row({"Kelo", 2, "", "", 0, 0, "01/12/2026", "31/12/2026", 10, 5})
                .Build()));
    layer.Answer<KELO_N_Login::clsLogin>(
        "Autenticar",
        FakeAnswer::WithRows(support::RecordsetBuilder({"Administrador"}).Row({true}).Build()));
    session.Host.SetToday({2026, 12, 7});
    int32_t numero = 40;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        // Who is logged in, as the host handed the user over.
        KELO_A_PreVendas::modPrincipal::gobjDadosDoUsuario = std::make_shared<support::FakeUser>(
            support::FakeUser::Rights{{"Administrador", row.administrador}}, "chefe");
        FakeAnswer stored;
        stored.NumeroDeLancamentoGerado = ++numero;
        AnswerIncluir(stored);
        if (row.dialog != Row::None) {
            session.Host.OnModal("frmPreVendasAutorizarDesconto", [&](platform::Form& f) {
                auto& d = static_cast<KELO_A_PreVendas::frmPreVendasAutorizarDesconto&>(f);
                d.qvtxtUsuario.Text = " admin ";
                d.qvtxtSenha.Text = "admin123";
                (row.dialog == Row::Authorises ? d.qvcmdEfetuarDesconto : d.qvcmdCancelar)
                    .UserClick();
            });
        }
        layer.ForgetCalls();
        // A service of its own each time, so that no row asks about a duplicate.
        EnterService("1", "35,00", row.percentual, false, std::to_string(numero).c_str());
        Add();
        const auto calls = Calls("RegistrarAutorizacaoDeDesconto");
        if (!row.autorizador) {
            EXPECT_TRUE(calls.empty());
            continue;
        }
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Arguments,
                  (std::vector<platform::Variant>{numero, platform::Currency::FromDouble(12.5),
                                                  platform::Currency::FromDouble(10),
                                                  std::string(row.autorizador)}));
        EXPECT_EQ(calls[0].Instance, Calls("Incluir").at(0).Instance);
    }
    EXPECT_TRUE(session.Fakes.ErrorMessages.Reports().empty());
}

TEST_F(Saving, AFailedInsertionAddsNoRow)
{
    struct Case {
        FakeAnswer answer;
        std::vector<std::string> messages;
        int32_t icon;
        size_t reports;
    };
    const Case cases[] = {
        {FakeAnswer::Refusal(3, "Banco bloqueado."), {"Banco bloqueado."}, platform::vbCritical, 0},
        {FakeAnswer::Refusal(2, "Caixa fechado."), {"Caixa fechado."}, platform::vbInformation, 0},
        {FakeAnswer::Error(-1, "Disco cheio", "KELO_N_PreVendas, Incluir"), {}, 0, 1},
        // A status nobody defined: not taken as stored.
        {FakeAnswer::Refusal(7, ""), {}, 0, 1},
    };
    for (const Case& c : cases) {
        AnswerIncluir(c.answer);
        session.Host.ClearRecords();
        session.Fakes.ErrorMessages.ForgetReports();
        EnterService("1", "10,00", "0,00");
        Add();
        EXPECT_EQ(Messages(), c.messages);
        if (!c.messages.empty()) {
            EXPECT_EQ(session.Host.MessageBoxes()[0].Icon(), c.icon);
        }
        EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), c.reports);
        EXPECT_EQ(Row(1)[2], "") << "the blank row stays";
        EXPECT_TRUE(Form().qvfCodigoDoCliente.Enabled());
    }
}

TEST_F(Saving, EachCheckStopsAtItsLabelMessageAndBox)
{
    struct Case {
        const char* what;
        std::function<void(frmPreVendas&)> spoil;
        const char* label;
        const char* message;
        const char* focus;
    };
    const std::vector<Case> cases{
        {"no service",
         [](auto& f) {
             KELO_A_PreVendas::EscreverNaCaixa(f.qvfNomeDoServico, " ");
             KELO_A_PreVendas::EscreverNaCaixa(f.qvfCodigoDoServico, "");
         },
         "lblNomeDoServicoOuNomeDoProduto", "Selecione o serviço.", "qvfNomeDoServico"},
        {"no animal", [](auto& f) { f.qvcmbAnimal.ListIndex = -1; },
         "lblNomeDoAnimalOuCodigoInternoDoProduto", "Selecione o animal.", "qvcmbAnimal"},
        {"no quantity", [](auto& f) { f.qvnumQuantidade.Text = ""; }, "lblQuantidade",
         "Informe a quantidade.", "qvnumQuantidade"},
        {"no unit value", [](auto& f) { f.qvnumValorUnitario.Text = "0,00"; }, "lblValorUnitario",
         "Informe um valor unitário maior que 0,00 (zero).", "qvnumValorUnitario"},
        {"discount above the item", [](auto& f) { f.qvnumValorDeDescontoPorItem.Text = "10,01"; },
         "lblValorDeDescontoPorItem",
         "Valor de desconto não pode ser maior que o valor total do item.",
         "qvnumValorDeDescontoPorItem"},
        // An error while checking is reported and stores nothing.
        {"a quantity that is no number", [](auto& f) { f.qvnumQuantidade.Text = "dois"; }, nullptr,
         nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        session.Fakes.BusinessLayer.ForgetCalls();
        session.Fakes.ErrorMessages.ForgetReports();
        session.Host.ClearRecords();
        EnterService("1", "10,00", "0,00");
        c.spoil(Form());
        Add();

        EXPECT_TRUE(Calls("Incluir").empty());
        if (!c.message) {
            EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), 1u);
            continue;
        }
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(dynamic_cast<platform::Label*>(Form().FindControl(c.label))->ForeColor(),
                  platform::RGB(255, 0, 0));
        EXPECT_EQ(platform::Screen::ActiveControl(), Form().FindControl(c.focus));
    }
}

TEST_F(Saving, RemovingDeletesInTheStoreAndOnlyThenLeavesTheGrid)
{
    ASSERT_TRUE(Form().qvcmdRemover.UserClick());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Nenhum item encontrado na lista para ser "
                                                   "removido."});
    EXPECT_TRUE(Calls("Excluir").empty());
    EnterService("1", "10,00", "0,00");
    Add();
    struct Case {
        FakeAnswer answer;
        bool removed;
    };
    // A failure keeps the row and the grid counted as filled: the next item is added after it.
    const Case cases[] = {{FakeAnswer::Error(-1, "Falhou", "KELO_N_PreVendas, Excluir"), false},
                          {FakeAnswer::Refusal(9, ""), false},
                          {FakeAnswer::Refusal(2, ""), true}};
    for (const Case& c : cases) {
        session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>("Excluir", c.answer);
        Form().msfgGrade.Row = 1;
        ASSERT_TRUE(Form().qvcmdRemover.UserClick());
        EXPECT_EQ(Row(1)[2], c.removed ? "" : "Tosa higiênica");
        EXPECT_EQ(Form().mbooGradePreenchida, !c.removed);
    }
    EXPECT_EQ(Calls("Excluir")[0].Properties.at("NumeroDeLancamento").AsString(), "1");
    EXPECT_EQ(Form().qvnumTotal.Text(), "0,00");
    EXPECT_FALSE(Form().qvfCodigoDoCliente.Enabled()) << "the client stays locked";
}

TEST_F(Saving, AlteringTakesTheItemBackAndAddingStoresItUnderANewNumber)
{
    EnterService("2", "10,00", "15,00");
    Add();
    Form().msfgGrade.Row = 1;
    ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
    EXPECT_EQ(Calls("Excluir").size(), 1u);
    EXPECT_EQ(Row(1)[2], "");
    EXPECT_EQ(Form().qvnumTotal.Text(), "0,00");
    EXPECT_EQ(Form().qvfNomeDoServico.Text(), "Tosa higiênica");
    EXPECT_EQ(Form().qvnumPercentualDeDescontoPorItem.Text(), "15,00");
    EXPECT_EQ(Form().qvnumValorDeDescontoPorItem.Text(), "3,00");
    EXPECT_EQ(Form().qvcmbAnimal.Text(), "Rex");
    Form().qvnumValorUnitario.Text = "12,00";
    Add();
    EXPECT_EQ(Row(1)[8], "12,00");
    EXPECT_EQ(Row(1)[15], "2");
    EXPECT_EQ(Calls("Incluir").size(), 2u);
    // Nothing is owed to the store any more: clearing the screen stores nothing.
    ASSERT_TRUE(Form().qvcmdLimparCampos.UserClick());
    EXPECT_EQ(Calls("Incluir").size(), 2u);
}

TEST_F(Saving, AClinicalServiceIsAlteredOnlyInTheClinicalRecord)
{
    Form().msfgGrade.Rows = 2;
    for (int32_t coluna = 0; coluna < Form().msfgGrade.Cols; ++coluna)
        Form().msfgGrade.SetTextMatrix(1, coluna, coluna == 0 ? "3" : "1");
    Form().msfgGrade.Row = 1;
    ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Serviços clínicos e cirúrgicos somente podem "
                                                   "ser alterados na ficha clínica pelo "
                                                   "veterinário."});
    EXPECT_TRUE(Calls("Excluir").empty());
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
        PreVendasSession& s = session;
        EnterService("2", "10,00", "15,00");
        session.Host.QueueAnswer(platform::vbYes);
        Add();
        Form().msfgGrade.Row = Form().msfgGrade.Rows - 1;
        ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
        Form().qvnumValorUnitario.Text = "99,00"; // a correction never added
        Form().qvcmbAnimal.ListIndex = -1;
        session.Fakes.BusinessLayer.ForgetCalls();
        session.Host.OnAnyModal([](platform::Form& shown) { shown.UserClose(); });
        leave(s);
        const auto stored = Calls("Incluir");
        ASSERT_EQ(stored.size(), 1u);
        const auto& record = stored[0].Properties;
        EXPECT_EQ(record.at("ValorUnitario").AsString(), "10");
        EXPECT_EQ(record.at("DescontoEmValor").AsString(), "3");
        EXPECT_EQ(record.at("CodigoDoAnimal").AsString(), "7");
        EXPECT_EQ(record.at("CodigoDoFuncionario").AsString(), "2");
        EXPECT_EQ(record.at("CodigoDoCliente").AsString(), "123");
        if (std::string(way) == "the printout") {
            EXPECT_EQ(Calls("SelecionarServicosEfetuadosEProdutosReservadosParaImpressao").size(),
                      1u)
                << "stored back before the printout selects the items";
        }
        SetUp();
    }
}

TEST_F(Saving, AnItemThatCannotBeStoredBackKeepsTheScreen)
{
    EnterService("2", "10,00", "15,00");
    Add();
    Form().msfgGrade.Row = 1;
    ASSERT_TRUE(Form().qvcmdAlterar.UserClick());
    AnswerIncluir(FakeAnswer::Error(-1, "Disco cheio", "KELO_N_PreVendas, Incluir"));
    ASSERT_TRUE(Form().qvcmdLimparCampos.UserClick());
    EXPECT_EQ(session.Fakes.ErrorMessages.Reports().size(), 1u);
    EXPECT_EQ(Form().qvfNomeDoServico.Text(), "Tosa higiênica") << "nothing cleared";
    EXPECT_EQ(Form().qvfCodigoDoCliente.Text(), "123");
    AnswerIncluir(FakeAnswer{});
    ASSERT_TRUE(Form().qvcmdLimparCampos.UserClick());
    EXPECT_EQ(Form().qvfCodigoDoCliente.Text(), "") << "stored back, then cleared";
}

} // namespace
