// The scale-label reader on any text, any format and any unit value: it never throws, a refusal
// carries a run-time error of its own and nothing else, and what it reads agrees with itself.
#include "FuzzInput.h"

#include "presale/EtiquetaDeBalanca.h"

using namespace KELO_A_PreVendas;

namespace {

bool IsRefusalNumber(int32_t number)
{
    return number == 6 || number == 11 || number == 13;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    // Mostly the two real formats, sometimes any other value.
    const uint8_t choice = input.Byte();
    const auto formato = static_cast<int16_t>(choice < 200 ? 1 + choice % 2 : choice - 220);
    const std::string valorUnitario(input.Part());
    const std::string etiqueta(input.Rest());

    EhEtiquetaDeBalanca(etiqueta);
    const CodigoDaEtiqueta codigo = LerCodigoInternoDaEtiqueta(etiqueta);
    if (codigo.Recusa) {
        fuzz::Require(IsRefusalNumber(codigo.Recusa->Numero), "a code refusal is 6, 11 or 13");
        fuzz::Require(codigo.CodigoInterno.empty(), "a refused code is empty");
    }

    const QuantidadeDaEtiqueta lido = LerQuantidadeDaEtiqueta(etiqueta, formato, valorUnitario);
    if (formato != FormatoDeBalancaPreco && formato != FormatoDeBalancaPeso) {
        fuzz::Require(!lido.Quantidade && !lido.ValorEmbutido && !lido.Recusa,
                      "another format reads nothing");
    } else if (lido.Recusa) {
        fuzz::Require(IsRefusalNumber(lido.Recusa->Numero), "a quantity refusal is 6, 11 or 13");
        fuzz::Require(!lido.Quantidade && !lido.ValorEmbutido, "a refusal carries no value");
    } else {
        fuzz::Require(lido.Quantidade && lido.ValorEmbutido, "a read label carries its values");
        if (formato == FormatoDeBalancaPeso)
            fuzz::Require(*lido.Quantidade == *lido.ValorEmbutido, "a weight is the quantity");
    }
    return 0;
}
