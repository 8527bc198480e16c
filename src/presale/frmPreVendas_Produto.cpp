// frmPreVendas, products: the three product find boxes (one group of GrupoDeCaixasDePesquisa),
// PesquisarProduto, the product search dialog, and the weighing-scale labels read where a
// barcode is typed (EtiquetaDeBalanca reads them; the company says what they carry).
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "presale/CamposDoRegistro.h"
#include "presale/EtiquetaDeBalanca.h"
#include "search/frmPesquisaDeProdutos.h"

#include <memory>

namespace KELO_A_PreVendas {

// A product as the lookup writes it into the form, from its record or from the search grid.
struct frmPreVendas::ProdutoEncontrado {
    // The text of the code's numeric value.
    std::string CodigoInterno;
    std::string CodigoDeBarras;
    std::string Nome;
    // As the record holds it; whoever stores the item reads it back.
    std::string ValorDeCusto;
    std::string UnidadeDeVenda;
    platform::Currency ValorDeVenda;
    platform::Currency PercentualDeComissao;
};

namespace {

constexpr const char* LocalDoCodigoDeBarras =
    ", frmPreVendas, qvfCodigoDeBarrasDoProduto_Click, Ponto: ";

constexpr const char* MensagemSemEmpresaParaBalanca =
    "Não foi possível recuperar dados porque empresa não esta cadastrada.\n"
    "Efetue o cadastro e tente novamente";

// The barcode handler's checkpoints of a label that does not read.
constexpr int16_t PontoDoCodigoDaEtiqueta = 6;
constexpr int16_t PontoDaQuantidadeDaEtiqueta = 7;

bool TamanhoDeCodigoDeBarras(const std::string& texto)
{
    const int32_t tamanho = platform::Len(platform::Trim(texto));
    return tamanho == 13 || tamanho == 14;
}

} // namespace

// ---- The three product boxes

void frmPreVendas::qvfCodigoDeBarrasDoProduto_Click()
{
    ComTratamentoDeErro(LocalDoCodigoDeBarras, [&](int16_t& ponto) {
        mgrpCaixasDoProduto.Click(qvfCodigoDeBarrasDoProduto, ponto);
    });
}

void frmPreVendas::qvfCodigoInternoDoProduto_Click()
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvfCodigoInternoDoProduto_Click, Ponto: ",
        [&](int16_t& ponto) { mgrpCaixasDoProduto.Click(qvfCodigoInternoDoProduto, ponto); });
}

void frmPreVendas::qvfNomeDoProduto_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvfNomeDoProduto_Click, Ponto: ", [&](int16_t& ponto) {
        mgrpCaixasDoProduto.Click(qvfNomeDoProduto, ponto);
    });
}

void frmPreVendas::qvfCodigoDeBarrasDoProduto_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoDeBarrasDoProduto_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoProduto.KeyDown(qvfCodigoDeBarrasDoProduto); });
}

void frmPreVendas::qvfCodigoInternoDoProduto_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoInternoDoProduto_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoProduto.KeyDown(qvfCodigoInternoDoProduto); });
}

void frmPreVendas::qvfNomeDoProduto_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfNomeDoProduto_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoProduto.KeyDown(qvfNomeDoProduto); });
}

GrupoDeCaixasDePesquisa::Regras frmPreVendas::RegrasDoProduto()
{
    GrupoDeCaixasDePesquisa::Regras regras;
    regras.PodePesquisar = [this](suite_controls::QVFind& propria) {
        if (&propria != &qvfCodigoDeBarrasDoProduto || TamanhoDeCodigoDeBarras(propria.Text()))
            return true;
        propria.Enabled = true;
        platform::MsgBox("Informe um código de barras de 13 ou 14 dígitos.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        propria.SetFocus();
        return false;
    };
    regras.Pesquisar = [this](suite_controls::QVFind& propria) {
        // Counted as typed: a label has its "2" in the first position, blanks before it make
        // an ordinary barcode.
        if (&propria == &qvfCodigoDeBarrasDoProduto && EhEtiquetaDeBalanca(propria.Text()))
            return PesquisarEtiquetaDeBalanca(propria.Text());
        return PesquisarProdutoDaCaixa();
    };
    regras.AoEncontrar = [this](suite_controls::QVFind&) {
        if (PreencherComboboxComissionados(ComissaoDeProduto))
            SeguirComOProdutoEncontrado();
    };
    regras.Limpar = [this] {
        // A lookup that broke off with an error leaves the busy state up.
        ExibirOcultarpicMensagem(false);
        LimparCamposDeQuantidadeEValoresDoItemDaVenda();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    };
    regras.AoNaoEncontrar = [](suite_controls::QVFind& propria) { propria.Modo = 0; };
    return regras;
}

GrupoDeCaixasDePesquisa::Resultado frmPreVendas::PesquisarProdutoDaCaixa()
{
    const bool lbooEncontrado = PesquisarProduto(platform::Trim(qvfNomeDoProduto.Text()),
                                                 platform::Trim(qvfCodigoDeBarrasDoProduto.Text()),
                                                 CodigoDaCaixa(qvfCodigoInternoDoProduto));
    return lbooEncontrado ? GrupoDeCaixasDePesquisa::Resultado::Encontrado
                          : GrupoDeCaixasDePesquisa::Resultado::NaoEncontrado;
}

void frmPreVendas::SeguirComOProdutoEncontrado()
{
    // The shop's product promotion applies to a product however it was found; the client's
    // discount recovery, the only other caller, runs for services alone.
    AplicarPromocaoERecalcularValoresDoItem();
    HabilitarDesabilitarCampos(true);
    // A service is done to an animal.
    optServico.Enabled = qvcmbAnimal.ListCount() > 0;
    qvcmbComissionado.SetFocus();
}

// ---- Weighing-scale labels

// The label is read as scanned: the lookup writes the product's own barcode over it, so it is
// kept by value.
GrupoDeCaixasDePesquisa::Resultado frmPreVendas::PesquisarEtiquetaDeBalanca(std::string etiqueta)
{
    const CodigoDaEtiqueta lido = LerCodigoInternoDaEtiqueta(etiqueta);
    if (lido.Recusa) {
        RecusarEtiqueta(lido.Recusa->Numero, lido.Recusa->Descricao, PontoDoCodigoDaEtiqueta,
                        etiqueta);
        return GrupoDeCaixasDePesquisa::Resultado::Concluido;
    }
    qvfCodigoInternoDoProduto.Modo = 0;
    EscreverNaCaixa(qvfCodigoInternoDoProduto, lido.CodigoInterno);
    if (!PesquisarProduto(platform::Trim(qvfNomeDoProduto.Text()),
                          platform::Trim(qvfCodigoDeBarrasDoProduto.Text()),
                          platform::Val(lido.CodigoInterno))) {
        ExibirOcultarpicMensagem(false);
        qvfCodigoInternoDoProduto.Modo = suite_controls::QVFind::ModoDescartar;
        EscreverNaCaixa(qvfCodigoInternoDoProduto, "");
        qvfCodigoDeBarrasDoProduto.Modo = 0;
        qvfCodigoDeBarrasDoProduto.Enabled = true;
        qvfCodigoDeBarrasDoProduto.SetFocus();
        return GrupoDeCaixasDePesquisa::Resultado::Concluido;
    }
    // Without the format, the product stays at one unit and nothing else opens.
    const std::optional<int16_t> formato = FormatoDeCodigoDeBarrasParaBalanca();
    if (!formato || !PreencherComboboxComissionados(ComissaoDeProduto))
        return GrupoDeCaixasDePesquisa::Resultado::Concluido;
    const QuantidadeDaEtiqueta quantidade =
        LerQuantidadeDaEtiqueta(etiqueta, *formato, qvnumValorUnitario.Text());
    if (quantidade.Recusa) {
        RecusarEtiqueta(quantidade.Recusa->Numero, quantidade.Recusa->Descricao,
                        PontoDaQuantidadeDaEtiqueta, etiqueta);
        return GrupoDeCaixasDePesquisa::Resultado::Concluido;
    }
    if (quantidade.Quantidade)
        qvnumQuantidade.Text = platform::Format(*quantidade.Quantidade, "#,##0.000");
    SeguirComOProdutoEncontrado();
    return GrupoDeCaixasDePesquisa::Resultado::Concluido;
}

// A label that does not read is reported as the barcode handler's error. The product it named
// goes too: left at one unit, it could be stored with a quantity the label never gave.
void frmPreVendas::RecusarEtiqueta(int32_t numero, const std::string& descricao, int16_t ponto,
                                   const std::string& etiqueta)
{
    ExibirOcultarpicMensagem(false);
    ReportarErroDoProcedimento(numero, descricao, LocalDoCodigoDeBarras, ponto);
    for (suite_controls::QVFind* caixa : {&qvfNomeDoProduto, &qvfCodigoInternoDoProduto}) {
        caixa->Modo = suite_controls::QVFind::ModoDescartar;
        EscreverNaCaixa(*caixa, "");
        caixa->Enabled = true;
    }
    LimparCamposDeQuantidadeEValoresDoItemDaVenda();
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    qvfCodigoDeBarrasDoProduto.Modo = 0;
    EscreverNaCaixa(qvfCodigoDeBarrasDoProduto, etiqueta);
    qvfCodigoDeBarrasDoProduto.Enabled = true;
    qvfCodigoDeBarrasDoProduto.SetFocus();
}

std::optional<int16_t> frmPreVendas::FormatoDeCodigoDeBarrasParaBalanca()
{
    auto lobjEmpresa = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
    const int32_t situacao = lobjEmpresa->Selecionar(1, 2);
    if (RecusaDaEmpresa(*lobjEmpresa, situacao, MensagemSemEmpresaParaBalanca))
        return std::nullopt;
    // A status the company never gives reads no label.
    if (situacao != contracts::resSucesso)
        return int16_t{0};
    const platform::Variant formato =
        lobjEmpresa->ResultadoDaSelecaoEmRecordSet->Fields("FormatoDeCodigoDeBarrasParaBalanca")
            .Value;
    return platform::CInt(platform::Val(formato.AsString()));
}

// ---- The lookup

bool frmPreVendas::PesquisarProduto(const std::string& nome, const std::string& codigoDeBarras,
                                    double codigoInterno)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PesquisarProduto, Ponto: ", [&](int16_t& ponto) -> bool {
            ExibirOcultarpicMensagem(true);
            auto lobjProdutos = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
            std::string lstrNome = nome;
            std::string lstrCodigoDeBarras = codigoDeBarras;
            double ldblCodigoInterno = codigoInterno;
            const bool lbooFalhou =
                lobjProdutos->Selecionar(2, 0, 1, "", lstrNome, lstrCodigoDeBarras,
                                         ldblCodigoInterno) != 0;
            ExibirOcultarpicMensagem(false);
            if (lbooFalhou) {
                ExibirMensagemDeErro(lobjProdutos->NumeroDoErro, lobjProdutos->DescricaoDoErro,
                                     lobjProdutos->LocalDoErro);
                return false;
            }
            ponto = 2;
            platform::RecordsetRef lrstProdutos = lobjProdutos->ResultadoDaSelecaoEmRecordSet;
            lobjProdutos.reset();
            const auto lbooResposta = SeguirComOsEncontrados(
                lrstProdutos, ponto,
                [&] {
                    if (!nome.empty())
                        return "Nenhum produto encontrado com o nome '" + nome + "'.";
                    if (codigoDeBarras.empty())
                        return "Nenhum produto encontrado com o código interno '" +
                               platform::CStr(codigoInterno) + "' informado.";
                    return "Nenhum produto encontrado com o código de barras '" + codigoDeBarras +
                           "'.";
                },
                &frmPreVendas::EscolherProdutoNaPesquisa);
            if (lbooResposta)
                return *lbooResposta;
            const auto campo = [&](const char* nome) { return lrstProdutos->Fields(nome).Value; };
            ProdutoEncontrado lprdProduto;
            lprdProduto.CodigoInterno = platform::CStr(platform::CDbl(campo("CodigoInterno")));
            lprdProduto.CodigoDeBarras = campo("CodigoDeBarras").AsString();
            lprdProduto.Nome = campo("Nome").AsString();
            lprdProduto.ValorDeCusto = platform::CStr(campo("ValorDeCusto"));
            lprdProduto.UnidadeDeVenda = campo("UnidadeDeVenda").AsString();
            lprdProduto.ValorDeVenda = platform::CCur(campo("ValorDeVenda"));
            lprdProduto.PercentualDeComissao = PercentualLido(campo("PercentualDeComissao"));
            MostrarProdutoEncontrado(lprdProduto, false);
            return true;
        });
}

// Several products matched: the attendant picks one in the search dialog, which lists the
// matches already.
bool frmPreVendas::EscolherProdutoNaPesquisa(const platform::RecordsetRef& produtos)
{
    auto lfrmPesquisa = std::make_unique<frmPesquisaDeProdutos>();
    lfrmPesquisa->FormularioDeConsultaDePreco(false);
    lfrmPesquisa->ConfigurarGrade();
    lfrmPesquisa->PreencherGrade(produtos);
    if (!MostrarPesquisa(*lfrmPesquisa))
        return false;
    const auto celula = [&](int32_t coluna) { return lfrmPesquisa->CelulaEscolhida(coluna); };
    namespace col = PesquisaDeProdutos;
    ProdutoEncontrado lprdProduto;
    lprdProduto.CodigoInterno = platform::CStr(platform::Val(celula(col::colCodigoInterno)));
    lprdProduto.CodigoDeBarras = celula(col::colCodigoDeBarras);
    lprdProduto.Nome = celula(col::colNome);
    lprdProduto.ValorDeCusto = celula(col::colValorDeCusto);
    lprdProduto.UnidadeDeVenda = celula(col::colUnidadeDeVenda);
    lprdProduto.ValorDeVenda = platform::CCur(celula(col::colValorDeVenda));
    lprdProduto.PercentualDeComissao = PercentualLido(celula(col::colPercentualDeComissao));
    MostrarProdutoEncontrado(lprdProduto, true);
    lfrmPesquisa->Unload();
    return true;
}

void frmPreVendas::MostrarProdutoEncontrado(const ProdutoEncontrado& produto,
                                            bool escolhidoNaPesquisa)
{
    for (suite_controls::QVFind* caixa :
         {&qvfNomeDoProduto, &qvfCodigoDeBarrasDoProduto, &qvfCodigoInternoDoProduto})
        caixa->Modo = 0;
    if (escolhidoNaPesquisa) {
        EscreverNaCaixa(qvfCodigoInternoDoProduto, produto.CodigoInterno);
        EscreverNaCaixa(qvfCodigoDeBarrasDoProduto, produto.CodigoDeBarras);
        EscreverNaCaixa(qvfNomeDoProduto, produto.Nome);
    } else {
        EscreverNaCaixa(qvfNomeDoProduto, produto.Nome);
        EscreverNaCaixa(qvfCodigoDeBarrasDoProduto, produto.CodigoDeBarras);
        EscreverNaCaixa(qvfCodigoInternoDoProduto, produto.CodigoInterno);
    }
    qvfNomeDoProduto.Tag = produto.ValorDeCusto;
    UnidadeDeVendaDoItem = produto.UnidadeDeVenda;
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
    qvnumQuantidade.Text = "1,000";
    qvnumValorUnitario.Text = platform::Format(produto.ValorDeVenda, "#,##0.00");
    PercentualDeComissaoDoItem = produto.PercentualDeComissao;
}

} // namespace KELO_A_PreVendas
