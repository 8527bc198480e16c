// The component's one public class: the host hands over its user object and its name, then asks
// for the pre-sale screen inside its work-area window.
#pragma once

#include "platform/Object.h"
#include "platform/Variant.h"

#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

class clsPreVendas : public platform::Object {
public:
    static constexpr const char* ClassName = "KELO_A_PreVendas.clsPreVendas";

    void DadosDoUsuario(platform::ObjectRef& usuario);
    void NomeDaAplicacao(const std::string& nome);
    // Builds a new pre-sale form inside AreaDeTrabalho_hWnd; always answers the empty value.
    platform::Variant PreVendas(int32_t FomularioDoMenu_hWnd, int32_t AreaDeTrabalho_hWnd);
};

} // namespace KELO_A_PreVendas
