#include "screen_services/modRolagemComMouse.h"

#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <cmath>

namespace KELO_A_PreVendas {

namespace {

// The form and grid are kept by handle and looked up on use, so a form that went away in the
// meantime is simply not found.
int32_t mlngFormulario_hWnd = 0;
int32_t mlngProcedimentoAnterior = 0;
int32_t mlngGrade_hWnd = 0;

int32_t DividirPor65536Arredondando(int32_t valor)
{
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(valor) / 65536.0));
}

platform::Grid* GradeMantida()
{
    return dynamic_cast<platform::Grid*>(platform::WindowSystem::ControlFromHandle(mlngGrade_hWnd));
}

} // namespace

void AtivarRolagemComMouse(platform::Form& formulario, platform::Grid& grade)
{
    mlngFormulario_hWnd = formulario.hWnd();
    mlngGrade_hWnd = grade.hWnd();
    mlngProcedimentoAnterior = platform::SetWindowLongA(mlngFormulario_hWnd, platform::GWL_WNDPROC,
                                                        platform::AddressOf(&ProcedimentoDeJanela));
}

void DesativarRolagemComMouse()
{
    platform::SetWindowLongA(mlngFormulario_hWnd, platform::GWL_WNDPROC, mlngProcedimentoAnterior);
    mlngFormulario_hWnd = 0;
    mlngProcedimentoAnterior = 0;
    mlngGrade_hWnd = 0;
}

int32_t ProcedimentoDeJanela(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam)
{
    if (uMsg == platform::WM_MOUSEWHEEL) {
        const int32_t estadoDasTeclas = wParam & 0xFFFF;
        const int32_t rotacao = DividirPor65536Arredondando(wParam);
        const int32_t x = lParam & 0xFFFF;
        const int32_t y = DividirPor65536Arredondando(lParam);
        if (platform::Grid* grade = GradeMantida())
            RolarGrade(estadoDasTeclas, rotacao, x, y, *grade);
    }
    return platform::CallWindowProcA(mlngProcedimentoAnterior, hWnd, uMsg, wParam, lParam);
}

void RolarGrade(int32_t, int32_t rotacao, int32_t, int32_t, platform::Grid& grade)
{
    try {
        const int32_t alturaDaLinha = grade.RowHeight(0);
        int32_t passo = alturaDaLinha > 0 ? grade.Height / alturaDaLinha : 10;
        passo = std::max(passo, 10);
        int32_t novaLinhaDoTopo = 0;
        if (rotacao > 0)
            novaLinhaDoTopo = std::max(grade.TopRow - passo, 1);
        else
            novaLinhaDoTopo = std::min(grade.TopRow + passo, grade.Rows - 1);
        grade.TopRow = novaLinhaDoTopo;
    } catch (...) {
        // A grid without rows must not stop the message on its way.
    }
}

int32_t ProcedimentoAnterior()
{
    return mlngProcedimentoAnterior;
}

} // namespace KELO_A_PreVendas
