// How the pre-sale form reads the yes/no and percentage fields of the business layer's records.
#pragma once

#include "platform/Currency.h"
#include "platform/Runtime.h"
#include "platform/Variant.h"

#include <string>

namespace KELO_A_PreVendas {

// "Sim" in any case.
inline bool EhSim(const std::string& texto)
{
    return platform::UCase(texto) == "SIM";
}

// A percentage a record leaves blank is none.
inline platform::Currency PercentualLido(const platform::Variant& valor)
{
    if (valor.IsNull() ||
        (valor.Type() == platform::VarType::String && platform::Trim(valor.AsString()).empty()))
        return {};
    return platform::CCur(valor);
}

} // namespace KELO_A_PreVendas
