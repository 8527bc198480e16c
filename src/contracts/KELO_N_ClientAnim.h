// Clients and their animals.
#pragma once

#include "contracts/ComponenteDeNegocio.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_ClientAnim {

// A client row. Situacao: 2 inactive, 3 blocked, 4 deleted (anything else may be served).
// VIP and DescontoUnico are "Sim" (in any case) or another text. The nine percentages are the
// client's discounts: one for every service type, or PercentualUnicoDeDescontos for all when
// DescontoUnico is "Sim".
inline constexpr auto CamposDoCliente = std::to_array<std::string_view>({
    "CodigoDoCliente",
    "ApelidoOuNomeFantasia",
    "NomeOuRazaoSocial",
    "Situacao",
    "EnderecoCompleto",
    "TiposECanaisDeComunicacao",
    "Credito",
    "VIP",
    "DescontoUnico",
    "CategoriaDaCurvaABC",
    "PercentualUnicoDeDescontos",
    "PercentualDeDescontoEmClinicos",
    "PercentualDeDescontoEmCirurgiaSimples",
    "PercentualDeDescontoEmCirurgiaMedia",
    "PercentualDeDescontoEmCirurgiaComplexa",
    "PercentualDeDescontoEmBanhosTosasEEsteticas",
    "PercentualDeDescontoEmHospedagens",
    "PercentualDeDescontoEmAdestramentos",
    "PercentualDeDescontoEmOutros",
});

// An animal row for a combo box: Codigo is a 32-bit whole number.
inline constexpr auto CamposDoAnimal = std::to_array<std::string_view>({"Nome", "Codigo"});

class clsClientes : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_ClientAnim.clsClientes";

    // Failure flag; rows of CamposDoCliente. Set DadosDoUsuario first. The screens pass the
    // selectors 2, 0, 0; the pre-sale form passes an empty search text and one of the nickname
    // or the code (0 = none), the search dialog the typed search text and the rest empty or 0.
    // What the selectors and the further filters select is the implementation's affair.
    virtual int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                               const std::string& textoDePesquisa,
                               std::string& apelidoOuNomeFantasia, double& codigoDoCliente,
                               const std::string& filtro1, const std::string& filtro2,
                               const std::string& filtro3, double filtro4,
                               const std::string& filtro5) = 0;
};

class clsAnimais : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_ClientAnim.clsAnimais";

    // Failure flag; rows of CamposDoAnimal, the client's animals. The screen passes seletor 3.
    virtual int32_t SelecionarParaComboBoxFiltradoPorCliente(double& codigoDoCliente,
                                                             int16_t seletor) = 0;
};

} // namespace KELO_N_ClientAnim
