#include "ScreenTest.h"

#include "platform/Runtime.h"

#include <string>
#include <vector>

namespace presale_test {
namespace {

using PreVendasScreen = Screen;

// The start scenario reads the layout; here the parent, the wait and the client boxes' style.
TEST_F(PreVendasScreen, StartsUnderTheWorkAreaWithTheWaitPanelShownForASecond)
{
    EXPECT_EQ(Read({"qvnumPercentualDeDescontoPorItem.Text", "qvnumValorDeDescontoPorItem.Text",
                    "qvfNomeOuRazaoSocialDoCliente.Enabled", "qvfCodigoDoCliente.Style"}),
              "0,00 | 0,00 | Verdadeiro | 2");
    EXPECT_EQ(platform::GetParent(Form().hWnd()), session.WorkArea);
    EXPECT_EQ(session.Fakes.DarkOverlay.Applied(session.MenuWindow), 1);
    EXPECT_FALSE(Dark());
    // Each pause step moves the headless clock by 0,05 s.
    EXPECT_GE(session.Host.DoEventsCount(), 20);
    EXPECT_EQ(Reports(), "");
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
        EXPECT_EQ(product->Left(), service->Left()) << product->Name();
        EXPECT_EQ(product->Top(), service->Top()) << product->Name();
        EXPECT_TRUE(product->Visible() && product->Enabled()) << product->Name();
        EXPECT_FALSE(service->Visible()) << service->Name();
    }
    EXPECT_EQ(form.qvfCodigoInternoDoProduto.Width(), form.qvcmbAnimal.Width());
    EXPECT_EQ(Read({"qvnumQuantidade.Text", "lblNomeDoServicoOuNomeDoProduto.Caption",
                    "lblCodigoDoServico.Visible"}),
              "0,000 | Nome do produto | Falso");

    form.qvfNomeDoProduto.Text = "RACAO";
    form.qvfCodigoInternoDoProduto.TextoAuxiliar = "12";
    form.optServico.Value = true;
    EXPECT_EQ(Read({"qvnumQuantidade.Text", "qvfNomeDoProduto.Visible", "qvfNomeDoProduto.Enabled",
                    "qvfNomeDoProduto.Text", "qvfNomeDoProduto.Modo",
                    "qvfCodigoInternoDoProduto.TextoAuxiliar", "qvfNomeDoServico.Visible",
                    "lblNomeDoServicoOuNomeDoProduto.Caption"}),
              "0 | Falso | Falso |  | 2 |  | Verdadeiro | Nome do serviço");
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
    EXPECT_TRUE(form.qvcmbComissionado.Enabled());
    EXPECT_EQ(form.qvnumQuantidade.BackColor(), platform::RGB(255, 255, 255));
    form.HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    EXPECT_FALSE(form.qvnumValorDeDescontoPorItem.Enabled());
    EXPECT_EQ(form.qvnumValorDeDescontoPorItem.BackColor(), platform::RGB(249, 249, 249));
}

TEST_F(PreVendasScreen, TheWaitPanelIsShownOnceUntilHiddenAndComesBackRoundedAndCentred)
{
    // Each step: show (with or without the panel) or hide; then the overlay calls made so far,
    // the panel's width and the mouse pointer.
    enum Step { ComPainel, SemPainel, Ocultar };
    struct Row {
        std::vector<Step> steps;
        size_t overlayCalls;
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
        EXPECT_EQ(session.Fakes.DarkOverlay.Calls().size() - before, row.overlayCalls);
        EXPECT_EQ(form.picMensagem.Width(), row.width);
        EXPECT_EQ(form.MousePointer(), row.pointer);
        if (&row != &rows[std::size(rows) - 1])
            form.ExibirOcultarpicMensagem(false);
    }
    EXPECT_EQ(form.picMensagem.Height(), 570);
    // One panel height above the vertical centre of the form's outer size.
    EXPECT_EQ(form.picMensagem.Top(), 10230 / 2 - 570 / 2 - 570);
    EXPECT_EQ(form.picMensagem.Left(), 15240 / 2 - 5010 / 2);
    const auto region = platform::WindowSystem::WindowRegion(form.picMensagem.hWnd());
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->Bounds.Right, 5010 / platform::TwipsPerPixel);
    EXPECT_EQ(region->Bounds.Bottom, 570 / platform::TwipsPerPixel);
    EXPECT_EQ(region->EllipseWidth, 30);
    EXPECT_TRUE(Dark());
}

TEST_F(PreVendasScreen, WorkAreaIsStretchedOverTheFormOnlyOnTheFirstResize)
{
    frmPreVendas& form = Form();
    EXPECT_EQ(form.picAreaDeTrabalho.Left(), 0);
    EXPECT_EQ(form.picAreaDeTrabalho.Width(), form.ScaleWidth());
    EXPECT_EQ(form.picAreaDeTrabalho.Height(), form.ScaleHeight());
    form.Move(0, 0, 20000, 12000);
    EXPECT_EQ(form.picAreaDeTrabalho.Width(), 15240);
    EXPECT_EQ(form.picAreaDeTrabalho.Height(), 10230);
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
    EXPECT_EQ(form.lblQuantidade.ForeColor(), platform::RGB(73, 73, 73));
    EXPECT_EQ(form.lblCliente.ForeColor(), platform::RGB(255, 0, 0))
        << "the client heading keeps its colour";
    EXPECT_EQ(
        Read({"qvfApelidoOuNomeFantasiaDoCliente.Text", "qvfApelidoOuNomeFantasiaDoCliente.Modo",
              "qvfCodigoDoCliente.Enabled", "optServico.Value", "qvnumTotal.Text", "msfgGrade.Rows",
              "optServico.Enabled", "qvnumQuantidade.Enabled"}),
        " | 2 | Verdadeiro | Verdadeiro | 0,00 | 2 | Falso | Falso");
    EXPECT_FALSE(form.mbooGradePreenchida);
    EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvfApelidoOuNomeFantasiaDoCliente);
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
    EXPECT_FALSE(session.Form().picAreaDeTrabalho.Visible());
    EXPECT_FALSE(session.Form().picMensagem.Visible());
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
    EXPECT_TRUE(session.Host.MessageBoxes().empty());
    const auto reports = session.Fakes.ErrorMessages.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Local.AsString() + " | " + reports[0].Descricao.AsString() + " | " +
                  reports[0].NomeDaAplicacao + " | " + reports[0].Numero.AsString(),
              "KELO_N_TipoDeServ, clsTiposDeServ, SelecionarParaComboBox | Banco de dados "
              "indisponível | Kelo Pet Shop | -2147467259");
}

TEST(PreVendasStart, EachCallBuildsANewIndependentForm)
{
    PreVendasSession session;
    session.Start();
    std::weak_ptr<frmPreVendas> first = g::gfrmPreVendas;
    session.Start();
    EXPECT_TRUE(first.expired()) << "the component keeps no reference to the first form";
    EXPECT_TRUE(session.Form().picAreaDeTrabalho.Visible());
    EXPECT_EQ(g::glngFomularioDoMenu_hWnd, session.MenuWindow);
}

} // namespace
} // namespace presale_test
