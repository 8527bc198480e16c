// What every business-layer component of the suite shares: the answer members read after a call,
// the user object handed in before searching or storing, and the result-code convention.
//
// Properties are public data members, set and read as the callers set and read the original
// properties (`lobjClientes->DadosDoUsuario = gobjDadosDoUsuario;`); operations are pure virtual
// member functions. An implementation fills the answer members before it returns; a caller reads
// them only where its result code says so.
#pragma once

#include "platform/Object.h"
#include "platform/Recordset.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace contracts {

// Result codes. A "status" answer uses all four; a "failure flag" answer is read as true/false:
// 0 succeeded, anything else failed and only the three error members are read.
enum Resultado : int32_t {
    resSucesso = 0,
    // NumeroDoErro, DescricaoDoErro and LocalDoErro describe the error, for the error reporter.
    resErro = 1,
    // Refusals: DescricaoDaFalha is shown to the user, with the information or the critical icon.
    resFalhaInformativa = 2,
    resFalhaCritica = 3,
};

// A field list that extends another: the same fields in the same order, then `more`.
template <std::size_t N, std::size_t M>
constexpr std::array<std::string_view, N + M>
CamposMais(const std::array<std::string_view, N>& campos,
           const std::array<std::string_view, M>& more)
{
    std::array<std::string_view, N + M> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = campos[i];
    for (std::size_t i = 0; i < M; ++i)
        all[N + i] = more[i];
    return all;
}

class ComponenteDeNegocio : public platform::Object {
public:
    // The host's user object, set before clients are selected and before items are stored or
    // deleted. The shared reference hands over the very object the host gave, never a copy.
    platform::ObjectRef DadosDoUsuario;

    int32_t NumeroDoErro = 0;
    std::string DescricaoDoErro;
    // The component's own location text; the caller reports it unchanged.
    std::string LocalDoErro;
    std::string DescricaoDaFalha;

    // The rows of the last successful selection; RecordCount is exact.
    platform::RecordsetRef ResultadoDaSelecaoEmRecordSet;
};

// The field names of a kind of row, as a Recordset wants them.
template <std::size_t N>
std::vector<std::string> FieldNames(const std::array<std::string_view, N>& campos)
{
    return {campos.begin(), campos.end()};
}

} // namespace contracts
