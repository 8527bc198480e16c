// The one way in and the one way out for a host: every host (the desktop, the scenario runner,
// the tests' session) opens and unloads the component through these two, so none of them reaches
// into the screen's own rooms or repeats the start sequence.
#pragma once

#include "platform/Object.h"

#include <cstdint>
#include <optional>
#include <string>

namespace KELO_A_PreVendas {

// As a host's menu does, inside one user action: creates clsPreVendas, hands over the user object
// and the application's name (left unset when absent), and calls PreVendas with both windows.
void AbrirPreVendas(const platform::ObjectRef& usuario,
                    const std::optional<std::string>& nomeDaAplicacao, int32_t menu_hWnd,
                    int32_t areaDeTrabalho_hWnd);

// Unloads the component: the pre-sale form and everything the host handed over are let go. A
// host calls it before its windows and its platform::Host go.
void DescarregarComponente();

} // namespace KELO_A_PreVendas
