// frmPreVendas, the items grid: its layout (the columns of ColunasDaGrade.h), sorting, loading a
// client's open items, and what the keyboard and the mouse do on it.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "platform/Pictures.h"
#include "platform/Runtime.h"
#include "presale/ColunasDaGrade.h"
#include "screen_services/modRolagemComMouse.h"

namespace KELO_A_PreVendas {

int16_t frmPreVendas::Grade_Configurar()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, Grade_Configurar, Ponto: ", [&](int16_t& ponto) -> int16_t {
            msfgGrade.Redraw = false;
            msfgGrade.Clear();
            msfgGrade.Appearance = platform::flexFlat;
            msfgGrade.BorderStyle = platform::flexBorderSingle;
            msfgGrade.FontName = "Tahoma";
            msfgGrade.FontSize = 10;
            msfgGrade.BackColor = platform::RGB(255, 255, 255);
            msfgGrade.ForeColor = platform::RGB(110, 110, 110);
            msfgGrade.BackColorFixed = platform::RGB(246, 245, 245);
            msfgGrade.BackColorSel = platform::RGB(235, 237, 242);
            msfgGrade.ForeColorSel = platform::vbButtonText;
            msfgGrade.BackColorBkg = platform::RGB(255, 255, 255);
            msfgGrade.GridColor = platform::RGB(239, 239, 239);
            msfgGrade.GridColorFixed = platform::RGB(239, 239, 239);
            msfgGrade.SelectionMode = platform::flexSelectionByRow;
            msfgGrade.FixedCols = 0;
            ponto = 2;
            msfgGrade.Rows = 2;
            msfgGrade.Cols = static_cast<int32_t>(GradeDeItens::Colunas.size());
            if (msfgGrade.Rows > 1)
                msfgGrade.FixedRows = 1;
            ponto = 3;
            for (int32_t coluna = 0; coluna < static_cast<int32_t>(GradeDeItens::Colunas.size());
                 ++coluna) {
                const GradeDeItens::Coluna& definicao =
                    GradeDeItens::Colunas[static_cast<size_t>(coluna)];
                msfgGrade.SetTextMatrix(0, coluna, definicao.Cabecalho);
                msfgGrade.SetColWidth(coluna, definicao.Largura);
                msfgGrade.SetColAlignment(coluna, definicao.Alinhamento);
                msfgGrade.SetColData(coluna, definicao.TipoDeClassificacao);
            }
            msfgGrade.Redraw = true;
            return 0;
        });
}

int16_t frmPreVendas::Grade_Classificar(int16_t coluna, bool inverterIcone)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, Grade_Classificar, Ponto: ", [&](int16_t& ponto) -> int16_t {
            msfgGrade.Redraw = false;
            msfgGrade.Row = 0;
            msfgGrade.Col = mintColunaClassificada;
            msfgGrade.SetCellPicture("");
            ponto = 2;
            const bool numerica = msfgGrade.ColData(coluna) == GradeDeItens::ClassificacaoNumerica;
            // Inverting the icon of the column already sorted ascending sorts it descending.
            const bool decrescente =
                inverterIcone && coluna == mintColunaClassificada &&
                (mintTipoDeClassificacao == platform::flexSortNumericAscending ||
                 mintTipoDeClassificacao == platform::flexSortStringAscending);
            int16_t lintTipo =
                numerica ? platform::flexSortNumericAscending : platform::flexSortStringAscending;
            if (decrescente)
                lintTipo = numerica ? platform::flexSortNumericDescending
                                    : platform::flexSortStringDescending;
            msfgGrade.Col = coluna;
            msfgGrade.SetCellPicture(ilClassificacaoDaGrade.ListImages(
                decrescente ? platform::pictures::ClassificacaoDecrescente
                            : platform::pictures::ClassificacaoCrescente));
            msfgGrade.SetCellPictureAlignment(platform::flexAlignRightCenter);
            ponto = 3;
            msfgGrade.Row = 1;
            msfgGrade.RowSel = msfgGrade.Rows - 1;
            msfgGrade.Col = coluna;
            msfgGrade.ColSel = coluna;
            msfgGrade.Sort(lintTipo);
            ponto = 4;
            msfgGrade.TopRow = 1;
            msfgGrade.Row = 1;
            msfgGrade.Col = 0;
            msfgGrade.RowSel = 1;
            msfgGrade.ColSel = msfgGrade.Cols - 1;
            mintColunaClassificada = coluna;
            mintTipoDeClassificacao = lintTipo;
            msfgGrade.Redraw = true;
            return 0;
        });
}

int16_t frmPreVendas::PreencherGradeComServicosEfetuadosEProdutosReservados(double codigoDoCliente)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PreencherGradeComServicosEfetuadosEProdutosReservados, Ponto: ",
        [&](int16_t& ponto) -> int16_t {
            ExibirOcultarpicMensagem(true);
            auto lobjPreVendas = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
            double ldblCodigoDoCliente = codigoDoCliente;
            if (lobjPreVendas->SelecionarServicosEfetuadosEProdutosReservados(
                    ldblCodigoDoCliente) != 0) {
                ExibirOcultarpicMensagem(false);
                ExibirMensagemDeErro(lobjPreVendas->NumeroDoErro, lobjPreVendas->DescricaoDoErro,
                                     lobjPreVendas->LocalDoErro);
                return 0;
            }
            ponto = 2;
            ExibirOcultarpicMensagem(false);
            platform::RecordsetRef lrstItens = lobjPreVendas->ResultadoDaSelecaoEmRecordSet;
            lobjPreVendas.reset();
            if (!lrstItens || lrstItens->RecordCount() == 0)
                return 0;
            ponto = 3;
            msfgGrade.Redraw = false;
            msfgGrade.Rows = lrstItens->RecordCount() + 1;
            msfgGrade.FixedRows = 1;
            ponto = 4;
            int32_t llngLinha = 1;
            for (lrstItens->MoveFirst(); !lrstItens->Eof(); lrstItens->MoveNext(), ++llngLinha) {
                int32_t llngColuna = 0;
                for (const GradeDeItens::Coluna& coluna : GradeDeItens::Colunas)
                    msfgGrade.SetTextMatrix(llngLinha, llngColuna++,
                                            lrstItens->Fields(coluna.Campo).Value.AsString());
            }
            ponto = 5;
            mbooGradePreenchida = true;
            CalcularValoresDosItensDaGrade();
            lrstItens.reset();
            HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
            msfgGrade.Redraw = true;
            return 0;
        });
}

void frmPreVendas::msfgGrade_GotFocus()
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_GotFocus, Ponto: ", [&](int16_t&) {
        DesativarRolagemComMouse();
        AtivarRolagemComMouse(*this, msfgGrade);
    });
}

void frmPreVendas::msfgGrade_LostFocus()
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_LostFocus, Ponto: ",
                        [&](int16_t&) { DesativarRolagemComMouse(); });
}

void frmPreVendas::msfgGrade_KeyDown(int16_t& KeyCode, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_KeyDown, Ponto: ", [&](int16_t&) {
        if (!msfgGrade.Visible)
            return;
        if (KeyCode == platform::vbKeyReturn)
            qvcmdAlterar_Click();
        else if (KeyCode == platform::vbKeyDelete)
            qvcmdRemover_Click();
    });
}

void frmPreVendas::msfgGrade_SelChange()
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_SelChange, Ponto: ", [&](int16_t&) {
        if (msfgGrade.RowSel == msfgGrade.Row)
            return;
        // The selection is always the one row the user ended on.
        msfgGrade.Row = msfgGrade.RowSel();
        msfgGrade.ColSel = msfgGrade.Cols - 1;
    });
}

void frmPreVendas::msfgGrade_Click() {}

void frmPreVendas::msfgGrade_DblClick()
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_DblClick, Ponto: ", [&](int16_t&) {
        if (msfgGrade.MouseRow >= 1)
            qvcmdAlterar_Click();
    });
}

void frmPreVendas::msfgGrade_MouseDown(int16_t Button, int16_t, float, float)
{
    ComTratamentoDeErro(", frmPreVendas, msfgGrade_MouseDown, Ponto: ", [&](int16_t& ponto) {
        const int32_t llngLinha = msfgGrade.MouseRow;
        if (Button != platform::vbRightButton || llngLinha < 1 || llngLinha >= msfgGrade.Rows)
            return;
        msfgGrade.Redraw = false;
        msfgGrade.SelectionMode = platform::flexSelectionByRow;
        msfgGrade.Row = llngLinha;
        msfgGrade.Col = 0;
        msfgGrade.RowSel = llngLinha;
        msfgGrade.ColSel = msfgGrade.Cols - 1;
        msfgGrade.Redraw = true;
        ponto = 2;
        PopupMenu(mnuAlterarExcluir);
    });
}

} // namespace KELO_A_PreVendas
