// frmPreVendas: the controls and their wiring, start-up, the two item modes, which boxes are
// enabled or cleared when, the wait panel, and "Limpar campos".
#include "presale/frmPreVendas.h"

#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Pictures.h"
#include "platform/WindowSystem.h"
#include "screen_services/modArredondarCantosDoObjeto.h"
#include "screen_services/modFundoEscuro.h"
#include "screen_services/modPausar.h"
#include "search/MolduraDePesquisa.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace KELO_A_PreVendas {

namespace {

// Labels sit just above the box they name.
constexpr int32_t AlturaDoRotulo = 240;
constexpr int32_t DistanciaDoRotulo = 270;

void ColocarRotuloSobre(platform::Label& rotulo, const platform::Control& controle)
{
    rotulo.Move(controle.Left, controle.Top - DistanciaDoRotulo, controle.Width, AlturaDoRotulo);
}

void DesenharBotao(suite_controls::QVCommandButton& botao, const char* legenda)
{
    botao.Caption = legenda;
    botao.Style = 2;
    botao.IconSize = 20;
    botao.IconAlign = 1;
    botao.FontName = "Arial";
    botao.FontSize = 11.25;
    botao.FontBold = true;
}

} // namespace

void PintarRotulos(platform::Control& recipiente,
                   const std::vector<const platform::Control*>& exceto)
{
    for (platform::Control* controle : recipiente.Children()) {
        if (auto* rotulo = dynamic_cast<platform::Label*>(controle)) {
            if (std::find(exceto.begin(), exceto.end(), rotulo) == exceto.end())
                rotulo->ForeColor = CorDosRotulos;
        }
        PintarRotulos(*controle, exceto);
    }
}

frmPreVendas::frmPreVendas() : platform::Form("frmPreVendas")
{
    DesenharControles();
    ConectarEventos();
}

frmPreVendas::~frmPreVendas() = default;

void frmPreVendas::DesenharControles()
{
    BorderStyle = 0;
    Move(0, 0, 15240, 10230);

    picMensagem.Move(0, 0, 5010, 570);
    picMensagem.Picture = platform::pictures::MensagemDeEspera;
    picMensagem.Visible = false;
    picAreaDeTrabalho.Move(45, 360, 14895, 8415);

    qvfApelidoOuNomeFantasiaDoCliente.Move(375, 690, 4215, 405);
    qvfNomeOuRazaoSocialDoCliente.Move(4725, 690, 8355, 405);
    qvfCodigoDoCliente.Move(13215, 690, 1590, 405);
    qvfCodigoDoCliente.Style = 2;
    lblCliente.Move(375, 150, 4215, AlturaDoRotulo);
    ColocarRotuloSobre(lblApelidoOuNomeFantasiaDoCliente, qvfApelidoOuNomeFantasiaDoCliente);
    ColocarRotuloSobre(lblNomeOuRazaoSocialDoCliente, qvfNomeOuRazaoSocialDoCliente);
    ColocarRotuloSobre(lblCodigoDoCliente, qvfCodigoDoCliente);

    optServico.Move(390, 1718, 1275, 375);
    optProduto.Move(1665, 1718, 1380, 375);
    optServico.Value = true;

    qvcmbTiposDeServicos.Move(375, 2430, 4215, 405);
    qvfNomeDoServico.Move(4725, 2430, 8355, 405);
    qvfCodigoDoServico.Move(13215, 2430, 1590, 405);
    qvfCodigoDoServico.Style = 2;
    ColocarRotuloSobre(lblTipoDeServicoOuCodigoDeBarrasDoProduto, qvcmbTiposDeServicos);
    ColocarRotuloSobre(lblNomeDoServicoOuNomeDoProduto, qvfNomeDoServico);
    ColocarRotuloSobre(lblCodigoDoServico, qvfCodigoDoServico);
    qvfCodigoDeBarrasDoProduto.Move(375, 2430, 4215, 405);
    qvfNomeDoProduto.Move(4725, 2430, 8355, 405);

    qvcmbAnimal.Move(375, 3270, 4215, 405);
    qvfCodigoInternoDoProduto.Move(375, 3270, 4215, 405);
    qvfCodigoInternoDoProduto.Style = 2;
    ColocarRotuloSobre(lblNomeDoAnimalOuCodigoInternoDoProduto, qvcmbAnimal);
    qvcmbComissionado.Move(4725, 3270, 3135, 405);
    ColocarRotuloSobre(lblComissionado, qvcmbComissionado);

    qvnumQuantidade.Move(7995, 3270, 1170, 405);
    qvnumQuantidade.Text = "0,000";
    qvnumQuantidade.FormatType = 2;
    qvnumQuantidade.BackColor = CorDeFundoHabilitado;
    qvnumValorUnitario.Move(9300, 3270, 1170, 405);
    qvnumPercentualDeDescontoPorItem.Move(10605, 3270, 1170, 405);
    qvnumValorDeDescontoPorItem.Move(11910, 3270, 1170, 405);
    for (suite_controls::QVNumberBox* caixa :
         {&qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem, &qvnumValorDeDescontoPorItem}) {
        caixa->Text = "0,00";
        caixa->BackColor = CorDeFundoDesabilitado;
    }
    for (suite_controls::QVNumberBox* caixa :
         {&qvnumQuantidade, &qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem,
          &qvnumValorDeDescontoPorItem}) {
        caixa->Alignment = 1;
    }
    ColocarRotuloSobre(lblQuantidade, qvnumQuantidade);
    ColocarRotuloSobre(lblValorUnitario, qvnumValorUnitario);
    ColocarRotuloSobre(lblPercentualDeDescontoPorItem, qvnumPercentualDeDescontoPorItem);
    ColocarRotuloSobre(lblValorDeDescontoPorItem, qvnumValorDeDescontoPorItem);
    qvcmdAdicionar.Move(13215, 3255, 1590, 420);
    DesenharBotao(qvcmdAdicionar, "Adicionar");

    msfgGrade.Move(390, 3840, 14415, 2655);
    // The entry row leaves only a narrow gap above the grid for its heading.
    lblItensDaPreVenda.Move(msfgGrade.Left, msfgGrade.Top - 180, msfgGrade.Width, 180);
    ilClassificacaoDaGrade.Add(platform::pictures::ClassificacaoCrescente,
                               platform::pictures::ClassificacaoCrescente);
    ilClassificacaoDaGrade.Add(platform::pictures::ClassificacaoDecrescente,
                               platform::pictures::ClassificacaoDecrescente);

    qvcmdAlterar.Move(11475, 6922, 1575, 420);
    DesenharBotao(qvcmdAlterar, "Alterar");
    qvcmdRemover.Move(13200, 6922, 1590, 420);
    DesenharBotao(qvcmdRemover, "Remover");
    qvnumTotal.Move(390, 6930, 2025, 405);
    qvnumDesconto.Move(2550, 6930, 2040, 405);
    qvnumLiquidoAPagar.Move(4725, 6930, 3135, 405);
    for (suite_controls::QVNumberBox* caixa : {&qvnumTotal, &qvnumDesconto, &qvnumLiquidoAPagar}) {
        caixa->Text = "0,00";
        caixa->Locked = true;
        caixa->Alignment = 1;
    }
    ColocarRotuloSobre(lblTotal, qvnumTotal);
    ColocarRotuloSobre(lblDesconto, qvnumDesconto);
    ColocarRotuloSobre(lblLiquidoAPagar, qvnumLiquidoAPagar);
    qvcmdLimparCampos.Move(8010, 7680, 3315, 450);
    DesenharBotao(qvcmdLimparCampos, "Limpar campos");
    qvcmdImprimirPreVenda.Move(11475, 7680, 3315, 450);
    DesenharBotao(qvcmdImprimirPreVenda, "Imprimir pré-venda");
    lblObservacaoDeCamposObrigatorios.Move(390, 7800, 3000, AlturaDoRotulo);

    PintarRotulos(*this, {});
    lblObservacaoDeCamposObrigatorios.ForeColor = platform::RGB(128, 128, 128);

    mnuAlterarExcluir.Visible = false;
}

void frmPreVendas::ConectarEventos()
{
    Resize.Connect([this] { Form_Resize(); });
    // Closing the screen stores back an item taken back; when that fails the screen stays.
    QueryUnload.Connect([this](int16_t& cancelar, int16_t) {
        if (!DevolverItemRetomado())
            cancelar = 1;
    });
    optServico.Click.Connect([this] { optServico_Click(); });
    optProduto.Click.Connect([this] { optProduto_Click(); });
    qvcmdLimparCampos.Click.Connect([this] { qvcmdLimparCampos_Click(); });
    qvcmdAdicionar.Click.Connect([this] { qvcmdAdicionar_Click(); });
    qvcmdImprimirPreVenda.Click.Connect([this] { qvcmdImprimirPreVenda_Click(); });
    // The counter's keys: none is a key a find box or a number box takes for itself.
    suite_controls::DefinirTeclaDeAtalho(qvcmdAdicionar, platform::vbKeyF5);
    suite_controls::DefinirTeclaDeAtalho(qvcmdLimparCampos, platform::vbKeyF8);
    suite_controls::DefinirTeclaDeAtalho(qvcmdImprimirPreVenda, platform::vbKeyF9);
    qvcmdAlterar.Click.Connect([this] { qvcmdAlterar_Click(); });
    qvcmdRemover.Click.Connect([this] { qvcmdRemover_Click(); });
    mnuAlterar.Click.Connect([this] { mnuAlterar_Click(); });
    mnuExcluir.Click.Connect([this] { mnuExcluir_Click(); });
    qvfCodigoDoCliente.Click.Connect([this] { qvfCodigoDoCliente_Click(); });
    qvfApelidoOuNomeFantasiaDoCliente.Click.Connect(
        [this] { qvfApelidoOuNomeFantasiaDoCliente_Click(); });
    qvfNomeOuRazaoSocialDoCliente.Click.Connect([this] { qvfNomeOuRazaoSocialDoCliente_Click(); });
    qvfCodigoDoCliente.KeyDown.Connect(
        [this](int16_t& codigo, int16_t shift) { qvfCodigoDoCliente_KeyDown(codigo, shift); });
    qvfApelidoOuNomeFantasiaDoCliente.KeyDown.Connect([this](int16_t& codigo, int16_t shift) {
        qvfApelidoOuNomeFantasiaDoCliente_KeyDown(codigo, shift);
    });
    qvfNomeOuRazaoSocialDoCliente.KeyDown.Connect([this](int16_t& codigo, int16_t shift) {
        qvfNomeOuRazaoSocialDoCliente_KeyDown(codigo, shift);
    });
    qvcmbTiposDeServicos.Click.Connect([this] { qvcmbTiposDeServicos_Click(); });
    qvfCodigoDoServico.Click.Connect([this] { qvfCodigoDoServico_Click(); });
    qvfNomeDoServico.Click.Connect([this] { qvfNomeDoServico_Click(); });
    qvfCodigoDoServico.KeyDown.Connect(
        [this](int16_t& codigo, int16_t shift) { qvfCodigoDoServico_KeyDown(codigo, shift); });
    qvfNomeDoServico.KeyDown.Connect(
        [this](int16_t& codigo, int16_t shift) { qvfNomeDoServico_KeyDown(codigo, shift); });
    qvfCodigoDeBarrasDoProduto.Click.Connect([this] { qvfCodigoDeBarrasDoProduto_Click(); });
    qvfCodigoInternoDoProduto.Click.Connect([this] { qvfCodigoInternoDoProduto_Click(); });
    qvfNomeDoProduto.Click.Connect([this] { qvfNomeDoProduto_Click(); });
    qvfCodigoDeBarrasDoProduto.KeyDown.Connect([this](int16_t& codigo, int16_t shift) {
        qvfCodigoDeBarrasDoProduto_KeyDown(codigo, shift);
    });
    qvfCodigoInternoDoProduto.KeyDown.Connect([this](int16_t& codigo, int16_t shift) {
        qvfCodigoInternoDoProduto_KeyDown(codigo, shift);
    });
    qvfNomeDoProduto.KeyDown.Connect(
        [this](int16_t& codigo, int16_t shift) { qvfNomeDoProduto_KeyDown(codigo, shift); });
    msfgGrade.GotFocus.Connect([this] { msfgGrade_GotFocus(); });
    msfgGrade.LostFocus.Connect([this] { msfgGrade_LostFocus(); });
    msfgGrade.KeyDown.Connect(
        [this](int16_t& codigo, int16_t shift) { msfgGrade_KeyDown(codigo, shift); });
    msfgGrade.SelChange.Connect([this] { msfgGrade_SelChange(); });
    msfgGrade.Click.Connect([this] { msfgGrade_Click(); });
    msfgGrade.DblClick.Connect([this] { msfgGrade_DblClick(); });
    msfgGrade.MouseDown.Connect([this](int16_t botao, int16_t shift, float x, float y) {
        msfgGrade_MouseDown(botao, shift, x, y);
    });
    ConectarEventosDeValores();
}

int16_t frmPreVendas::MontarExibirFormulario(int32_t AreaDeTrabalho_hWnd)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, MontarExibirFormulario, Ponto: ", [&](int16_t& ponto) -> int16_t {
            mlonNumeroDeLancamentoGerado = 0;
            platform::SetParent(hWnd(), AreaDeTrabalho_hWnd);
            ConfigurarObjetos(false);
            ponto = 2;
            qvfCodigoDeBarrasDoProduto.Top = qvcmbTiposDeServicos.Top;
            qvfCodigoDeBarrasDoProduto.Left = qvcmbTiposDeServicos.Left;
            qvfCodigoDeBarrasDoProduto.Width = qvcmbTiposDeServicos.Width;
            qvfNomeDoProduto.Top = qvfNomeDoServico.Top;
            qvfNomeDoProduto.Left = qvfNomeDoServico.Left;
            qvfNomeDoProduto.Width = 10080;
            qvfCodigoInternoDoProduto.Top = qvcmbAnimal.Top;
            qvfCodigoInternoDoProduto.Left = qvcmbAnimal.Left;
            qvfCodigoInternoDoProduto.Width = qvcmbAnimal.Width;
            ponto = 3;
            mintAlturaDopicMensagem = static_cast<int16_t>(picMensagem.Height);
            mintLarguraDopicMensagem = static_cast<int16_t>(picMensagem.Width);
            optServico_Click();
            ponto = 4;
            Show(platform::vbModeless);
            ExibirOcultarpicMensagem(true, true);
            ponto = 5;
            if (PreencherComboboxTiposDeServicos() == 1) {
                ExibirOcultarpicMensagem(false, false);
                return 1;
            }
            ponto = 6;
            mbooGradePreenchida = false;
            Grade_Configurar();
            Grade_Classificar(mintColunaClassificada, false);
            picAreaDeTrabalho.Visible = true;
            ponto = 7;
            qvnumQuantidade.Text = "0";
            qvnumValorUnitario.Text = "0,00";
            HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
            qvnumTotal.Locked = true;
            qvnumDesconto.Locked = true;
            qvnumLiquidoAPagar.Locked = true;
            HabilitarDesabilitarCampos(false);
            ponto = 8;
            ConfigurarObjetos(true);
            ExibirOcultarpicMensagem(false, false);
            qvfApelidoOuNomeFantasiaDoCliente.SetFocus();
            return 0;
        });
}

int16_t frmPreVendas::ConfigurarObjetos(const platform::Variant& visivel)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, ConfigurarObjetos, Ponto: ", [&](int16_t&) -> int16_t {
            picAreaDeTrabalho.Visible = visivel.AsBoolean();
            msfgGrade.Visible = true;
            return 0;
        });
}

void frmPreVendas::Form_Resize()
{
    ComTratamentoDeErro(", frmPreVendas, Form_Resize, Ponto: ", [&](int16_t&) {
        if (mbooFormResizeTratado)
            return;
        mbooFormResizeTratado = true;
        picAreaDeTrabalho.Move(0, 0, ScaleWidth(), ScaleHeight());
    });
}

void frmPreVendas::ExibirOcultarpicMensagem(bool exibir, bool exibirPainel)
{
    if (exibir == picMensagem.Visible())
        return;
    if (!exibir) {
        RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
        picMensagem.Visible = false;
        MousePointer = platform::vbDefault;
        return;
    }
    int16_t lintValor = 1;
    AplicarFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd, lintValor);
    if (!exibirPainel) {
        // A busy state without a panel: the hourglass, and a panel of no size that still
        // counts as shown.
        MousePointer = platform::vbHourglass;
        picMensagem.Height = 0;
        picMensagem.Width = 0;
        picMensagem.Visible = true;
        return;
    }
    MousePointer = platform::vbDefault;
    picMensagem.Height = mintAlturaDopicMensagem;
    picMensagem.Width = mintLarguraDopicMensagem;
    int32_t llngPainel_hWnd = picMensagem.hWnd();
    uint8_t lbytRaio = 30;
    ArredondarCantosDoObjeto(llngPainel_hWnd, lbytRaio);
    CentralizarpicMensagem();
    picMensagem.Visible = true;
    Pausar(1);
}

bool frmPreVendas::MostrarPesquisa(MolduraDePesquisa& pesquisa)
{
    int16_t lintValor = 0;
    AplicarFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd, lintValor);
    pesquisa.Show(platform::vbModal);
    RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
    if (pesquisa.RegistroSelecionado())
        return true;
    pesquisa.Unload();
    return false;
}

std::optional<bool> frmPreVendas::SeguirComOsEncontrados(
    const platform::RecordsetRef& encontrados, int16_t& ponto,
    const std::function<std::string()>& mensagemDeNenhum,
    bool (frmPreVendas::*escolherNaPesquisa)(const platform::RecordsetRef&))
{
    const int32_t llngRegistros = encontrados ? encontrados->RecordCount() : 0;
    if (llngRegistros == 0) {
        platform::MsgBox(mensagemDeNenhum(), platform::vbInformation,
                         modPrincipal::gstrNomeDaAplicacao);
        platform::SendKeys("+{HOME}");
        return false;
    }
    if (llngRegistros > 1) {
        ponto = 4;
        return (this->*escolherNaPesquisa)(encontrados);
    }
    ponto = 3;
    encontrados->MoveFirst();
    return std::nullopt;
}

void frmPreVendas::CentralizarpicMensagem()
{
    picMensagem.ZOrder(0);
    const double alturaDoPainel = picMensagem.Height;
    picMensagem.Top =
        static_cast<int32_t>(std::lround(Height / 2.0 - alturaDoPainel / 2.0 - alturaDoPainel));
    picMensagem.Left = static_cast<int32_t>(std::lround(Width / 2.0 - picMensagem.Width / 2.0));
}

void frmPreVendas::optServico_Click()
{
    ComTratamentoDeErro(", frmPreVendas, optServico_Click, Ponto: ",
                        [&](int16_t&) { DefinirModo(true); });
}

void frmPreVendas::optProduto_Click()
{
    ComTratamentoDeErro(", frmPreVendas, optProduto_Click, Ponto: ",
                        [&](int16_t&) { DefinirModo(false); });
}

// The two modes share three label positions; the boxes of the other mode are hidden, disabled
// and emptied. Their emptying of the type list is the form's own: it sets every field a chosen
// type would, and must leave the service boxes disabled.
void frmPreVendas::DefinirModo(bool servico)
{
    if (servico) {
        for (suite_controls::QVFind* caixa :
             {&qvfCodigoDeBarrasDoProduto, &qvfNomeDoProduto, &qvfCodigoInternoDoProduto}) {
            caixa->Visible = false;
            caixa->Modo = 2;
            caixa->TextoAuxiliar = "";
        }
        lblTipoDeServicoOuCodigoDeBarrasDoProduto.Caption = "Tipo de serviço";
        lblNomeDoServicoOuNomeDoProduto.Caption = "Nome do serviço";
        lblNomeDoAnimalOuCodigoInternoDoProduto.Caption = "Nome do animal";
        qvcmbTiposDeServicos.Visible = true;
        qvfNomeDoServico.Visible = true;
        lblCodigoDoServico.Visible = true;
        qvfCodigoDoServico.Visible = true;
        qvcmbAnimal.Visible = true;
        qvcmbTiposDeServicos.Enabled = true;
        qvcmbAnimal.Enabled = true;
        qvfNomeDoServico.Enabled = false;
        qvfCodigoDoServico.Enabled = false;
        SelecionarTipoDeServico(-1);
        for (suite_controls::QVFind* caixa :
             {&qvfCodigoDeBarrasDoProduto, &qvfNomeDoProduto, &qvfCodigoInternoDoProduto}) {
            caixa->Visible = false;
            caixa->Enabled = false;
            caixa->Text = "";
        }
        qvcmbComissionado.Clear();
        qvnumQuantidade.Text = "0";
    } else {
        qvcmbTiposDeServicos.Visible = false;
        qvfNomeDoServico.Visible = false;
        qvfCodigoDoServico.Visible = false;
        qvcmbAnimal.Visible = false;
        lblCodigoDoServico.Visible = false;
        SelecionarTipoDeServico(-1);
        qvcmbAnimal.ListIndex = -1;
        for (suite_controls::QVFind* caixa : {&qvfNomeDoServico, &qvfCodigoDoServico}) {
            caixa->Modo = 2;
            caixa->Text = "";
        }
        lblTipoDeServicoOuCodigoDeBarrasDoProduto.Caption = "Codigo de barras do produto";
        lblNomeDoServicoOuNomeDoProduto.Caption = "Nome do produto";
        lblNomeDoAnimalOuCodigoInternoDoProduto.Caption = "Código interno do produto";
        for (suite_controls::QVFind* caixa :
             {&qvfCodigoDeBarrasDoProduto, &qvfNomeDoProduto, &qvfCodigoInternoDoProduto}) {
            caixa->Visible = true;
            caixa->Enabled = true;
        }
        qvcmbTiposDeServicos.Enabled = false;
        qvfNomeDoServico.Enabled = false;
        qvfCodigoDoServico.Enabled = false;
        qvcmbAnimal.Enabled = false;
        SelecionarTipoDeServico(-1);
        qvcmbAnimal.ListIndex = -1;
        qvfNomeDoServico.Text = "";
        qvfCodigoDoServico.Text = "";
        qvcmbComissionado.Clear();
        qvnumQuantidade.Text = "0,000";
    }
    for (suite_controls::QVNumberBox* caixa :
         {&qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem, &qvnumValorDeDescontoPorItem})
        caixa->Text = "0,00";
    for (suite_controls::QVNumberBox* caixa :
         {&qvnumQuantidade, &qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem,
          &qvnumValorDeDescontoPorItem}) {
        caixa->Enabled = false;
        caixa->BackColor = CorDeFundoDesabilitado;
    }
}

int16_t frmPreVendas::HabilitarDesabilitarCampos(bool habilitar)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, HabilitarDesabilitarCampos, Ponto: ", [&](int16_t&) -> int16_t {
            optServico.Enabled = habilitar;
            optProduto.Enabled = habilitar;
            qvcmbTiposDeServicos.Enabled = habilitar;
            for (suite_controls::QVFind* caixa :
                 {&qvfCodigoDoServico, &qvfNomeDoServico, &qvfCodigoDeBarrasDoProduto,
                  &qvfNomeDoProduto, &qvfCodigoInternoDoProduto})
                caixa->Enabled = habilitar;
            // One animal or none: nothing to choose, so the state stays.
            if (!habilitar)
                qvcmbAnimal.Enabled = false;
            else if (qvcmbAnimal.ListCount() > 1)
                qvcmbAnimal.Enabled = true;
            qvcmbComissionado.Enabled = habilitar;
            return 0;
        });
}

void frmPreVendas::HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(bool habilitar)
{
    ComTratamentoDeErro(
        ", frmPreVendas, HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda, Ponto: ",
        [&](int16_t& ponto) {
            qvnumQuantidade.Enabled = habilitar;
            qvnumValorUnitario.Enabled = habilitar;
            qvnumPercentualDeDescontoPorItem.Enabled = habilitar;
            qvnumValorDeDescontoPorItem.Enabled = habilitar;
            qvcmbComissionado.Enabled = habilitar;
            ponto = 2;
            if (habilitar)
                PermissãoDoUsuario();
            ponto = 3;
            const int32_t cor = habilitar ? CorDeFundoHabilitado : CorDeFundoDesabilitado;
            for (suite_controls::QVNumberBox* caixa :
                 {&qvnumQuantidade, &qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem,
                  &qvnumValorDeDescontoPorItem})
                caixa->BackColor = cor;
        });
}

int16_t frmPreVendas::LimparCampos()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, LimparCampos, Ponto: ", [&](int16_t& ponto) -> int16_t {
            if (!DevolverItemRetomado())
                return 1;
            for (suite_controls::QVFind* caixa :
                 {&qvfApelidoOuNomeFantasiaDoCliente, &qvfNomeOuRazaoSocialDoCliente,
                  &qvfCodigoDoCliente}) {
                caixa->Modo = 2;
                caixa->Text = "";
            }
            modPrincipal::gbooIgnorarProximoEvento = true;
            qvcmbTiposDeServicos.ListIndex = -1;
            for (suite_controls::QVFind* caixa : {&qvfNomeDoServico, &qvfCodigoDoServico}) {
                caixa->Modo = 2;
                caixa->Text = "";
            }
            qvcmbAnimal.Clear();
            ponto = 2;
            for (suite_controls::QVFind* caixa :
                 {&qvfCodigoDeBarrasDoProduto, &qvfNomeDoProduto, &qvfCodigoInternoDoProduto}) {
                caixa->Modo = 2;
                caixa->Text = "";
            }
            qvcmbComissionado.Clear();
            qvnumQuantidade.Text = "0";
            for (suite_controls::QVNumberBox* caixa :
                 {&qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem,
                  &qvnumValorDeDescontoPorItem})
                caixa->Text = "0,00";
            ponto = 3;
            msfgGrade.Clear();
            Grade_Configurar();
            mbooGradePreenchida = false;
            for (suite_controls::QVNumberBox* caixa :
                 {&qvnumTotal, &qvnumDesconto, &qvnumLiquidoAPagar})
                caixa->Text = "0,00";
            // No client is chosen any more, so no client's marks either.
            lblCliente.Caption = "Cliente*";
            return 0;
        });
}

void frmPreVendas::LimparCamposDoAnimal()
{
    ComTratamentoDeErro(", frmPreVendas, LimparCamposDoAnimal, Ponto: ",
                        [&](int16_t&) { qvcmbAnimal.Clear(); });
}

void frmPreVendas::LimparCamposDeQuantidadeEValoresDoItemDaVenda()
{
    ComTratamentoDeErro(", frmPreVendas, LimparCamposDeQuantidadeEValoresDoItemDaVenda, Ponto: ",
                        [&](int16_t&) {
                            qvnumQuantidade.Text = "1,000";
                            qvnumValorUnitario.Text = "0,00";
                            qvnumPercentualDeDescontoPorItem.Text = "0,00";
                            qvnumValorDeDescontoPorItem.Text = "0,00";
                        });
}

void frmPreVendas::qvcmdLimparCampos_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdLimparCampos_Click, Ponto: ", [&](int16_t& ponto) {
        if (!DevolverItemRetomado())
            return;
        PintarRotulos(*this,
                      {&lblObservacaoDeCamposObrigatorios, &lblCliente, &lblItensDaPreVenda});
        for (suite_controls::QVFind* caixa : {&qvfApelidoOuNomeFantasiaDoCliente,
                                              &qvfNomeOuRazaoSocialDoCliente, &qvfCodigoDoCliente})
            caixa->Enabled = true;
        ponto = 2;
        // Turning on an option that is on already raises no Click: service mode runs anyway.
        if (optServico.Value)
            optServico_Click();
        else
            optServico.Value = true;
        LimparCampos();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
        HabilitarDesabilitarCampos(false);
        qvfApelidoOuNomeFantasiaDoCliente.SetFocus();
    });
}

} // namespace KELO_A_PreVendas
