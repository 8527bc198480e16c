// One Click and one KeyDown for every box of a group of find boxes; the group's Regras do the
// rest.
#include "presale/GrupoDeCaixasDePesquisa.h"

#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

#include <utility>

namespace KELO_A_PreVendas {

void EscreverNaCaixa(suite_controls::QVFind& caixa, const std::string& texto)
{
    if (caixa.Text() == texto)
        return;
    modPrincipal::gbooIgnorarProximoEvento = true;
    caixa.Text = texto;
}

double CodigoDaCaixa(const suite_controls::QVFind& caixa)
{
    const std::string lstrCodigo = platform::Trim(caixa.Text());
    return lstrCodigo.empty() ? 0.0 : platform::Val(lstrCodigo);
}

GrupoDeCaixasDePesquisa::GrupoDeCaixasDePesquisa(std::vector<suite_controls::QVFind*> caixas,
                                                 Regras regras)
    : m_caixas(std::move(caixas)), m_regras(std::move(regras))
{
}

std::vector<suite_controls::QVFind*>
GrupoDeCaixasDePesquisa::Outras(const suite_controls::QVFind& propria) const
{
    std::vector<suite_controls::QVFind*> outras;
    for (suite_controls::QVFind* caixa : m_caixas) {
        if (caixa != &propria)
            outras.push_back(caixa);
    }
    return outras;
}

void GrupoDeCaixasDePesquisa::KeyDown(suite_controls::QVFind& propria)
{
    if (modPrincipal::gbooIgnorarProximoEvento) {
        modPrincipal::gbooIgnorarProximoEvento = false;
        return;
    }
    for (suite_controls::QVFind* outra : Outras(propria))
        outra->TextoAuxiliar = "";
}

void GrupoDeCaixasDePesquisa::VoltarASemValor(suite_controls::QVFind& propria)
{
    for (suite_controls::QVFind* outra : Outras(propria)) {
        outra->Modo = suite_controls::QVFind::ModoDescartar;
        EscreverNaCaixa(*outra, "");
        outra->Enabled = true;
    }
    m_regras.Limpar();
    propria.Enabled = true;
    propria.SetFocus();
}

void GrupoDeCaixasDePesquisa::Click(suite_controls::QVFind& propria, int16_t& ponto)
{
    if (propria.Modo == suite_controls::QVFind::ModoDescartar) {
        ponto = 5;
        VoltarASemValor(propria);
        if (m_regras.AoDescartar)
            m_regras.AoDescartar(propria);
        return;
    }
    if (propria.Modo != suite_controls::QVFind::ModoPesquisar)
        return;

    if (propria.Style == suite_controls::QVFind::StyleTexto && platform::Len(propria.Text()) < 3) {
        propria.Enabled = true;
        platform::MsgBox("Informe 3 caracteres ou mais para iniciar a pesquisa.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        return;
    }
    if (m_regras.PodePesquisar && !m_regras.PodePesquisar(propria))
        return;
    ponto = 2;
    for (suite_controls::QVFind* outra : Outras(propria))
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
