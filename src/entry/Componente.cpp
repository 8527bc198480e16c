#include "entry/Componente.h"

#include "entry/clsPreVendas.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "presale/frmPreVendas.h"

namespace KELO_A_PreVendas {

void AbrirPreVendas(const platform::ObjectRef& usuario,
                    const std::optional<std::string>& nomeDaAplicacao, int32_t menu_hWnd,
                    int32_t areaDeTrabalho_hWnd)
{
    platform::UserAction action;
    // A new screen replaces the old one: an item taken back there is stored back first.
    if (modPrincipal::gfrmPreVendas)
        modPrincipal::gfrmPreVendas->DevolverItemRetomado();
    clsPreVendas component;
    platform::ObjectRef user = usuario;
    component.DadosDoUsuario(user);
    if (nomeDaAplicacao)
        component.NomeDaAplicacao(*nomeDaAplicacao);
    component.PreVendas(menu_hWnd, areaDeTrabalho_hWnd);
}

void DescarregarComponente()
{
    if (modPrincipal::gfrmPreVendas)
        modPrincipal::gfrmPreVendas->DevolverItemRetomado();
    modPrincipal::Descarregar();
}

} // namespace KELO_A_PreVendas
