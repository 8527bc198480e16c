// The one error reporter and the handler convention every procedure follows: the body runs with
// a checkpoint (1, 2, 3 ... as it passes its groups of statements); a run-time error anywhere in
// it is reported once, with the location "KELO_A_PreVendas, <form>, <procedure>, Ponto: N", and
// the procedure leaves at once with its default result. Nothing retries or cleans up. An error
// raised by the reporter itself is not trapped again: it goes on to the caller.
#pragma once

#include "platform/Errors.h"
#include "platform/Variant.h"

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>

namespace KELO_A_PreVendas {

// Shows an error report through KELO_A_MsgErro.clsMensagem, titled with the application name.
void ExibirMensagemDeErro(const platform::Variant& numero, const platform::Variant& descricao,
                          const platform::Variant& local);

// "KELO_A_PreVendas" + ", frmPreVendas, Form_Resize, Ponto: " + "4".
std::string LocalDoErro(std::string_view localDoProcedimento, int16_t ponto);

// Reports an error caught by a procedure's handler.
void ReportarErroDoProcedimento(int32_t numero, const std::string& descricao,
                                std::string_view localDoProcedimento, int16_t ponto);

// What is reported of a status a business component never gives:
// "<quem> respondeu com a situação 7, que não é conhecida."
std::string DescricaoDaSituacaoDesconhecida(std::string_view quem, int32_t situacao);

// Runs `corpo(ponto)` under the handler convention; `localDoProcedimento` is the procedure's own
// literal, such as ", frmPreVendas, MontarExibirFormulario, Ponto: ".
template <class Corpo>
auto ComTratamentoDeErro(std::string_view localDoProcedimento, Corpo&& corpo)
    -> std::invoke_result_t<Corpo, int16_t&>
{
    using Resultado = std::invoke_result_t<Corpo, int16_t&>;
    int16_t ponto = 1;
    try {
        return corpo(ponto);
    } catch (const platform::RuntimeError& erro) {
        ReportarErroDoProcedimento(erro.Number(), erro.Description(), localDoProcedimento, ponto);
    } catch (const std::bad_alloc&) {
        ReportarErroDoProcedimento(platform::errOutOfMemory,
                                   platform::StandardDescription(platform::errOutOfMemory),
                                   localDoProcedimento, ponto);
    } catch (const std::exception& erro) {
        ReportarErroDoProcedimento(platform::errInternal, erro.what(), localDoProcedimento, ponto);
    }
    if constexpr (!std::is_void_v<Resultado>)
        return Resultado{};
}

} // namespace KELO_A_PreVendas
