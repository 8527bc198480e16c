#include "entry/modPrincipal.h"

#include "platform/Host.h"

namespace KELO_A_PreVendas::modPrincipal {

void RegistrarFimDeAcaoDoUsuario()
{
    static const bool registrado = [] {
        platform::AddEndOfDispatchHook([] {
            gbooIgnorarProximoEvento = false;
            gbooIgnorarProximoClickDoTipoDeServico = false;
        });
        return true;
    }();
    (void)registrado;
}

} // namespace KELO_A_PreVendas::modPrincipal
