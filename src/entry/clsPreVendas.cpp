#include "entry/clsPreVendas.h"

#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "presale/frmPreVendas.h"

namespace KELO_A_PreVendas {

void clsPreVendas::DadosDoUsuario(platform::ObjectRef& usuario)
{
    modPrincipal::gobjDadosDoUsuario = usuario;
}

void clsPreVendas::NomeDaAplicacao(const std::string& nome)
{
    modPrincipal::gstrNomeDaAplicacao = nome;
}

platform::Variant clsPreVendas::PreVendas(int32_t FomularioDoMenu_hWnd, int32_t AreaDeTrabalho_hWnd)
{
    ComTratamentoDeErro(", clsPreVendas, PreVendas, Ponto: ", [&](int16_t& ponto) {
        modPrincipal::RegistrarFimDeAcaoDoUsuario();
        modPrincipal::glngFomularioDoMenu_hWnd = FomularioDoMenu_hWnd;
        ponto = 2;
        modPrincipal::gfrmPreVendas = std::make_shared<frmPreVendas>();
        ponto = 3;
        // Its failures are reported by the form itself.
        modPrincipal::gfrmPreVendas->MontarExibirFormulario(AreaDeTrabalho_hWnd);
    });
    return {};
}

} // namespace KELO_A_PreVendas
