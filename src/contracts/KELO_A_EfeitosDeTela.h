// The suite's dark overlay over a window, shown while a screen is busy or a modal step runs.
#pragma once

#include "platform/Object.h"

#include <cstdint>

namespace KELO_A_EfeitosDeTela {

class clsFundoEscuro : public platform::Object {
public:
    static constexpr const char* ClassName = "KELO_A_EfeitosDeTela.clsFundoEscuro";

    // Darkens the window until Remover is called for the same handle. `valor` (1 busy, 0 before
    // a modal dialog) is handed through unchanged.
    virtual void Aplicar(int32_t hWnd, int16_t& valor) = 0;
    // Undoes Aplicar on that window, even when another instance applied it.
    virtual void Remover(int32_t hWnd) = 0;
};

} // namespace KELO_A_EfeitosDeTela
