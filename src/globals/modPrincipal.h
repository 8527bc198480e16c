// What the host hands over, kept for every form of the component: the pre-sale form, the
// logged-in user, the application's name (every message box's title) and the menu window that
// the dark overlay darkens.
#pragma once

#include "platform/Object.h"

#include <cstdint>
#include <memory>
#include <string>

namespace KELO_A_PreVendas {

class frmPreVendas;

namespace modPrincipal {

// Keeps the pre-sale form alive; replaced by a new form on every PreVendas call.
inline std::shared_ptr<frmPreVendas> gfrmPreVendas;
// The host's user object, handed unchanged to business components and read for the rights.
inline platform::ObjectRef gobjDadosDoUsuario;
inline std::string gstrNomeDaAplicacao;
inline int32_t glngFomularioDoMenu_hWnd = 0;

// One-shot flags that let the events caused by the form's own writes pass without effect. Both
// are lowered when the user action that raised them has been handled (RegistrarFimDeAcaoDoUsuario).
inline bool gbooIgnorarProximoEvento = false;
inline bool gbooIgnorarProximoClickDoTipoDeServico = false;

// Unloads the component: its form and everything the host handed over are let go.
void Descarregar();

// Hands the platform the end-of-action hook that lowers both one-shot flags; once per process.
void RegistrarFimDeAcaoDoUsuario();

} // namespace modPrincipal

// The name of the component's file, the first part of every error location.
inline constexpr const char* NomeDoComponente = "KELO_A_PreVendas";

} // namespace KELO_A_PreVendas
