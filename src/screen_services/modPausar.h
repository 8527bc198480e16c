// A pause that keeps the screen alive: window events are processed until the time has passed.
#pragma once

#include "platform/Variant.h"

namespace KELO_A_PreVendas {

// Also ends when the time of day wraps at midnight during the pause.
void Pausar(const platform::Variant& segundos);

} // namespace KELO_A_PreVendas
