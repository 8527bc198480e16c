// The product search dialog: the search frame with the product columns and query. A price query
// (FormularioDeConsultaDePreco) keeps a single match listed instead of choosing it at once; the
// pre-sale form turns it off before every use.
#pragma once

#include "search/MolduraDePesquisa.h"

#include <array>
#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

// The product grid, one table; the caller reads the chosen row through the named columns below.
namespace PesquisaDeProdutos {

inline constexpr auto Esquerda = platform::flexAlignLeftCenter;

inline constexpr std::array<ColunaDaPesquisa, 10> Colunas{{
    {"Coluna em branco", 0, Esquerda, nullptr},
    {"Código", 1100, Esquerda, "CodigoInterno"},
    {"Código de barras", 2000, Esquerda, "CodigoDeBarras"},
    {"Nome", 4020, Esquerda, "Nome"},
    {"Grupo", 2100, Esquerda, "NomeDoGrupo"},
    {"Subgrupo", 2100, Esquerda, "NomeDoSubgrupo"},
    {"Unidade", 0, Esquerda, "UnidadeDeVenda"},
    {"Valor de venda", 2100, platform::flexAlignCenterCenter, "ValorDeVenda"},
    {"Valor de custo", 0, Esquerda, "ValorDeCusto"},
    {"Percentual de comissão", 0, Esquerda, "PercentualDeComissao"},
}};
static_assert(ColunasDaMoldura(Colunas));

inline constexpr int32_t colCodigoInterno = ColunaDoCampo(Colunas, "CodigoInterno");
inline constexpr int32_t colCodigoDeBarras = ColunaDoCampo(Colunas, "CodigoDeBarras");
inline constexpr int32_t colNome = ColunaDoCampo(Colunas, "Nome");
inline constexpr int32_t colUnidadeDeVenda = ColunaDoCampo(Colunas, "UnidadeDeVenda");
inline constexpr int32_t colValorDeVenda = ColunaDoCampo(Colunas, "ValorDeVenda");
inline constexpr int32_t colValorDeCusto = ColunaDoCampo(Colunas, "ValorDeCusto");
inline constexpr int32_t colPercentualDeComissao = ColunaDoCampo(Colunas, "PercentualDeComissao");
static_assert(colCodigoInterno == ColunaDoCodigo);

} // namespace PesquisaDeProdutos

class frmPesquisaDeProdutos : public MolduraDePesquisa {
public:
    frmPesquisaDeProdutos();

    // Kept until the dialog is released.
    void FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco);

    platform::Label lblCodigoInternoOuNome{this, "lblCodigoInternoOuNome"};
    suite_controls::QVFind qvfndCodigoInternoOuNome{this, "qvfndCodigoInternoOuNome"};

protected:
    std::shared_ptr<contracts::ComponenteDeNegocio> CriarComponenteDeNegocio() override;
    int32_t Selecionar(contracts::ComponenteDeNegocio& componente,
                       const std::string& texto) override;
    std::string MensagemSemResultado(const std::string& texto) const override;
    bool EscolherResultadoUnico() const override { return !mbooFormularioDeConsultaDePreco; }

private:
    void qvfndCodigoInternoOuNome_Click();

    // A price query: a single match is listed, not chosen.
    bool mbooFormularioDeConsultaDePreco = false;
};

} // namespace KELO_A_PreVendas
