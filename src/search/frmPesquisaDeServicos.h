// The service search dialog: the search frame with the service columns and query, and a list of
// service types that every search is restricted to. Two modes adapt it to its caller: whether it
// fills the type list itself (EfetuarOPreenchimentoDaComboboxTiposDeServicos) or is handed one,
// and a price query (FormularioDeConsultaDePreco), in which a single match stays listed instead
// of being chosen at once.
//
// Choosing another type empties the grid and the find control, except when
// gbooIgnorarProximoClickDoTipoDeServico is up: a caller that lists its own matches and hands
// over its own types raises it before it selects the current type, so the rows stay.
#pragma once

#include "search/MolduraDePesquisa.h"

#include <array>
#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

// The service grid, one table; the caller reads the chosen row through the named columns below.
namespace PesquisaDeServicos {

inline constexpr auto Esquerda = platform::flexAlignLeftCenter;

inline constexpr std::array<ColunaDaPesquisa, 7> Colunas{{
    {"Coluna em branco", 0, Esquerda, nullptr},
    {"Código", 1100, Esquerda, "Codigo"},
    {"Nome", 3150, Esquerda, "Nome"},
    {"Descrição", 7070, Esquerda, "Descricao"},
    {"Valor", 2100, platform::flexAlignCenterCenter, "ValorDeVenda"},
    {"Custo", 0, Esquerda, "Custo"},
    {"Número do tipo de serviço", 0, platform::flexAlignRightCenter, "NumeroDoTipoDeServico"},
}};
static_assert(ColunasDaMoldura(Colunas));

inline constexpr int32_t colCodigo = ColunaDoCampo(Colunas, "Codigo");
inline constexpr int32_t colNome = ColunaDoCampo(Colunas, "Nome");
inline constexpr int32_t colValorDeVenda = ColunaDoCampo(Colunas, "ValorDeVenda");
inline constexpr int32_t colCusto = ColunaDoCampo(Colunas, "Custo");
inline constexpr int32_t colNumeroDoTipoDeServico = ColunaDoCampo(Colunas, "NumeroDoTipoDeServico");
static_assert(colCodigo == ColunaDoCodigo);

} // namespace PesquisaDeServicos

// Fills `lista` with the service types the business layer holds, those numbered `numeroMinimo`
// or above, none selected: 0. No type at all, or a failure of the business layer (reported):
// the dark overlay is removed, 1. Runs inside its caller's error handler.
int16_t PreencherListaDeTiposDeServicos(suite_controls::QVComboBox& lista, int32_t numeroMinimo);

// Services are looked up within a type: with none chosen in `tipos` the user is told so and
// sent to the list (false).
bool TipoDeServicoEscolhido(suite_controls::QVComboBox& tipos);

class frmPesquisaDeServicos : public MolduraDePesquisa {
public:
    frmPesquisaDeServicos();

    // Both are read when the dialog loads, so they are set before anything else.
    void EfetuarOPreenchimentoDaComboboxTiposDeServicos(
        bool lbooEfetuarOPreenchimentoDaComboboxTiposDeServicos);
    void FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco);

    platform::Label lblTipoDeServico{this, "lblTipoDeServico"};
    suite_controls::QVComboBox qvcmbTiposDeServicos{this, "qvcmbTiposDeServicos"};
    platform::Label lblCodigoOuNome{this, "lblCodigoOuNome"};
    suite_controls::QVFind qvfndCodigoOuNome{this, "qvfndCodigoOuNome"};

protected:
    std::shared_ptr<contracts::ComponenteDeNegocio> CriarComponenteDeNegocio() override;
    int32_t Selecionar(contracts::ComponenteDeNegocio& componente,
                       const std::string& texto) override;
    std::string MensagemSemResultado(const std::string& texto) const override;
    bool PodePesquisar() override;
    bool EscolherResultadoUnico() const override { return !mbooFormularioDeConsultaDePreco; }
    bool CarregarControlesProprios() override;
    void AoRedimensionar() override;

private:
    int16_t PreencherComboboxTiposDeServicos();
    void qvcmbTiposDeServicos_Click();
    void qvfndCodigoOuNome_Click();

    // The dialog fills its type list itself when it loads.
    bool mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos = false;
    // A price query: a single match is listed, not chosen.
    bool mbooFormularioDeConsultaDePreco = false;
};

} // namespace KELO_A_PreVendas
