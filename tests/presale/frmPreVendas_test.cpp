#include "ScreenTest.h"

#include "platform/Runtime.h"

namespace presale_test {
namespace {

using PreVendasScreen = Screen;

// The start scenario reads the layout; here the parent, the wait, the client boxes' style and
// the work area, stretched over the form on the first resize only.
TEST_F(PreVendasScreen, StartsUnderTheWorkAreaWithTheWaitPanelShownForASecond)
{
    EXPECT_EQ(Read({"qvnumPercentualDeDescontoPorItem.Text", "qvnumValorDeDescontoPorItem.Text",
                    "qvfNomeOuRazaoSocialDoCliente.Enabled", "qvfCodigoDoCliente.Style"}),
              "0,00 | 0,00 | Verdadeiro | 2");
    // Each pause step moves the headless clock by 0,05 s: a second is 20 of them.
    // The overlay once applied and once removed.
    EXPECT_EQ(Join(platform::GetParent(Form().hWnd()) == session.WorkArea,
                   static_cast<int32_t>(session.Fakes.DarkOverlay.Calls().size()), Dark(),
                   session.Host.DoEventsCount() >= 20, Reports()),
              "Verdadeiro | 2 | Falso | Verdadeiro | ");
    const auto& area = Form().picAreaDeTrabalho;
    EXPECT_EQ(Join(area.Left(), area.Width(), area.Height()),
              Join(0, Form().ScaleWidth(), Form().ScaleHeight()));
    Form().Move(0, 0, 20000, 12000);
    EXPECT_EQ(Join(area.Width(), area.Height()), "15240 | 10230");
}

TEST_F(PreVendasScreen, ProductModeTakesThePlacesOfTheServiceBoxesAndEachModeEmptiesTheOther)
{
    frmPreVendas& form = Form();
    form.optProduto.Value = true;
    const std::pair<platform::Control*, platform::Control*> overlaid[] = {
        {&form.qvfCodigoDeBarrasDoProduto, &form.qvcmbTiposDeServicos},
        {&form.qvfNomeDoProduto, &form.qvfNomeDoServico},
        {&form.qvfCodigoInternoDoProduto, &form.qvcmbAnimal},
    };
    for (auto [product, service] : overlaid) {
        EXPECT_EQ(Join(product->Left() - service->Left(), product->Top() - service->Top(),
                       product->Visible() && product->Enabled(), service->Visible()),
                  "0 | 0 | Verdadeiro | Falso")
            << product->Name();
    }
    EXPECT_EQ(form.qvfCodigoInternoDoProduto.Width(), form.qvcmbAnimal.Width());
    EXPECT_EQ(Read({"qvnumQuantidade.Text", "lblNomeDoServicoOuNomeDoProduto.Caption",
                    "lblCodigoDoServico.Visible"}),
              "0,000 | Nome do produto | Falso");

    form.qvfNomeDoProduto.Text = "RACAO";
    form.optServico.Value = true;
    EXPECT_EQ(Read({"qvnumQuantidade.Text", "qvfNomeDoProduto.Visible", "qvfNomeDoProduto.Enabled",
                    "qvfNomeDoProduto.Text", "qvfNomeDoProduto.Modo", "qvfNomeDoServico.Visible",
                    "lblNomeDoServicoOuNomeDoProduto.Caption"}),
              "0 | Falso | Falso |  | 2 | Verdadeiro | Nome do serviço");
}

TEST_F(PreVendasScreen, EnablingLeavesAnAnimalListOfOneOrNoEntryAsItWasAndWhitensTheValues)
{
    struct Row {
        int entries;
        bool enabledBefore, enabledAfter;
    };
    const Row rows[] = {{0, false, false}, {0, true, true},  {1, false, false},
                        {1, true, true},   {2, false, true}, {3, true, true}};
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        form.qvcmbAnimal.Clear();
        for (int i = 0; i < row.entries; ++i)
            form.qvcmbAnimal.AddItem("Animal " + std::to_string(i));
        form.qvcmbAnimal.Enabled = row.enabledBefore;
        form.HabilitarDesabilitarCampos(true);
        EXPECT_EQ(form.qvcmbAnimal.Enabled(), row.enabledAfter) << row.entries << " entries";
        form.HabilitarDesabilitarCampos(false);
        EXPECT_FALSE(form.qvcmbAnimal.Enabled());
    }
    form.HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    const std::string enabled =
        Join(form.qvcmbComissionado.Enabled(), form.qvnumQuantidade.BackColor());
    form.HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    EXPECT_EQ(Join(enabled, form.qvnumValorDeDescontoPorItem.Enabled(),
                   form.qvnumValorDeDescontoPorItem.BackColor()),
              Join(true, platform::RGB(255, 255, 255), false, platform::RGB(249, 249, 249)));
}

TEST_F(PreVendasScreen, TheWaitPanelIsShownOnceUntilHiddenAndComesBackRoundedAndCentred)
{
    // Each step: show (with or without the panel) or hide; then the overlay calls made so far,
    // the panel's width and the mouse pointer.
    enum Step { ComPainel, SemPainel, Ocultar };
    struct Row {
        std::vector<Step> steps;
        int32_t overlayCalls;
        int32_t width;
        int16_t pointer;
    };
    const Row rows[] = {
        {{ComPainel, ComPainel}, 1, 5010, platform::vbDefault},
        {{ComPainel, Ocultar, Ocultar}, 2, 5010, platform::vbDefault},
        {{SemPainel}, 1, 0, platform::vbHourglass},
        // A busy state without the panel still counts as shown.
        {{SemPainel, ComPainel}, 1, 0, platform::vbHourglass},
        {{SemPainel, Ocultar, ComPainel}, 3, 5010, platform::vbDefault},
    };
    frmPreVendas& form = Form();
    for (const Row& row : rows) {
        const size_t before = session.Fakes.DarkOverlay.Calls().size();
        for (Step step : row.steps)
            form.ExibirOcultarpicMensagem(step != Ocultar, step == ComPainel);
        EXPECT_EQ(Join(static_cast<int32_t>(session.Fakes.DarkOverlay.Calls().size() - before),
                       form.picMensagem.Width(), form.MousePointer()),
                  Join(row.overlayCalls, row.width, row.pointer));
        if (&row != &rows[std::size(rows) - 1])
            form.ExibirOcultarpicMensagem(false);
    }
    // One panel height above the vertical centre of the form's outer size.
    const auto region = platform::WindowSystem::WindowRegion(form.picMensagem.hWnd());
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(Join(form.picMensagem.Height(), form.picMensagem.Top(), form.picMensagem.Left(),
                   region->Bounds.Right, region->Bounds.Bottom, region->EllipseWidth, Dark()),
              Join(570, 10230 / 2 - 570 / 2 - 570, 15240 / 2 - 5010 / 2,
                   5010 / platform::TwipsPerPixel, 570 / platform::TwipsPerPixel, 30, true));
}

TEST_F(PreVendasScreen, LimparCamposReturnsToNoClient)
{
    frmPreVendas& form = Form();
    {
        platform::UserAction typing;
        form.qvfApelidoOuNomeFantasiaDoCliente.Text = "Rex";
        form.qvfCodigoDoCliente.Enabled = false;
        form.lblQuantidade.ForeColor = platform::RGB(255, 0, 0);
        form.lblCliente.ForeColor = platform::RGB(255, 0, 0);
        form.optProduto.Value = true;
        form.qvnumTotal.Text = "10,00";
        form.msfgGrade.AddItem("x");
    }
    {
        platform::UserAction click;
        form.qvcmdLimparCampos.UserClick();
        EXPECT_TRUE(g::gbooIgnorarProximoEvento);
    }
    EXPECT_FALSE(g::gbooIgnorarProximoEvento)
        << "the one-shot flag is down once the action has been handled";
    // The client heading keeps its colour.
    EXPECT_EQ(Join(form.lblQuantidade.ForeColor(), form.lblCliente.ForeColor(),
                   form.mbooGradePreenchida,
                   platform::Screen::ActiveControl() == &form.qvfApelidoOuNomeFantasiaDoCliente),
              Join(platform::RGB(73, 73, 73), platform::RGB(255, 0, 0), false, true));
    EXPECT_EQ(
        Read({"qvfApelidoOuNomeFantasiaDoCliente.Text", "qvfApelidoOuNomeFantasiaDoCliente.Modo",
              "qvfCodigoDoCliente.Enabled", "optServico.Value", "qvnumTotal.Text", "msfgGrade.Rows",
              "optServico.Enabled", "qvnumQuantidade.Enabled"}),
        " | 2 | Verdadeiro | Verdadeiro | 0,00 | 2 | Falso | Falso");
}

// ---- The items grid

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
    for (const Column& column : columns) {
        EXPECT_EQ(Join(Grade().TextMatrix(0, column.col), Grade().ColWidth(column.col),
                       Grade().ColData(column.col)),
                  Join(column.header, column.width, column.sortType));
    }
    // Sorted once, by the hidden first column: the icon sits where nobody sees it.
    EXPECT_EQ(Join(Grade().Cols(), Grade().FixedRows(), Grade().FixedCols(),
                   Grade().SelectionMode() == platform::flexSelectionByRow,
                   Grade().ColAlignment(7) == platform::flexAlignRightCenter,
                   Grade().CellPictureAt(0, 0), Form().mintColunaClassificada,
                   Form().mintTipoDeClassificacao == platform::flexSortStringAscending),
              "19 | 1 | 0 | Verdadeiro | Verdadeiro | Classificacao_Crescente | 0 | Verdadeiro");
}

TEST_F(ItemsGrid, LoadsTheOpenItemsAsAnsweredAndAnEmptyAnswerLeavesThemThere)
{
    Form().HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    LoadThreeItems();
    // The locale's text, no format; null reads as empty text; value boxes disabled after a load.
    EXPECT_EQ(Join(Grade().Rows(), Grade().TextMatrix(2, 0), Grade().TextMatrix(2, 7),
                   Grade().TextMatrix(2, 3), Grade().TextMatrix(1, 9), Grade().TextMatrix(3, 15),
                   Grade().TextMatrix(3, 18), Form().mbooGradePreenchida,
                   Form().qvnumQuantidade.Enabled(), Form().picMensagem.Visible(),
                   Form().MousePointer() == platform::vbDefault, Grade().Redraw()),
              "4 | 7891000100103 | 2,5 |  | -10 | 103 | 1 | Verdadeiro | Falso | Falso | "
              "Verdadeiro | Verdadeiro");

    AnswerOpenItems(support::ItensAbertos());
    Form().PreencherGradeComServicosEfetuadosEProdutosReservados(43);
    EXPECT_EQ(Join(Grade().Rows(), Grade().TextMatrix(1, 2), Dark()), "4 | Banho | Falso");
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
        EXPECT_EQ(Join(Grade().Rows(), Form().mbooGradePreenchida, Dark(), Form().MousePointer()),
                  Join(2, false, false, platform::vbDefault));
    }
}

TEST_F(ItemsGrid, RightClickOpensTheMenuOnDataRowsOnlyAndSelectionsSpanTheRow)
{
    LoadThreeItems();
    Grade().UserRightClick(0);
    EXPECT_TRUE(session.Host.Popups().empty());
    Grade().UserRightClick(2);
    ASSERT_EQ(session.Host.Popups().size(), 1u);
    const auto selection = [&] {
        return Join(Grade().Row(), Grade().RowSel(), Grade().Col(), Grade().ColSel());
    };
    EXPECT_EQ(Join(session.Host.Popups()[0].Menu, selection(), Grade().Redraw()),
              "mnuAlterarExcluir | 2 | 2 | 0 | 18 | Verdadeiro");
    Grade().UserDragSelect(1, 3);
    EXPECT_EQ(selection(), "3 | 3 | 0 | 18");
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

// ---- Starting

// No service types at all is the empty-store scenario; a failing component is reported.
TEST(PreVendasStart, ServiceTypesThatCannotBeLoadedLeaveTheWorkAreaHiddenAndTheOverlayRemoved)
{
    PreVendasSession session;
    session.Fakes.BusinessLayer.Answer<KELO_N_TipoDeServ::clsTiposDeServ>(
        "SelecionarParaComboBox",
        FakeAnswer::Error(-2147467259, "Banco de dados indisponível",
                          "KELO_N_TipoDeServ, clsTiposDeServ, SelecionarParaComboBox"));
    session.Start();
    EXPECT_EQ(Join(session.Form().picAreaDeTrabalho.Visible(), session.Form().picMensagem.Visible(),
                   session.Fakes.DarkOverlay.IsDark(session.MenuWindow),
                   static_cast<int32_t>(session.Host.MessageBoxes().size()),
                   support::ReportLines(session.Fakes.ErrorMessages)),
              "Falso | Falso | Falso | 0 | -2147467259 @ KELO_N_TipoDeServ, clsTiposDeServ, "
              "SelecionarParaComboBox\n");
}

} // namespace
} // namespace presale_test
