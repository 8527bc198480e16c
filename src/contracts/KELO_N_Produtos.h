// Products, looked up by barcode, internal code or name (pre-sale form) and by the product
// search dialog.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_Produtos {

// A product row for the pre-sale form. ValorDeCusto and ValorDeVenda are money,
// PercentualDeComissao the product's commission percentage.
inline constexpr auto CamposDoProduto = std::to_array<std::string_view>({
    "CodigoInterno",
    "CodigoDeBarras",
    "Nome",
    "ValorDeCusto",
    "ValorDeVenda",
    "UnidadeDeVenda",
    "PercentualDeComissao",
});

// A product row for the search dialog: the form's fields plus the group and subgroup names.
inline constexpr auto CamposDoProdutoNaPesquisa = contracts::CamposMais(
    CamposDoProduto, std::to_array<std::string_view>({"NomeDoGrupo", "NomeDoSubgrupo"}));

class clsProdutos : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_Produtos.clsProdutos";

    // The pre-sale form's lookup. Failure flag; rows of at least CamposDoProduto (the store
    // adds the group names, which the search dialog shows on several matches). The form passes the
    // selectors 2, 0, 1, an empty search text and one of the name, the barcode or the internal
    // code (0 = none).
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa, std::string& nome,
                               std::string& codigoDeBarras, double& codigoInterno) = 0;

    // The search dialog's lookup. Failure flag; rows of CamposDoProdutoNaPesquisa. The dialog
    // passes the selectors 2, 0, 1, the typed text and an empty text.
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa, const std::string& filtro) = 0;
};

} // namespace KELO_N_Produtos
