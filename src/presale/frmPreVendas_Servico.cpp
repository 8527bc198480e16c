// frmPreVendas, services: the service types sold on this screen, the two service find boxes (one
// group of GrupoDeCaixasDePesquisa), PesquisarServico and the service search dialog.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_Servicos.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "search/frmPesquisaDeServicos.h"

#include <memory>

namespace KELO_A_PreVendas {

// A service as the lookup writes it into the form, from its record or from the search grid.
struct frmPreVendas::ServicoEncontrado {
    // The text of the code's numeric value.
    std::string Codigo;
    std::string Nome;
    // As the record holds it; whoever stores the item reads it back.
    std::string Custo;
    platform::Currency ValorDeVenda;
    int32_t NumeroDoTipoDeServico = 0;
};

namespace {

// Types 1 to 4 (clinical care and surgery) are not sold at the counter.
constexpr int32_t PrimeiroTipoDoBalcao = 5;

} // namespace

int16_t frmPreVendas::PreencherComboboxTiposDeServicos()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PreencherComboboxTiposDeServicos, Ponto: ", [&](int16_t&) -> int16_t {
            return PreencherListaDeTiposDeServicos(qvcmbTiposDeServicos, PrimeiroTipoDoBalcao);
        });
}

// The form's own choice of a type: its Click passes without effect. The flag is raised only when
// the selection changes, since an unchanged one raises no Click to lower it.
void frmPreVendas::SelecionarTipoDeServico(int16_t indice)
{
    if (qvcmbTiposDeServicos.ListIndex == indice)
        return;
    modPrincipal::gbooIgnorarProximoEvento = true;
    qvcmbTiposDeServicos.ListIndex = indice;
}

// The attendant chose a type: the service and its values start over, and the employees who may
// be credited with a service of this type are listed.
void frmPreVendas::qvcmbTiposDeServicos_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmbTiposDeServicos_Click, Ponto: ", [&](int16_t& ponto) {
        if (modPrincipal::gbooIgnorarProximoEvento) {
            modPrincipal::gbooIgnorarProximoEvento = false;
            return;
        }
        qvnumQuantidade.Text = "1";
        for (suite_controls::QVNumberBox* caixa :
             {&qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem, &qvnumValorDeDescontoPorItem})
            caixa->Text = "0,00";
        ponto = 2;
        for (suite_controls::QVFind* caixa : {&qvfCodigoDoServico, &qvfNomeDoServico}) {
            caixa->Modo = suite_controls::QVFind::ModoDescartar;
            EscreverNaCaixa(*caixa, "");
        }
        ponto = 3;
        if (PreencherComboboxComissionados(ComissaoDeServico))
            HabilitarDesabilitarCampos(true);
    });
}

// ---- The two service boxes

void frmPreVendas::qvfCodigoDoServico_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoDoServico_Click, Ponto: ", [&](int16_t& ponto) {
        mgrpCaixasDoServico.Click(qvfCodigoDoServico, ponto);
    });
}

void frmPreVendas::qvfNomeDoServico_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvfNomeDoServico_Click, Ponto: ", [&](int16_t& ponto) {
        mgrpCaixasDoServico.Click(qvfNomeDoServico, ponto);
    });
}

void frmPreVendas::qvfCodigoDoServico_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoDoServico_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoServico.KeyDown(qvfCodigoDoServico); });
}

void frmPreVendas::qvfNomeDoServico_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfNomeDoServico_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoServico.KeyDown(qvfNomeDoServico); });
}

GrupoDeCaixasDePesquisa::Regras frmPreVendas::RegrasDoServico()
{
    GrupoDeCaixasDePesquisa::Regras regras;
    regras.PodePesquisar = [this](suite_controls::QVFind&) {
        return TipoDeServicoEscolhido(qvcmbTiposDeServicos);
    };
    // A found service has moved the focus on: nothing more is done.
    regras.Pesquisar = [this](suite_controls::QVFind&) { return PesquisarServicoDaCaixa(); };
    regras.Limpar = [this] {
        // A lookup that broke off with an error leaves the busy state up.
        ExibirOcultarpicMensagem(false);
        LimparCamposDeQuantidadeEValoresDoItemDaVenda();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    };
    regras.AoNaoEncontrar = [this](suite_controls::QVFind& propria) {
        if (&propria == &qvfCodigoDoServico)
            propria.Modo = 0;
    };
    return regras;
}

GrupoDeCaixasDePesquisa::Resultado frmPreVendas::PesquisarServicoDaCaixa()
{
    const auto lintTipo =
        platform::CInt(qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex));
    const bool lbooEncontrado = PesquisarServico(lintTipo, platform::Trim(qvfNomeDoServico.Text()),
                                                 CodigoDaCaixa(qvfCodigoDoServico));
    return lbooEncontrado ? GrupoDeCaixasDePesquisa::Resultado::Encontrado
                          : GrupoDeCaixasDePesquisa::Resultado::NaoEncontrado;
}

// ---- The lookup

bool frmPreVendas::PesquisarServico(int16_t numeroDoTipoDeServico, const std::string& nome,
                                    double codigoDoServico)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PesquisarServico, Ponto: ", [&](int16_t& ponto) -> bool {
            ExibirOcultarpicMensagem(true);
            auto lobjServicos = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
            int16_t lintTipo = numeroDoTipoDeServico;
            std::string lstrNome = nome;
            double ldblCodigo = codigoDoServico;
            const bool lbooFalhou =
                lobjServicos->Selecionar(2, 0, 1, "", lintTipo, lstrNome, ldblCodigo) != 0;
            ExibirOcultarpicMensagem(false);
            if (lbooFalhou) {
                ExibirMensagemDeErro(lobjServicos->NumeroDoErro, lobjServicos->DescricaoDoErro,
                                     lobjServicos->LocalDoErro);
                return false;
            }
            ponto = 2;
            platform::RecordsetRef lrstServicos = lobjServicos->ResultadoDaSelecaoEmRecordSet;
            lobjServicos.reset();
            const auto lbooResposta = SeguirComOsEncontrados(
                lrstServicos, ponto,
                [&] {
                    const std::string lstrTipo = qvcmbTiposDeServicos.Text;
                    if (!nome.empty())
                        return "Nenhum serviço encontrado com o nome '" + nome +
                               "' informado e com o tipo de serviço '" + lstrTipo + "'.";
                    return "Nenhum produto encontrado com o código '" +
                           platform::CStr(codigoDoServico) +
                           "' informado e com o tipo de serviço '" + lstrTipo + "'.";
                },
                &frmPreVendas::EscolherServicoNaPesquisa);
            if (lbooResposta)
                return *lbooResposta;
            const auto campo = [&](const char* nome) { return lrstServicos->Fields(nome).Value; };
            ServicoEncontrado lsrvServico;
            lsrvServico.Codigo = platform::CStr(platform::CDbl(campo("Codigo")));
            lsrvServico.Nome = campo("Nome").AsString();
            lsrvServico.Custo = platform::CStr(campo("Custo"));
            lsrvServico.ValorDeVenda = platform::CCur(campo("ValorDeVenda"));
            lsrvServico.NumeroDoTipoDeServico = platform::CLng(campo("NumeroDoTipoDeServico"));
            MostrarServicoEncontrado(lsrvServico);
            return true;
        });
}

// Several services matched: the attendant picks one in the search dialog, which gets a copy of
// the form's types with the current one selected, and lists the matches already.
bool frmPreVendas::EscolherServicoNaPesquisa(const platform::RecordsetRef& servicos)
{
    auto lfrmPesquisa = std::make_unique<frmPesquisaDeServicos>();
    lfrmPesquisa->EfetuarOPreenchimentoDaComboboxTiposDeServicos(false);
    lfrmPesquisa->FormularioDeConsultaDePreco(false);
    lfrmPesquisa->ConfigurarGrade();
    lfrmPesquisa->PreencherGrade(servicos);
    suite_controls::QVComboBox& tipos = lfrmPesquisa->qvcmbTiposDeServicos;
    tipos.Clear();
    for (int16_t i = 0; i < qvcmbTiposDeServicos.ListCount; ++i) {
        tipos.AddItem(qvcmbTiposDeServicos.List(i));
        tipos.ItemData(tipos.NewIndex, qvcmbTiposDeServicos.ItemData(i));
    }
    modPrincipal::gbooIgnorarProximoClickDoTipoDeServico = true;
    tipos.ListIndex = qvcmbTiposDeServicos.ListIndex;
    if (!MostrarPesquisa(*lfrmPesquisa))
        return false;
    const auto celula = [&](int32_t coluna) { return lfrmPesquisa->CelulaEscolhida(coluna); };
    namespace col = PesquisaDeServicos;
    ServicoEncontrado lsrvServico;
    lsrvServico.Codigo = platform::CStr(platform::Val(celula(col::colCodigo)));
    lsrvServico.Nome = celula(col::colNome);
    lsrvServico.Custo = celula(col::colCusto);
    lsrvServico.ValorDeVenda = platform::CCur(celula(col::colValorDeVenda));
    lsrvServico.NumeroDoTipoDeServico =
        static_cast<int32_t>(platform::Val(celula(col::colNumeroDoTipoDeServico)));
    MostrarServicoEncontrado(lsrvServico);
    lfrmPesquisa->Unload();
    return true;
}

void frmPreVendas::MostrarServicoEncontrado(const ServicoEncontrado& servico)
{
    qvfNomeDoServico.Modo = 0;
    qvfCodigoDoServico.Modo = 0;
    EscreverNaCaixa(qvfCodigoDoServico, servico.Codigo);
    EscreverNaCaixa(qvfNomeDoServico, servico.Nome);
    qvfNomeDoServico.Tag = servico.Custo;
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    qvnumQuantidade.Text = "1";
    qvnumValorUnitario.Text = platform::Format(servico.ValorDeVenda, "#,##0.00");
    // A type the list does not hold leaves the selection as it was.
    for (int16_t i = 0; i < qvcmbTiposDeServicos.ListCount; ++i) {
        if (qvcmbTiposDeServicos.ItemData(i) == servico.NumeroDoTipoDeServico) {
            SelecionarTipoDeServico(i);
            break;
        }
    }
    RecuperaDescontoDoCliente();
    if (qvcmbAnimal.Enabled)
        qvcmbAnimal.SetFocus();
    else
        qvcmbComissionado.SetFocus();
    ExibirOcultarpicMensagem(false);
}

} // namespace KELO_A_PreVendas
