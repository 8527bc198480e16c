// Employees, for the commission list of the pre-sale form.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_Funcionarios {

// An employee row. Codigo is a 32-bit whole number; Comissionado and ComissaoUnica are "Sim" or
// another text; the eight per-type percentages follow the service types, or
// PercentualDeComissaoUnica applies to all when ComissaoUnica is "Sim".
inline constexpr auto CamposDoFuncionario = std::to_array<std::string_view>({
    "Codigo",
    "Apelido",
    "Comissionado",
    "ComissaoUnica",
    "PercentualDeComissaoUnica",
    "PercentualDeComissaoEmClinicos",
    "PercentualDeComissaoEmCirurgiaSimples",
    "PercentualDeComissaoEmCirurgiaMedia",
    "PercentualDeComissaoEmCirurgiaComplexa",
    "PercentualDeComissaoEmBanhosTosasEEsteticas",
    "PercentualDeComissaoEmHospedagens",
    "PercentualDeComissaoEmAdestramentos",
    "PercentualDeComissaoEmOutros",
});

class clsFuncionarios : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_Funcionarios.clsFuncionarios";

    // Failure flag; rows of CamposDoFuncionario. The form passes the selectors 2, 0, 1, two empty
    // texts and `codigo` as 0 (every employee); it reads `codigo` back only to quote it when
    // nothing was found.
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa, const std::string& filtro,
                               double& codigo) = 0;
};

} // namespace KELO_N_Funcionarios
