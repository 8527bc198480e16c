// Authentication of a supervisor for the discount authorisation.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_Login {

// The authenticated user's row: Administrador is true/false.
inline constexpr auto CamposDoUsuario = std::to_array<std::string_view>({"Administrador"});

class clsLogin : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_Login.clsLogin";

    // Put (trimmed) before Autenticar.
    std::string NomeDeUsuario;
    std::string SenhaDoUsuario;

    // Status (0 to 3); on 0 one row of CamposDoUsuario in ResultadoDaSelecaoEmRecordSet.
    virtual int32_t Autenticar() = 0;
};

} // namespace KELO_N_Login
