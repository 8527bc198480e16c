#include "host/desktop/PresentationServices.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/Registry.h"
#include "host/desktop/DesktopHost.h"
#include "suite_controls/SuiteControls.h"

namespace desktop {

namespace {

class Mensagem : public KELO_A_MsgErro::clsMensagem {
public:
    explicit Mensagem(DesktopHost& host) : m_host(host) {}

    void Exibir(const platform::Variant& numero, const platform::Variant& descricao,
                const platform::Variant& local, std::string& nomeDaAplicacao) override
    {
        // A description may quote what was sent with the failing call: never a password.
        const std::string text = suite_controls::MaskPasswords(
            "Ocorreu um erro inesperado.\n\nNúmero: " + numero.AsString() +
            "\nDescrição: " + descricao.AsString() + "\nLocal: " + local.AsString());
        m_host.ShowMessageBox({text, platform::vbOKOnly | platform::vbCritical, nomeDaAplicacao});
    }

private:
    DesktopHost& m_host;
};

class FundoEscuro : public KELO_A_EfeitosDeTela::clsFundoEscuro {
public:
    explicit FundoEscuro(DesktopHost& host) : m_host(host) {}

    void Aplicar(int32_t hWnd, int16_t&) override { m_host.ApplyOverlay(hWnd); }
    // The overlays live in the host, so any instance removes what another applied.
    void Remover(int32_t hWnd) override { m_host.RemoveOverlay(hWnd); }

private:
    DesktopHost& m_host;
};

} // namespace

void RegisterPresentationServices(DesktopHost& host)
{
    contracts::Register(KELO_A_MsgErro::clsMensagem::ClassName,
                        [&host] { return std::make_shared<Mensagem>(host); });
    contracts::Register(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName,
                        [&host] { return std::make_shared<FundoEscuro>(host); });
}

} // namespace desktop
