// The suite's presentation services as the desktop provides them: the error-report window
// (KELO_A_MsgErro.clsMensagem) is a critical message box under the application's name; the dark
// overlay (KELO_A_EfeitosDeTela.clsFundoEscuro) is the host's translucent overlay widget.
#pragma once

namespace desktop {

class DesktopHost;

// Registers both under their class names, each new instance working through `host`.
void RegisterPresentationServices(DesktopHost& host);

} // namespace desktop
