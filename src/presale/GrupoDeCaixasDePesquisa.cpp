// One Click and one KeyDown for every box of a group of find boxes; the group's Regras do the
// rest.
#include "presale/GrupoDeCaixasDePesquisa.h"

#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

#include <utility>

namespace KELO_A_PreVendas {

void EscreverNaCaixa(contracts::QVFind& caixa, const std::string& texto)
{
    if (caixa.Text() == texto)
        return;
    modPrincipal::gbooIgnorarProximoEvento = true;
    caixa.Text = texto;
}

double CodigoDaCaixa(const contracts::QVFind& caixa)
{
    const std::string lstrCodigo = platform::Trim(caixa.Text());
    return lstrCodigo.empty() ? 0.0 : platform::Val(lstrCodigo);
}

GrupoDeCaixasDePesquisa::GrupoDeCaixasDePesquisa(std::vector<contracts::QVFind*> caixas,
                                                 Regras regras)
    : m_caixas(std::move(caixas)), m_regras(std::move(regras))
{
}

std::vector<contracts::QVFind*>
GrupoDeCaixasDePesquisa::Outras(const contracts::QVFind& propria) const
{
    std::vector<contracts::QVFind*> outras;
    for (contracts::QVFind* caixa : m_caixas) {
        if (caixa != &propria)
            outras.push_back(caixa);
    }
    return outras;
}

void GrupoDeCaixasDePesquisa::KeyDown(contracts::QVFind& propria)
{
    if (modPrincipal::gbooIgnorarProximoEvento) {
        modPrincipal::gbooIgnorarProximoEvento = false;
        return;
    }
    for (contracts::QVFind* outra : Outras(propria))
        outra->TextoAuxiliar = "";
}

void GrupoDeCaixasDePesquisa::VoltarASemValor(contracts::QVFind& propria)
{
    for (contracts::QVFind* outra : Outras(propria)) {
        outra->Modo = contracts::QVFind::ModoDescartar;
        EscreverNaCaixa(*outra, "");
        outra->Enabled = true;
    }
    m_regras.Limpar();
    propria.Enabled = true;
    propria.SetFocus();
}

void GrupoDeCaixasDePesquisa::Click(contracts::QVFind& propria, int16_t& ponto)
{
    if (propria.Modo == contracts::QVFind::ModoDescartar) {
        ponto = 5;
        VoltarASemValor(propria);
        if (m_regras.AoDescartar)
            m_regras.AoDescartar(propria);
        return;
    }
    if (propria.Modo != contracts::QVFind::ModoPesquisar)
        return;

    if (propria.Style == contracts::QVFind::StyleTexto && platform::Len(propria.Text()) < 3) {
        propria.Enabled = true;
        platform::MsgBox("Informe 3 caracteres ou mais para iniciar a pesquisa.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        return;
    }
    if (m_regras.PodePesquisar && !m_regras.PodePesquisar(propria))
        return;
    ponto = 2;
    for (contracts::QVFind* outra : Outras(propria))
        EscreverNaCaixa(*outra, "");
    switch (m_regras.Pesquisar(propria)) {
    case Resultado::Encontrado:
        ponto = 3;
        if (m_regras.AoEncontrar)
            m_regras.AoEncontrar(propria);
        return;
    case Resultado::NaoEncontrado:
        ponto = 4;
        VoltarASemValor(propria);
        if (m_regras.AoNaoEncontrar)
            m_regras.AoNaoEncontrar(propria);
        return;
    case Resultado::Concluido:
        return;
    }
}

} // namespace KELO_A_PreVendas
