// frmPesquisaDeProdutos: the product columns and the product query by internal code or name.
#include "search/frmPesquisaDeProdutos.h"

#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"

namespace KELO_A_PreVendas {

namespace {

constexpr DefinicaoDaPesquisa DefinicaoDeProdutos{
    "Pesquisa de produtos",
    "PesquisarProduto",
    PesquisaDeProdutos::Colunas,
    false,
};

constexpr const char* LegendaDaPesquisa = "Código interno ou nome*";

} // namespace

frmPesquisaDeProdutos::frmPesquisaDeProdutos()
    : MolduraDePesquisa("frmPesquisaDeProdutos", DefinicaoDeProdutos)
{
    MontarMoldura(qvfndCodigoInternoOuNome, lblCodigoInternoOuNome, LegendaDaPesquisa);
    qvfndCodigoInternoOuNome.Click.Connect([this] { qvfndCodigoInternoOuNome_Click(); });
}

void frmPesquisaDeProdutos::FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco)
{
    mbooFormularioDeConsultaDePreco = lbooFormularioDeConsultaDePreco;
}

void frmPesquisaDeProdutos::qvfndCodigoInternoOuNome_Click()
{
    PesquisarNaCaixa("qvfndCodigoInternoOuNome_Click");
}

std::shared_ptr<contracts::ComponenteDeNegocio> frmPesquisaDeProdutos::CriarComponenteDeNegocio()
{
    return contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
}

int32_t frmPesquisaDeProdutos::Selecionar(contracts::ComponenteDeNegocio& componente,
                                          const std::string& texto)
{
    auto& lobjProdutos = dynamic_cast<KELO_N_Produtos::clsProdutos&>(componente);
    return lobjProdutos.Selecionar(2, 0, 1, texto, "");
}

std::string frmPesquisaDeProdutos::MensagemSemResultado(const std::string& texto) const
{
    return "Nenhum produto encontrado  como o valor '" + texto + "' informado.";
}

} // namespace KELO_A_PreVendas
