#include "support/session/PreVendasSession.h"

#include <gtest/gtest.h>

using KELO_A_PreVendas::frmPreVendas;
using support::FakeAnswer;
using support::PreVendasSession;

namespace {

class ItemsGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        session.Fakes.BusinessLayer.ForgetCalls();
    }

    frmPreVendas& Form() { return session.Form(); }
    platform::Grid& Grade() { return session.Form().msfgGrade; }

    void AnswerOpenItems(const support::RecordsetBuilder& items)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>(
            "SelecionarServicosEfetuadosEProdutosReservados", FakeAnswer::WithRows(items.Build()));
    }

    void LoadThreeItems()
    {
        AnswerOpenItems(support::ItensAbertos()
                            .Row({5, 12, "Banho", 3, "Rex", 7, "Ana", 1, 40.0, -10.0, -4.0, 36.0,
                                  20.0, 5.0, 1.8, 101, platform::Variant::Null(), "2", 1})
                            .Row({"7891000100103", 33, "Ração 1kg", platform::Variant::Null(),
                                  platform::Variant::Null(), 0, platform::Variant::Null(), 2.5,
                                  12.9, 0.0, 0.0, 32.25, 8.0, 0.0, 0.0, 102, "KG", "2", 2})
                            .Row({6, 14, "Hospedagem", 3, "Rex", 0, "", 2, 80.0, 0.0, 0.0, 160.0,
                                  0.0, 0.0, 0.0, 103, "", "2", 1}));
        Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);
    }

    PreVendasSession session;
};

TEST_F(ItemsGrid, IsLaidOutWithItsNineteenColumns)
{
    struct Column {
        int32_t col;
        const char* header;
        int32_t width;
        int32_t sortType;
    };
    const Column columns[] = {
        {0, "Tipo de serviço ou código de barras do produto", 0, 1},
        {1, "Código do serviço ou produto", 0, 0},
        {2, "Serviço ou Produto", 4175, 1},
        {4, "Animal", 3300, 1},
        {6, "Nome do funcionário", 0, 1},
        {7, "Qtde.", 1300, 0},
        {11, "Val. total ", 1680, 0},
        {15, "Nº lançamento", 0, 0},
        {18, "Tipo de lançamento", 0, 0},
    };
    EXPECT_EQ(Grade().Rows(), 2);
    EXPECT_EQ(Grade().Cols(), 19);
    EXPECT_EQ(Grade().FixedRows(), 1);
    EXPECT_EQ(Grade().FixedCols(), 0);
    EXPECT_EQ(Grade().SelectionMode(), platform::flexSelectionByRow);
    for (const Column& column : columns) {
        EXPECT_EQ(Grade().TextMatrix(0, column.col), column.header);
        EXPECT_EQ(Grade().ColWidth(column.col), column.width) << column.header;
        EXPECT_EQ(Grade().ColData(column.col), column.sortType) << column.header;
    }
    EXPECT_EQ(Grade().ColAlignment(7), platform::flexAlignRightCenter);
    // Sorted once, by the hidden first column: the icon sits where nobody sees it.
    EXPECT_EQ(Grade().CellPictureAt(0, 0), "Classificacao_Crescente");
    EXPECT_EQ(Form().mintColunaClassificada, 0);
    EXPECT_EQ(Form().mintTipoDeClassificacao, platform::flexSortStringAscending);
}

TEST_F(ItemsGrid, LoadsTheClientsOpenItemsInTheOrderAnswered)
{
    Form().HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    LoadThreeItems();

    const auto calls = session.Fakes.BusinessLayer.CallsTo<KELO_N_PreVendas::clsPreVendas>(
        "SelecionarServicosEfetuadosEProdutosReservados");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Arguments.at(0).AsDouble(), 42.0);
    EXPECT_EQ(Grade().Rows(), 4);
    EXPECT_EQ(Grade().TextMatrix(1, 2), "Banho");
    EXPECT_EQ(Grade().TextMatrix(2, 0), "7891000100103");
    EXPECT_EQ(Grade().TextMatrix(2, 7), "2,5") << "the locale's text, no format";
    EXPECT_EQ(Grade().TextMatrix(2, 3), "") << "null reads as empty text";
    EXPECT_EQ(Grade().TextMatrix(1, 9), "-10");
    EXPECT_EQ(Grade().TextMatrix(3, 15), "103");
    EXPECT_EQ(Grade().TextMatrix(3, 18), "1");
    EXPECT_TRUE(Form().mbooGradePreenchida);
    EXPECT_FALSE(Form().qvnumQuantidade.Enabled()) << "value boxes are disabled after a load";
    EXPECT_FALSE(Form().picMensagem.Visible());
    EXPECT_EQ(Form().MousePointer(), platform::vbDefault);
    EXPECT_TRUE(Grade().Redraw());
}

TEST_F(ItemsGrid, AClientWithoutOpenItemsLeavesTheGridAsItWas)
{
    LoadThreeItems();
    AnswerOpenItems(support::ItensAbertos());
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(43);
    EXPECT_EQ(Grade().Rows(), 4);
    EXPECT_EQ(Grade().TextMatrix(1, 2), "Banho");
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
}

TEST_F(ItemsGrid, AFailingLoadIsReportedWithTheComponentsOwnFieldsAndChangesNothing)
{
    session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>(
        "SelecionarServicosEfetuadosEProdutosReservados",
        FakeAnswer::Error(5, "Arquivo bloqueado", "KELO_N_PreVendas, clsPreVendas, Selecionar"));
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);

    const auto reports = session.Fakes.ErrorMessages.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Numero.AsLong(), 5);
    EXPECT_EQ(reports[0].Descricao.AsString(), "Arquivo bloqueado");
    EXPECT_EQ(reports[0].Local.AsString(), "KELO_N_PreVendas, clsPreVendas, Selecionar");
    EXPECT_EQ(Grade().Rows(), 2);
    EXPECT_FALSE(Form().mbooGradePreenchida);
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
    EXPECT_EQ(Form().MousePointer(), platform::vbDefault);
}

TEST_F(ItemsGrid, AnErrorWhileWritingRowsIsReportedWithTheProceduresLocation)
{
    // A row set without the grid's fields: the first field read fails.
    AnswerOpenItems(support::RecordsetBuilder({"Codigo"}).Row({1}));
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);

    const auto reports = session.Fakes.ErrorMessages.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Numero.AsLong(), platform::errItemNotFound);
    EXPECT_EQ(reports[0].Local.AsString(),
              "KELO_A_PreVendas, frmPreVendas, "
              "PreencherGradeComServicosEfetuadosEProdutosReservados, Ponto: 4");
    EXPECT_EQ(reports[0].NomeDaAplicacao, "Kelo Pet Shop");
    EXPECT_FALSE(Form().mbooGradePreenchida);
}

TEST_F(ItemsGrid, RightClickOpensTheMenuOnDataRowsOnly)
{
    LoadThreeItems();
    Grade().UserRightClick(0);
    EXPECT_TRUE(session.Host.Popups().empty());

    Grade().UserRightClick(2);
    ASSERT_EQ(session.Host.Popups().size(), 1u);
    EXPECT_EQ(session.Host.Popups()[0].Menu, "mnuAlterarExcluir");
    EXPECT_EQ(Grade().Row(), 2);
    EXPECT_EQ(Grade().RowSel(), 2);
    EXPECT_EQ(Grade().Col(), 0);
    EXPECT_EQ(Grade().ColSel(), 18);
    EXPECT_TRUE(Grade().Redraw());
}

TEST_F(ItemsGrid, DraggingOverSeveralRowsEndsWithTheLastRowSelected)
{
    LoadThreeItems();
    Grade().UserDragSelect(1, 3);
    EXPECT_EQ(Grade().Row(), 3);
    EXPECT_EQ(Grade().RowSel(), 3);
    EXPECT_EQ(Grade().ColSel(), 18);
}

TEST_F(ItemsGrid, FocusStartsWheelScrollingThatPagesTheGrid)
{
    AnswerOpenItems([] {
        auto items = support::ItensAbertos();
        for (int i = 1; i <= 40; ++i)
            items.Row({5, i, "Banho", 3, "Rex", 0, "", 1, 40.0, 0.0, 0.0, 40.0, 0.0, 0.0, 0.0, i,
                       "", "2", 1});
        return items;
    }());
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);
    Grade().SetFocus();
    // One notch towards the user: 2655 / 240 rows = 11.
    platform::SendMessageA(Form().hWnd(), platform::WM_MOUSEWHEEL, -120 * 65536, 0);
    EXPECT_EQ(Grade().TopRow(), 12);
    Form().qvfApelidoOuNomeFantasiaDoCliente.SetFocus();
    platform::SendMessageA(Form().hWnd(), platform::WM_MOUSEWHEEL, -120 * 65536, 0);
    EXPECT_EQ(Grade().TopRow(), 12) << "leaving the grid ends wheel scrolling";
}

} // namespace
