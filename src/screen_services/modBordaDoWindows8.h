// The thin frame the dialogs draw along their client area on Windows 8, whose windows have no
// visible edge of their own: a rectangle shape "lshpObj" with the platform's default look
// (a solid one-pixel border in the window-text colour, transparent inside). Every other system
// gets nothing. The operating system's name comes from KELO_N_SO.clsObterVersaoDoSO, compared
// whole and ignoring case.
#pragma once

#include "platform/Controls.h"

#include <memory>

namespace KELO_A_PreVendas {

// Called from a dialog's Form_Load; `lshpObj` keeps the shape once it is added.
void DesenharBordaDoWindows8(platform::Form& formulario, std::unique_ptr<platform::Shape>& lshpObj);

} // namespace KELO_A_PreVendas
