// Service types: 1 clinical care; 2, 3, 4 simple, medium and complex surgery; 5 baths, grooming
// and aesthetics; 6 lodging; 7 training; 99 others.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace KELO_N_TipoDeServ {

// Numero is the type number, Nome its name.
inline constexpr auto CamposDoTipoDeServico = std::to_array<std::string_view>({"Numero", "Nome"});

class clsTiposDeServ : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_TipoDeServ.clsTiposDeServ";

    // Failure flag; rows of CamposDoTipoDeServico. Callers pass `numero` as 0 and do not read it
    // back; what the implementation writes into it is its own affair.
    virtual int32_t SelecionarParaComboBox(double& numero) = 0;
};

} // namespace KELO_N_TipoDeServ
