// A weighing scale's label, read where a barcode is typed: "2", the product's internal code in
// positions 2 to 7 (six digits, leading zeros), the portion's price or weight in positions 8 to 12,
// then a check digit nobody verifies (and on 14-character labels one more character, ignored).
// Positions count the characters of the text as typed, untrimmed.
//
// The reading is pure (text and the company's format in, the internal code, the embedded value
// or a refusal out) so any text at all may be handed to it: what does not read is a refusal
// carrying the run-time error the screen reports, never undefined behaviour or a throw.
#pragma once

#include "platform/Currency.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace KELO_A_PreVendas {

// The company's FormatoDeCodigoDeBarrasParaBalanca: what positions 8 to 12 carry.
inline constexpr int16_t FormatoDeBalancaPreco = 1; // "999,99", the portion's price
inline constexpr int16_t FormatoDeBalancaPeso = 2;  // "99,999", the portion's weight

// A refusal: the run-time error that reading the label raised (13 for positions that are no
// number, 11 for a price label over a unit value of zero).
struct RecusaDaEtiqueta {
    int32_t Numero = 0;
    std::string Descricao;
};

// The first character marks a label: "2".
bool EhEtiquetaDeBalanca(std::string_view codigoDeBarras);

struct CodigoDaEtiqueta {
    std::string CodigoInterno; // positions 2 to 7 as the number's text: "001234" -> "1234"
    std::optional<RecusaDaEtiqueta> Recusa;
};
CodigoDaEtiqueta LerCodigoInternoDaEtiqueta(std::string_view etiqueta);

struct QuantidadeDaEtiqueta {
    // Format 1: the price over the unit value, worked in double and rounded to four places;
    // format 2: the weight; any other format: none, the quantity stays "1,000".
    std::optional<platform::Currency> Quantidade;
    std::optional<platform::Currency> ValorEmbutido; // the price or weight the label carries
    std::optional<RecusaDaEtiqueta> Recusa;
};
QuantidadeDaEtiqueta LerQuantidadeDaEtiqueta(std::string_view etiqueta, int16_t formato,
                                             std::string_view valorUnitario);

} // namespace KELO_A_PreVendas
