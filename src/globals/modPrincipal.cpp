#include "globals/modPrincipal.h"

#include "platform/Host.h"

namespace KELO_A_PreVendas::modPrincipal {

void Descarregar()
{
    gfrmPreVendas.reset();
    gobjDadosDoUsuario.reset();
    gstrNomeDaAplicacao.clear();
    glngFomularioDoMenu_hWnd = 0;
    gbooIgnorarProximoEvento = false;
    gbooIgnorarProximoClickDoTipoDeServico = false;
}

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
