// The dark overlay over a window while the component is busy or a modal step runs. Each call
// creates the overlay component afresh; failures go to the caller's handler.
#pragma once

#include <cstdint>

namespace KELO_A_PreVendas {

void AplicarFundoEscuro(int32_t hWnd, int16_t& valor);
void RemoverFundoEscuro(int32_t hWnd);

} // namespace KELO_A_PreVendas
