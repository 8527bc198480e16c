// Services, looked up by the pre-sale form and by the service search dialog.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_Servicos {

// A service row for the pre-sale form. Custo and ValorDeVenda are money; NumeroDoTipoDeServico is
// the type number of KELO_N_TipoDeServ.
inline constexpr auto CamposDoServico = std::to_array<std::string_view>({
    "Codigo",
    "Nome",
    "Custo",
    "ValorDeVenda",
    "NumeroDoTipoDeServico",
});

// A service row for the search dialog: the form's fields plus Descricao.
inline constexpr auto CamposDoServicoNaPesquisa =
    contracts::CamposMais(CamposDoServico, std::to_array<std::string_view>({"Descricao"}));

class clsServicos : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_Servicos.clsServicos";

    // The pre-sale form's lookup. Failure flag; rows of CamposDoServico. The form passes the
    // selectors 2, 0, 1, an empty search text, the selected service type and one of the name or
    // the code (0 = none).
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa, int16_t& numeroDoTipoDeServico,
                               std::string& nome, double& codigo) = 0;

    // The search dialog's lookup. Failure flag; rows of CamposDoServicoNaPesquisa. The dialog
    // passes the selectors 2, 0, 1, the typed text and the selected service type.
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa,
                               int32_t numeroDoTipoDeServico) = 0;
};

} // namespace KELO_N_Servicos
