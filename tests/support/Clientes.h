// Client rows as the business layer answers them, with what a test does not care about filled in:
//   auto rows = support::Clientes({{.Codigo = 7, .Apelido = "Rex"}, {.Codigo = 8, .Situacao = 3}});
#pragma once

#include "contracts/KELO_N_ClientAnim.h"
#include "platform/Currency.h"
#include "platform/Recordset.h"
#include "support/RecordsetBuilder.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace support {

struct Cliente {
    int32_t Codigo = 1;
    std::string Apelido = "Cliente";
    std::string Nome = "Cliente da Silva";
    platform::Variant Situacao = 1;
    std::string VIP = "Não";
    std::string DescontoUnico = "Não";
    std::string Categoria = "B";
    // The single percentage, then one per service type, in the order of the client fields.
    std::array<double, 9> Percentuais{};
};

inline platform::RecordsetRef Clientes(std::initializer_list<Cliente> clientes)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_ClientAnim::CamposDoCliente));
    for (const Cliente& cliente : clientes) {
        std::vector<platform::Variant> row{cliente.Codigo,
                                           cliente.Apelido,
                                           cliente.Nome,
                                           cliente.Situacao,
                                           "Rua das Acácias, " + std::to_string(cliente.Codigo),
                                           "Telefone: (11) 5555-0101",
                                           platform::Currency::FromDouble(150.0),
                                           cliente.VIP,
                                           cliente.DescontoUnico,
                                           cliente.Categoria};
        for (double percentual : cliente.Percentuais)
            row.emplace_back(platform::Currency::FromDouble(percentual));
        rows.Row(std::move(row));
    }
    return rows.Build();
}

} // namespace support
