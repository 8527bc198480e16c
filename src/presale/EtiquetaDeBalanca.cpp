#include "presale/EtiquetaDeBalanca.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

namespace KELO_A_PreVendas {

namespace {

// Runs a reading step; a run-time error it raises becomes the refusal. Anything else that is
// not the label's fault (out of memory) still goes on to the caller.
template <class Passo>
std::optional<RecusaDaEtiqueta> Recusando(Passo&& passo)
{
    try {
        passo();
        return std::nullopt;
    } catch (const platform::RuntimeError& erro) {
        return RecusaDaEtiqueta{erro.Number(), erro.Description()};
    }
}

} // namespace

bool EhEtiquetaDeBalanca(std::string_view codigoDeBarras)
{
    return platform::Left(codigoDeBarras, 1) == "2";
}

CodigoDaEtiqueta LerCodigoInternoDaEtiqueta(std::string_view etiqueta)
{
    CodigoDaEtiqueta lido;
    lido.Recusa = Recusando([&] {
        const std::string posicoes = platform::Trim(platform::Mid(etiqueta, 2, 6));
        lido.CodigoInterno = platform::CStr(platform::CDbl(posicoes));
    });
    if (lido.Recusa)
        lido.CodigoInterno.clear();
    return lido;
}

QuantidadeDaEtiqueta LerQuantidadeDaEtiqueta(std::string_view etiqueta, int16_t formato,
                                             std::string_view valorUnitario)
{
    QuantidadeDaEtiqueta lido;
    if (formato != FormatoDeBalancaPreco && formato != FormatoDeBalancaPeso)
        return lido;
    lido.Recusa = Recusando([&] {
        if (formato == FormatoDeBalancaPreco) {
            const platform::Currency preco = platform::CCur(platform::Mid(etiqueta, 8, 3) + "," +
                                                            platform::Mid(etiqueta, 11, 2));
            lido.ValorEmbutido = preco;
            const platform::Currency unitario = platform::CCur(std::string(valorUnitario));
            if (unitario.ToDouble() == 0.0)
                platform::Raise(platform::errDivisionByZero);
            lido.Quantidade =
                platform::Currency::FromDouble(preco.ToDouble() / unitario.ToDouble());
        } else {
            const platform::Currency peso = platform::CCur(platform::Mid(etiqueta, 8, 2) + "," +
                                                           platform::Mid(etiqueta, 10, 3));
            lido.ValorEmbutido = peso;
            lido.Quantidade = peso;
        }
    });
    if (lido.Recusa) {
        lido.Quantidade.reset();
        lido.ValorEmbutido.reset();
    }
    return lido;
}

} // namespace KELO_A_PreVendas
