#include "screen_services/modFundoEscuro.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/Registry.h"

namespace KELO_A_PreVendas {

void AplicarFundoEscuro(int32_t hWnd, int16_t& valor)
{
    auto lobjFundoEscuro = contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>();
    lobjFundoEscuro->Aplicar(hWnd, valor);
}

void RemoverFundoEscuro(int32_t hWnd)
{
    auto lobjFundoEscuro = contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>();
    lobjFundoEscuro->Remover(hWnd);
}

} // namespace KELO_A_PreVendas
