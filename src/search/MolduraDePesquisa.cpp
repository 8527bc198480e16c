// The search-dialog frame: loading, layout, the grid's look and filling, the search skeleton,
// choosing a row, Fechar and the searching picture.
#include "search/MolduraDePesquisa.h"

#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Pictures.h"
#include "platform/Runtime.h"
#include "screen_services/modArredondarCantosDoObjeto.h"
#include "screen_services/modBordaDoWindows8.h"
#include "screen_services/modPausar.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace KELO_A_PreVendas {

namespace {

constexpr int32_t CorDoCabecalho = platform::RGB(242, 242, 242);
constexpr int32_t CorDaLinhaImpar = platform::RGB(217, 217, 217);
constexpr int32_t CorDaLinhaPar = platform::RGB(242, 242, 242);
constexpr int32_t CorDoCodigo = platform::RGB(128, 128, 128);
constexpr int32_t CorDoTexto = platform::RGB(0, 0, 0);

// Twips.
constexpr int32_t TopoDaGrade = 1725;
constexpr int32_t MargemDaGrade = 390;
constexpr int32_t AlturaForaDaGrade = 2700;
constexpr int32_t RecuoDoFechar = 250;
constexpr int32_t DistanciaDoFechar = 350;
constexpr int32_t AlturaDoCabecalho = 300;
constexpr int32_t AlturaDaLinha = 570;

bool TemOCampo(const platform::Recordset& registros, const char* campo)
{
    if (!campo)
        return false;
    const std::string procurado = platform::UCase(campo);
    const auto& nomes = registros.FieldNames();
    return std::any_of(nomes.begin(), nomes.end(),
                       [&](const std::string& nome) { return platform::UCase(nome) == procurado; });
}

} // namespace

MolduraDePesquisa::MolduraDePesquisa(std::string nome, const DefinicaoDaPesquisa& definicao)
    : platform::Form(std::move(nome)), m_definicao(definicao)
{
}

MolduraDePesquisa::~MolduraDePesquisa() = default;

void MolduraDePesquisa::MontarMoldura(suite_controls::QVFind& caixaDePesquisa,
                                      platform::Label& rotuloDaPesquisa,
                                      const char* legendaDaPesquisa)
{
    m_caixaDePesquisa = &caixaDePesquisa;
    Caption = m_definicao.Titulo;
    Move(0, 0, 14640, 8460);
    qvTheme.Move(0, 0, 14520, 690);
    qvTheme.Caption = m_definicao.Titulo;
    qvTheme.DataOfInclusion = "";
    qvTheme.DataOfAlteration = "";
    rotuloDaPesquisa.Caption = legendaDaPesquisa;
    rotuloDaPesquisa.ForeColor = platform::RGB(73, 73, 73);
    rotuloDaPesquisa.Move(MargemDaGrade, 870, 8355, 240);
    caixaDePesquisa.Caption = legendaDaPesquisa;
    caixaDePesquisa.Move(MargemDaGrade, 1140, 8355, 405);
    qvcmdFechar.Caption = "Fechar";
    qvcmdFechar.Style = 2;
    qvcmdFechar.IconSize = 20;
    qvcmdFechar.IconAlign = 1;
    qvcmdFechar.FontName = "Arial";
    qvcmdFechar.FontSize = 11.25;
    qvcmdFechar.FontBold = true;
    qvcmdFechar.Move(0, 0, 1590, 420);
    picMensagem.Move(0, 0, 5010, 570);
    picMensagem.Picture = platform::pictures::MensagemDePesquisa;
    picMensagem.Visible = false;

    Load.Connect([this] { Form_Load(); });
    Resize.Connect([this] { Form_Resize(); });
    Unload_.Connect([this] { Form_Unload(); });
    qvcmdFechar.Click.Connect([this] { qvcmdFechar_Click(); });
    msfgGrade.Click.Connect([this] { msfgGrade_Click(); });
    // From the keyboard: Enter on a row picks it as a click does, Esc anywhere but in the find
    // box (where it clears the text) is Fechar.
    msfgGrade.KeyDown.Connect(
        [this](int16_t& tecla, int16_t shift) { msfgGrade_KeyDown(tecla, shift); });
    suite_controls::DefinirTeclaDeAtalho(qvcmdFechar, platform::vbKeyEscape);
}

std::string MolduraDePesquisa::Local(std::string_view procedimento) const
{
    return ", " + Name() + ", " + std::string(procedimento) + ", Ponto: ";
}

void MolduraDePesquisa::OnPropertyChanged(const platform::PropertyBase& property)
{
    platform::Form::OnPropertyChanged(property);
    if (&property == &Visible && Visible)
        Form_Activate();
}

// Either public member loads the dialog, as the first showing does.
void MolduraDePesquisa::Carregar()
{
    if (!mbooCarregado)
        Form_Load();
}

void MolduraDePesquisa::Form_Load()
{
    ComTratamentoDeErro(Local("Form_Load"), [&](int16_t& ponto) {
        if (mbooCarregado)
            return;
        mbooCarregado = true;
        DesenharBordaDoWindows8(*this, m_lshpObj);
        ponto = 2;
        if (!CarregarControlesProprios())
            return;
        ponto = 3;
        qvcmdFechar.ToolTipText = "Cancelar a pesquisa e fechar";
    });
}

void MolduraDePesquisa::Form_Activate()
{
    ComTratamentoDeErro(Local("Form_Activate"), [&](int16_t&) { mbooRegistroSelecionado = false; });
}

void MolduraDePesquisa::Form_Resize()
{
    ComTratamentoDeErro(Local("Form_Resize"), [&](int16_t& ponto) {
        msfgGrade.Visible = false;
        qvcmdFechar.Visible = false;
        ponto = 2;
        // A window shrunk below the frame's margins keeps an empty grid instead of a negative
        // one.
        msfgGrade.Top = TopoDaGrade;
        msfgGrade.Left = MargemDaGrade;
        msfgGrade.Width = std::max(0, ScaleWidth() - 2 * msfgGrade.Left);
        msfgGrade.Height = std::max(0, ScaleHeight() - AlturaForaDaGrade);
        ponto = 3;
        qvcmdFechar.Left =
            msfgGrade.Left + msfgGrade.Width + 10 - (qvcmdFechar.Width + RecuoDoFechar);
        qvcmdFechar.Top = msfgGrade.Top + msfgGrade.Height + DistanciaDoFechar;
        ponto = 4;
        msfgGrade.Visible = true;
        qvcmdFechar.Visible = true;
        mbooPesquisaEfetuada = false;
        AoRedimensionar();
        // Opened with several matches listed, the list has the focus for the arrows and Enter.
        if (Enabled && msfgGrade.Rows > 2)
            msfgGrade.SetFocus();
        else if (Enabled && m_caixaDePesquisa->IsShown() && m_caixaDePesquisa->Enabled)
            m_caixaDePesquisa->SetFocus();
    });
}

void MolduraDePesquisa::Form_Unload()
{
    ComTratamentoDeErro(Local("Form_Unload"), [&](int16_t&) {
        mbooRegistroSelecionado = false;
        mbooCarregado = false;
    });
}

int16_t MolduraDePesquisa::ConfigurarGrade()
{
    return ComTratamentoDeErro(Local("ConfigurarGrade"), [&](int16_t& ponto) -> int16_t {
        Carregar();
        msfgGrade.Visible = false;
        msfgGrade.Redraw = false;
        msfgGrade.Clear();
        ponto = 2;
        msfgGrade.FocusRect = platform::flexFocusNone;
        msfgGrade.Appearance = platform::flexFlat;
        msfgGrade.BorderStyle = platform::flexBorderNone;
        msfgGrade.SelectionMode = platform::flexSelectionByRow;
        msfgGrade.FixedCols = 0;
        msfgGrade.FontName = "Arial";
        msfgGrade.FontSize = 11;
        msfgGrade.BackColorSel = CorDoCabecalho;
        msfgGrade.ForeColorSel = platform::vbButtonText;
        msfgGrade.BackColorBkg = platform::RGB(255, 255, 255);
        msfgGrade.BackColor = platform::RGB(255, 255, 255);
        msfgGrade.ForeColor = CorDoTexto;
        msfgGrade.GridColor = platform::RGB(239, 239, 239);
        msfgGrade.GridColorFixed = platform::RGB(239, 239, 239);
        msfgGrade.GridLines = platform::flexGridNone;
        msfgGrade.GridLinesFixed = platform::flexGridNone;
        msfgGrade.ScrollBars = platform::flexScrollBarVertical;
        ponto = 3;
        const auto colunas = static_cast<int32_t>(m_definicao.Colunas.size());
        msfgGrade.Rows = 1;
        msfgGrade.Cols = colunas;
        ponto = 4;
        for (int32_t coluna = 0; coluna < colunas; ++coluna) {
            const ColunaDaPesquisa& definicao = m_definicao.Colunas[static_cast<size_t>(coluna)];
            msfgGrade.SetTextMatrix(0, coluna, definicao.Cabecalho);
            msfgGrade.SetColWidth(coluna, definicao.Largura);
            msfgGrade.SetColAlignment(coluna, definicao.Alinhamento);
        }
        ponto = 5;
        msfgGrade.Row = 0;
        for (int32_t coluna = 0; coluna < colunas; ++coluna) {
            msfgGrade.Col = coluna;
            msfgGrade.SetCellFontBold(true);
            msfgGrade.SetCellForeColor(coluna == ColunaDoCodigo ? CorDoCodigo : CorDoTexto);
            msfgGrade.SetCellBackColor(CorDoCabecalho);
        }
        ponto = 6;
        msfgGrade.Redraw = true;
        msfgGrade.Visible = true;
        return 0;
    });
}

int16_t MolduraDePesquisa::PreencherGrade(const platform::RecordsetRef& lrstRecordsetAuxiliar)
{
    return ComTratamentoDeErro(Local("PreencherGrade"), [&](int16_t& ponto) -> int16_t {
        Carregar();
        if (!lrstRecordsetAuxiliar)
            platform::Raise(platform::errObjectVariableNotSet);
        msfgGrade.Redraw = false;
        msfgGrade.Rows = lrstRecordsetAuxiliar->RecordCount() + 1;
        if (msfgGrade.Rows > 1)
            msfgGrade.FixedRows = 1;
        msfgGrade.SetRowHeight(0, AlturaDoCabecalho);
        ponto = 2;
        const auto colunas = static_cast<int32_t>(m_definicao.Colunas.size());
        // A caller's own matches need not carry every column's field (the pre-sale form's
        // services carry no description): such a column stays empty.
        std::vector<bool> presentes(m_definicao.Colunas.size());
        for (size_t coluna = 0; coluna < presentes.size(); ++coluna)
            presentes[coluna] =
                TemOCampo(*lrstRecordsetAuxiliar, m_definicao.Colunas[coluna].Campo);
        int32_t linha = 1;
        for (lrstRecordsetAuxiliar->MoveFirst(); !lrstRecordsetAuxiliar->Eof();
             lrstRecordsetAuxiliar->MoveNext(), ++linha) {
            msfgGrade.SetRowHeight(linha, AlturaDaLinha);
            msfgGrade.Row = linha;
            for (int32_t coluna = 0; coluna < colunas; ++coluna) {
                msfgGrade.Col = coluna;
                msfgGrade.SetCellBackColor(linha % 2 == 1 ? CorDaLinhaImpar : CorDaLinhaPar);
                msfgGrade.SetCellForeColor(coluna == ColunaDoCodigo ? CorDoCodigo : CorDoTexto);
                if (presentes[static_cast<size_t>(coluna)])
                    msfgGrade.SetTextMatrix(
                        linha, coluna,
                        lrstRecordsetAuxiliar
                            ->Fields(m_definicao.Colunas[static_cast<size_t>(coluna)].Campo)
                            .Value.AsString());
            }
        }
        ponto = 3;
        // Nothing is chosen until the user (or a single match) picks a row.
        msfgGrade.Row = 0;
        msfgGrade.Col = 0;
        msfgGrade.Redraw = true;
        return 0;
    });
}

void MolduraDePesquisa::PesquisarNaCaixa(std::string_view nomeDoProcedimento)
{
    ComTratamentoDeErro(Local(nomeDoProcedimento), [&](int16_t& ponto) {
        ConfigurarGrade();
        // The confirmation right after a search only empties the grid.
        if (mbooPesquisaEfetuada) {
            mbooPesquisaEfetuada = false;
            return;
        }
        ponto = 2;
        if (!PodePesquisar())
            return;
        ponto = 3;
        if (!Pesquisar()) {
            // A search that broke off with an error would leave the dialog disabled for good.
            ExibirOcultarpicMensagem(false);
            m_caixaDePesquisa->ReiniciarPesquisa();
            return;
        }
        ponto = 4;
        // Several matches: the list has the focus, so that the arrows and Enter pick one.
        if (msfgGrade.Rows > 2)
            msfgGrade.SetFocus();
    });
}

bool MolduraDePesquisa::Pesquisar()
{
    return ComTratamentoDeErro(Local(m_definicao.NomeDaPesquisa), [&](int16_t& ponto) -> bool {
        ExibirOcultarpicMensagem(true);
        auto lobjComponente = CriarComponenteDeNegocio();
        mbooPesquisaEfetuada = true;
        ponto = 2;
        const std::string lstrTexto = m_caixaDePesquisa->Text;
        if (Selecionar(*lobjComponente, lstrTexto) != 0) {
            ExibirOcultarpicMensagem(false);
            ExibirMensagemDeErro(lobjComponente->NumeroDoErro, lobjComponente->DescricaoDoErro,
                                 lobjComponente->LocalDoErro);
            return false;
        }
        if (m_definicao.OcultarMensagemAntesDoResultado)
            ExibirOcultarpicMensagem(false);
        ponto = 3;
        platform::RecordsetRef lrstResultado = lobjComponente->ResultadoDaSelecaoEmRecordSet;
        lobjComponente.reset();
        const int32_t registros = lrstResultado ? lrstResultado->RecordCount() : 0;
        if (registros == 0) {
            ExibirOcultarpicMensagem(false);
            platform::MsgBox(MensagemSemResultado(lstrTexto), platform::vbInformation,
                             modPrincipal::gstrNomeDaAplicacao);
            platform::SendKeys("+({HOME})");
            return false;
        }
        ponto = 4;
        PreencherGrade(lrstResultado);
        if (registros == 1 && EscolherResultadoUnico()) {
            msfgGrade.Row = 1;
            EscolherLinha();
        }
        ponto = 5;
        lrstResultado.reset();
        ExibirOcultarpicMensagem(false);
        return true;
    });
}

void MolduraDePesquisa::msfgGrade_Click()
{
    ComTratamentoDeErro(Local("msfgGrade_Click"), [&](int16_t&) {
        // A click on the header moves no row: the current row is the one picked before, if any.
        if (msfgGrade.Row == 0 || msfgGrade.MouseRow < msfgGrade.FixedRows)
            return;
        EscolherLinha();
    });
}

void MolduraDePesquisa::msfgGrade_KeyDown(int16_t& tecla, int16_t shift)
{
    ComTratamentoDeErro(Local("msfgGrade_KeyDown"), [&](int16_t&) {
        if (tecla != platform::vbKeyReturn || shift != 0 || msfgGrade.Row < msfgGrade.FixedRows)
            return;
        tecla = 0;
        EscolherLinha();
    });
}

void MolduraDePesquisa::EscolherLinha()
{
    if (ValidarCampos() == 1)
        return;
    mbooRegistroSelecionado = true;
    Hide();
}

void MolduraDePesquisa::qvcmdFechar_Click()
{
    ComTratamentoDeErro(Local("qvcmdFechar_Click"), [&](int16_t&) {
        mbooRegistroSelecionado = false;
        Hide();
    });
}

void MolduraDePesquisa::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem)
{
    ComTratamentoDeErro(Local("ExibirOcultarpicMensagem"), [&](int16_t& ponto) {
        if (!IsLoaded())
            return;
        if (!lbooExibirOcultarpicMensagem) {
            Enabled = true;
            picMensagem.Visible = false;
            return;
        }
        // Disabled while the business layer works, so that no second search starts.
        Enabled = false;
        int32_t llngPicture_hWnd = picMensagem.hWnd();
        uint8_t lbytRaio = 30;
        ArredondarCantosDoObjeto(llngPicture_hWnd, lbytRaio);
        ponto = 2;
        CentralizarpicMensagem();
        picMensagem.Visible = true;
        Pausar(1);
    });
}

void MolduraDePesquisa::CentralizarpicMensagem()
{
    ComTratamentoDeErro(Local("CentralizarpicMensagem"), [&](int16_t&) {
        picMensagem.ZOrder(0);
        picMensagem.Top =
            static_cast<int32_t>(std::lround(Height / 2.0 - picMensagem.Height / 2.0));
        picMensagem.Left = static_cast<int32_t>(std::lround(Width / 2.0 - picMensagem.Width / 2.0));
    });
}

} // namespace KELO_A_PreVendas
