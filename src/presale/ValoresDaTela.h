// How the screen reads and shows money. A box is read as Currency (four places, exact). Every
// double the screen shows or hands over as text goes to Currency first (four places, ties to
// even, from the decimal the double stands for) and only then through the display's "#,##0.00"
// (half away from zero): 1 x 5,35 at 50 % is 2,68, as a person working it out would write.
#pragma once

#include "platform/Currency.h"
#include "suite_controls/SuiteControls.h"

#include <string>

namespace KELO_A_PreVendas {

inline constexpr const char* FormatoDeValor = "#,##0.00";

std::string TextoDoValor(double valor);
std::string TextoDoValor(platform::Currency valor);
platform::Currency Valor(const suite_controls::QVNumberBox& caixa);

} // namespace KELO_A_PreVendas
