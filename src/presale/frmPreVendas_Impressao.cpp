// frmPreVendas, the printout: qvcmdImprimirPreVenda_Click and ImprimirPreVenda. What the client
// has to pay is selected again from the store (not taken from the grid), printed with the
// screen's totals as they stand through drPreVendas's preview, and the screen is cleared for the
// next client once the preview closes. A refusal, a failure or an unexpected error prints
// nothing and leaves the screen as it was.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "platform/WindowSystem.h"
#include "presale/drPreVendas.h"

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace KELO_A_PreVendas {

namespace {

constexpr int32_t SWP_NOSIZE = 0x1;
constexpr int32_t SWP_NOMOVE = 0x2;

// The two filters the store recognises, around the client's code in decimal digits.
constexpr const char* FiltroDeServicosAntes =
    " WHERE ((ServicosEfetuados.NumeroDaVenda=0  AND (ServicosEfetuados.NumeroDaFichaClinica=0 OR "
    "(ServicosEfetuados.NumeroDaFichaClinica) Is Null)) AND ((ServicosEfetuados.CodigoDoCliente)=";
constexpr const char* FiltroDeServicosDepois = ") AND ((TiposDeServicos.Numero)>4)) ";
constexpr const char* FiltroDeProdutosAntes =
    " WHERE (((ProdutosReservados.NumeroDaVenda)=0) AND ((ProdutosReservados.CodigoDoCliente)=";
constexpr const char* FiltroDeProdutosDepois =
    ") AND ((ProdutosReservados.NumeroDaFichaClinica) Is Null)) ";

constexpr const char* MensagemSemEmpresa =
    "Não foi possível imprimir a pré-venda porque não há empresa cadastrada.\n"
    "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o "
    "cadastro e solicite a impressão novamente";
constexpr const char* MensagemSemItens = "Não existem serviços e/ou produtos a pagar.";
constexpr const char* TituloDaVisualizacao = "Imprimir produtos e/ou serviços a pagar";

// The line's text boxes and their fields, in the order of KELO_N_PreVendas::CamposDaImpressao.
constexpr std::array<std::pair<platform::ReportTextBox drPreVendas::*, std::string_view>, 7>
    CamposDaLinha{{
        {&drPreVendas::txtNomeDoAnimal, "NomeDoAnimal"},
        {&drPreVendas::txtNomeDoServico, "NomeDoServicoOuProduto"},
        {&drPreVendas::txtQuantidade, "Quantidade"},
        {&drPreVendas::txtValorUnitarioDoServico, "ValorUnitario"},
        {&drPreVendas::txtValorTotalDoServico, "ValorTotal"},
        {&drPreVendas::txtDescontoEmValorDoServico, "DescontoEmValor"},
        {&drPreVendas::txtValorLiquidoDoServico, "ValorLiquido"},
    }};

constexpr bool CamposSeguemAImpressao()
{
    for (std::size_t i = 0; i < CamposDaLinha.size(); ++i) {
        if (CamposDaLinha[i].second != KELO_N_PreVendas::CamposDaImpressao[i])
            return false;
    }
    return CamposDaLinha.size() == KELO_N_PreVendas::CamposDaImpressao.size();
}
static_assert(CamposSeguemAImpressao());

} // namespace

void frmPreVendas::qvcmdImprimirPreVenda_Click()
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvcmdImprimirPreVenda_Click, Ponto: ", [&](int16_t& ponto) {
            // An item taken back is stored again first, so that it is printed too.
            if (!DevolverItemRetomado())
                return;
            if (msfgGrade.Rows == 2) {
                std::string lstrLinha;
                for (int32_t coluna = 0; coluna < msfgGrade.Cols - 1; ++coluna)
                    lstrLinha += msfgGrade.TextMatrix(1, coluna);
                if (lstrLinha.empty()) {
                    platform::MsgBox("Nenhum item encontrado na lista para impressão.",
                                     platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
                    return;
                }
            }
            ponto = 2;
            const int16_t lintResultado =
                ImprimirPreVenda(platform::CLng(platform::Val(qvfCodigoDoCliente.Text())));
            ponto = 3;
            platform::SetWindowPos(hWnd(), platform::HWND_TOPMOST, 0, 0, 0, 0,
                                   SWP_NOMOVE | SWP_NOSIZE);
            if (lintResultado != 1)
                qvcmdLimparCampos_Click();
        });
}

bool frmPreVendas::RecusaDoComponenteDeImpressao(const contracts::ComponenteDeNegocio& componente,
                                                 int32_t resultado)
{
    switch (resultado) {
    case contracts::resErro:
        ExibirOcultarpicMensagem(false);
        ExibirMensagemDeErro(componente.NumeroDoErro, componente.DescricaoDoErro,
                             componente.LocalDoErro);
        return true;
    case contracts::resFalhaInformativa:
    case contracts::resFalhaCritica:
        ExibirOcultarpicMensagem(false);
        platform::MsgBox(componente.DescricaoDaFalha,
                         resultado == contracts::resFalhaCritica ? platform::vbCritical
                                                                 : platform::vbInformation,
                         modPrincipal::gstrNomeDaAplicacao);
        return true;
    default:
        return false;
    }
}

int16_t frmPreVendas::ImprimirPreVenda(int32_t codigoDoCliente)
{
    const std::optional<int16_t> lintResultado = ComTratamentoDeErro(
        ", frmPreVendas, ImprimirPreVenda, Ponto: ", [&](int16_t& ponto) -> std::optional<int16_t> {
            ExibirOcultarpicMensagem(true, false);
            auto lobjEmpresa = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
            const int32_t llngEmpresa = lobjEmpresa->Selecionar(1, 2);
            platform::RecordsetRef lrstEmpresa = lobjEmpresa->ResultadoDaSelecaoEmRecordSet;
            if (llngEmpresa == contracts::resSucesso &&
                (!lrstEmpresa || lrstEmpresa->RecordCount() == 0)) {
                ExibirOcultarpicMensagem(false);
                platform::MsgBox(MensagemSemEmpresa, platform::vbInformation,
                                 modPrincipal::gstrNomeDaAplicacao);
                return 1;
            }
            if (RecusaDoComponenteDeImpressao(*lobjEmpresa, llngEmpresa))
                return 1;

            ponto = 2;
            auto lobjPreVendas = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
            const std::string lstrCodigo = std::to_string(codigoDoCliente);
            std::string lstrFiltroDeServicos =
                FiltroDeServicosAntes + lstrCodigo + FiltroDeServicosDepois;
            std::string lstrFiltroDeProdutos =
                FiltroDeProdutosAntes + lstrCodigo + FiltroDeProdutosDepois;
            const int32_t llngItens =
                lobjPreVendas->SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
                    2, lstrFiltroDeServicos, lstrFiltroDeProdutos);
            platform::RecordsetRef lrstItens =
                lobjPreVendas->ResultadoDaSelecaoParaImpressaoEmRecordset;
            if (llngItens == contracts::resSucesso &&
                (!lrstItens || lrstItens->RecordCount() == 0)) {
                ExibirOcultarpicMensagem(false);
                platform::MsgBox(MensagemSemItens, platform::vbInformation,
                                 modPrincipal::gstrNomeDaAplicacao);
                return 1;
            }
            if (RecusaDoComponenteDeImpressao(*lobjPreVendas, llngItens))
                return 1;

            ponto = 3;
            auto lrptPreVendas = std::make_unique<drPreVendas>();
            lrptPreVendas->DataSource = lrstItens;
            lrptPreVendas->lblNomeFantasiaDaEmpresa.Caption =
                lrstEmpresa->Fields("NomeFantasia").Value.AsString();
            lrptPreVendas->lblCodigoENomeOuRazaoSocialDoCliente.Caption =
                qvfCodigoDoCliente.Text() + " - " + qvfNomeOuRazaoSocialDoCliente.Text();
            for (const auto& [caixa, campo] : CamposDaLinha)
                ((*lrptPreVendas).*caixa).DataField = std::string(campo);
            lrptPreVendas->txtTotal.Caption = qvnumTotal.Text();
            lrptPreVendas->txtDesconto.Caption = qvnumDesconto.Text();
            lrptPreVendas->txtLiquidoAPagar.Caption = qvnumLiquidoAPagar.Text();

            ponto = 4;
            lrptPreVendas->ReportWidth = 10145;
            lrptPreVendas->LeftMargin = 850;
            lrptPreVendas->RightMargin = 850;
            lrptPreVendas->TopMargin = 850;
            lrptPreVendas->BottomMargin = 850;
            lrptPreVendas->Caption = TituloDaVisualizacao;
            lrptPreVendas->WindowState = platform::vbMaximized;
            lrptPreVendas->Show(platform::vbModal);

            ponto = 5;
            lrptPreVendas.reset();
            lobjPreVendas.reset();
            lobjEmpresa.reset();
            ExibirOcultarpicMensagem(false);
            return 0;
        });
    if (lintResultado)
        return *lintResultado;
    // The error is reported; nothing was printed, so the screen must not be cleared either.
    ExibirOcultarpicMensagem(false);
    return 1;
}

} // namespace KELO_A_PreVendas
