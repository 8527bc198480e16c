// Rounded corners for a window, except where the system reports itself as "Windows 8".
#pragma once

#include <cstdint>

namespace KELO_A_PreVendas {

void ArredondarCantosDoObjeto(int32_t& hWnd, uint8_t& raio);

} // namespace KELO_A_PreVendas
