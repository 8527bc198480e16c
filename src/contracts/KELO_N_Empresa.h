// The company record: trade name, scale-label format, promotion and automatic discount ceiling.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace KELO_N_Empresa {

// The company row. The four dates are "DD/MM/YYYY" texts and may be empty or not a date; the
// four percentages are the promotion and the automatic ceiling for services and for products.
inline constexpr auto CamposDaEmpresa = std::to_array<std::string_view>({
    "NomeFantasia",
    "FormatoDeCodigoDeBarrasParaBalanca",
    "DataInicialDaPromocao",
    "DataFinalDaPromocao",
    "PercPromocaoDeDescontoNaVendaDeServico",
    "PercPromocaoDeDescontoNaVendaDeProduto",
    "DataInicialDoDesctoMaxAutomatico",
    "DataFinalDoDesctoMaxAutomatico",
    "PercDeDescMaxAutNaVendaDeServico",
    "PercDeDescMaxAutNaVendaDeProduto",
});

class clsEmpresa : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_Empresa.clsEmpresa";

    // Status (0 to 3); on 0 at most one row of CamposDaEmpresa, none when no company is
    // registered. The screens pass the selectors 1, 2.
    virtual int32_t Selecionar(int16_t seletor1, int16_t seletor2) = 0;
};

} // namespace KELO_N_Empresa
