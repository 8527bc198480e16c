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
