#include "support/session/PreVendasSession.h"

#include "contracts/KELO_N_Empresa.h"
#include "entry/Componente.h"
#include "globals/modPrincipal.h"

namespace support {

PreVendasSession::PreVendasSession()
{
    platform::SetHost(&Host);
    MenuWindow = platform::WindowSystem::CreateHostWindow("menu", 1280, 800);
    WorkArea = platform::WindowSystem::CreateHostWindow("work area", 1024, 700);
    Fakes.BusinessLayer.Answer<KELO_N_TipoDeServ::clsTiposDeServ>(
        "SelecionarParaComboBox", FakeAnswer::WithRows(TiposDeServicoDeExemplo()));
    // A shop is registered, without a promotion or a discount ceiling.
    Fakes.BusinessLayer.Answer<KELO_N_Empresa::clsEmpresa>(
        "Selecionar", FakeAnswer::WithRows(
                          RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
                              .Row({"Kelo Pet Shop", 2, "", "", 0, 0, "", "", 0, 0})
                              .Build()));
}

PreVendasSession::~PreVendasSession()
{
    KELO_A_PreVendas::DescarregarComponente();
    platform::Screen::ClearFocus();
    platform::WindowSystem::Unregister(MenuWindow);
    platform::WindowSystem::Unregister(WorkArea);
    platform::SetHost(nullptr);
}

// As the host's menu does: hand over the user and the name, then open the screen.
void PreVendasSession::Start()
{
    KELO_A_PreVendas::AbrirPreVendas(User, std::string(NomeDaAplicacao), MenuWindow, WorkArea);
}

KELO_A_PreVendas::frmPreVendas& PreVendasSession::Form()
{
    return *KELO_A_PreVendas::modPrincipal::gfrmPreVendas;
}

} // namespace support
