// Wheel scrolling of a grid: while it is active the form's window procedure is replaced by
// ProcedimentoDeJanela, which pages the grid on every wheel notch and always passes the message
// on to the procedure it replaced. Errors are ignored: a message must always get through.
#pragma once

#include <cstdint>

namespace platform {
class Form;
class Grid;
} // namespace platform

namespace KELO_A_PreVendas {

void AtivarRolagemComMouse(platform::Form& formulario, platform::Grid& grade);
// Harmless when nothing is active.
void DesativarRolagemComMouse();
int32_t ProcedimentoDeJanela(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam);
// One wheel step: a grid's height of rows (never fewer than 10) up when the wheel turns away
// from the user, down otherwise; the header row stays fixed.
void RolarGrade(int32_t estadoDasTeclas, int32_t rotacao, int32_t x, int32_t y,
                platform::Grid& grade);

// For tests: the procedure kept to pass messages on to (0 while nothing is active).
int32_t ProcedimentoAnterior();

} // namespace KELO_A_PreVendas
