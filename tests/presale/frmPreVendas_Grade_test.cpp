#include "ScreenTest.h"

namespace presale_test {
namespace {

class ItemsGrid : public Screen {
protected:
    platform::Grid& Grade() { return Form().msfgGrade; }

    void LoadThreeItems()
    {
        const auto null = platform::Variant::Null();
        AnswerOpenItems(support::ItensAbertos()
                            .Row({5, 12, "Banho", 3, "Rex", 7, "Ana", 1, 40.0, -10.0, -4.0, 36.0,
                                  20.0, 5.0, 1.8, 101, null, "2", 1})
                            .Row({"7891000100103", 33, "Ração 1kg", null, null, 0, null, 2.5, 12.9,
                                  0.0, 0.0, 32.25, 8.0, 0.0, 0.0, 102, "KG", "2", 2})
                            .Row({6, 14, "Hospedagem", 3, "Rex", 0, "", 2, 80.0, 0.0, 0.0, 160.0,
                                  0.0, 0.0, 0.0, 103, "", "2", 1}));
        Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);
    }
};

TEST_F(ItemsGrid, IsLaidOutWithItsNineteenColumns)
{
    struct Column {
        int32_t col;
        const char* header;
        int32_t width, sortType;
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

TEST_F(ItemsGrid, LoadsTheOpenItemsAsAnsweredAndAnEmptyAnswerLeavesThemThere)
{
    Form().HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    Forget();
    LoadThreeItems();
    const auto calls =
        Calls<KELO_N_PreVendas::clsPreVendas>("SelecionarServicosEfetuadosEProdutosReservados");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Arguments.at(0).AsDouble(), 42.0);
    EXPECT_EQ(Grade().Rows(), 4);
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

    AnswerOpenItems(support::ItensAbertos());
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(43);
    EXPECT_EQ(Grade().Rows(), 4);
    EXPECT_EQ(Grade().TextMatrix(1, 2), "Banho");
    EXPECT_FALSE(Dark());
}

TEST_F(ItemsGrid, AFailingLoadIsReportedWhereItHappenedAndFillsNothing)
{
    struct Row {
        FakeAnswer answer;
        const char* report;
    };
    const Row rows[] = {
        {FakeAnswer::Error(5, "Arquivo bloqueado", "KELO_N_PreVendas, clsPreVendas, Selecionar"),
         "5 @ KELO_N_PreVendas, clsPreVendas, Selecionar\n"},
        // A row set without the grid's fields: the first field read fails.
        {FakeAnswer::WithRows(RecordsetBuilder({"Codigo"}).Row({1}).Build()),
         "3265 @ KELO_A_PreVendas, frmPreVendas, "
         "PreencherGradeComServicosEfetuadosEProdutosReservados, Ponto: 4\n"},
    };
    for (const Row& row : rows) {
        Forget();
        Answer<KELO_N_PreVendas::clsPreVendas>("SelecionarServicosEfetuadosEProdutosReservados",
                                               row.answer);
        Form().PreencherGradeComServicosEfetuadosEProdutosReservados(42);
        EXPECT_EQ(Reports(), row.report);
        const auto report = session.Fakes.ErrorMessages.Reports().at(0);
        EXPECT_EQ(report.NomeDaAplicacao, "Kelo Pet Shop");
        if (row.answer.NumeroDoErro != 0) {
            EXPECT_EQ(report.Descricao.AsString(), row.answer.DescricaoDoErro);
        }
        EXPECT_EQ(Grade().Rows(), 2);
        EXPECT_FALSE(Form().mbooGradePreenchida);
        EXPECT_FALSE(Dark());
        EXPECT_EQ(Form().MousePointer(), platform::vbDefault);
    }
}

TEST_F(ItemsGrid, RightClickOpensTheMenuOnDataRowsOnlyAndSelectionsSpanTheRow)
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

    Grade().UserDragSelect(1, 3);
    EXPECT_EQ(Grade().Row(), 3);
    EXPECT_EQ(Grade().RowSel(), 3);
    EXPECT_EQ(Grade().ColSel(), 18);
}

TEST_F(ItemsGrid, FocusStartsWheelScrollingThatPagesTheGrid)
{
    auto items = support::ItensAbertos();
    for (int i = 1; i <= 40; ++i)
        items.Row({5, i, "Banho", 3, "Rex", 0, "", 1, 40.0, 0.0, 0.0, 40.0, 0.0, 0.0, 0.0, i, "",
                   "2", 1});
    AnswerOpenItems(items);
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
} // namespace presale_test
