#include "screen_services/modArredondarCantosDoObjeto.h"

#include "contracts/KELO_N_SO.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "platform/Runtime.h"
#include "platform/WindowSystem.h"

namespace KELO_A_PreVendas {

void ArredondarCantosDoObjeto(int32_t& hWnd, uint8_t& raio)
{
    ComTratamentoDeErro(
        ", modArredondarCantosDoObjeto, ArredondarCantosDoObjeto, Ponto: ", [&](int16_t& ponto) {
            auto lobjSO = contracts::CreateObject<KELO_N_SO::clsObterVersaoDoSO>();
            const std::string lstrVersaoDoSO = lobjSO->ObterversaoDoSO();
            lobjSO.reset();
            if (platform::UCase(lstrVersaoDoSO) == platform::UCase("Windows 8"))
                return;
            ponto = 2;
            platform::RECT lrecRetangulo;
            platform::GetClientRect(hWnd, lrecRetangulo);
            const int32_t llngRegiao =
                platform::CreateRoundRectRgn(lrecRetangulo.Left, lrecRetangulo.Top,
                                             lrecRetangulo.Right, lrecRetangulo.Bottom, raio, raio);
            platform::SetWindowRgn(hWnd, llngRegiao, true);
        });
}

} // namespace KELO_A_PreVendas
