#include "screen_services/modBordaDoWindows8.h"

#include "contracts/KELO_N_SO.h"
#include "contracts/Registry.h"
#include "platform/Runtime.h"

namespace KELO_A_PreVendas {

void DesenharBordaDoWindows8(platform::Form& formulario, std::unique_ptr<platform::Shape>& lshpObj)
{
    auto lobjSO = contracts::CreateObject<KELO_N_SO::clsObterVersaoDoSO>();
    if (platform::UCase(lobjSO->ObterversaoDoSO()) != platform::UCase("Windows 8"))
        return;
    if (!lshpObj)
        lshpObj = std::make_unique<platform::Shape>(&formulario, "lshpObj");
    lshpObj->Visible = true;
    lshpObj->Top = 0;
    lshpObj->Left = 0;
    lshpObj->Height = formulario.ScaleHeight();
    lshpObj->Width = formulario.ScaleWidth();
}

} // namespace KELO_A_PreVendas
