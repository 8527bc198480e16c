// Fakes of the suite's outside components, for the component's tests: business components that
// answer what a test sets and record every call with its arguments, the error-message window that
// records the reports, the dark overlay that counts its uses, and the operating-system name.
//
//   support::FakeComponents fakes; // registered until it goes out of scope
//   fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsClientes>(
//       "Selecionar", support::FakeAnswer::WithRows(clients));
//   ... run the screen ...
//   auto calls = fakes.BusinessLayer.CallsTo<KELO_N_ClientAnim::clsClientes>("Selecionar");
//
// Every creation makes a new instance, as the registry does; the calls of all instances go to one
// log.
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "platform/Recordset.h"
#include "platform/Variant.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace support {

// What a fake business component answers to one call.
struct FakeAnswer {
    int32_t Result = contracts::resSucesso;
    // The rows of a selection. Unset: an empty set of the member's fields on success, nothing on
    // failure.
    platform::RecordsetRef Rows{};
    int32_t NumeroDoErro = 0;
    std::string DescricaoDoErro{};
    std::string LocalDoErro{};
    std::string DescricaoDaFalha{};
    // When not 0, the member raises this run-time error instead of answering.
    int32_t RaiseNumber = 0;

    static FakeAnswer WithRows(platform::RecordsetRef rows) { return {.Rows = std::move(rows)}; }
    // Result 1 with the component's own error.
    static FakeAnswer Error(int32_t numero, std::string descricao, std::string local)
    {
        return {.Result = contracts::resErro,
                .NumeroDoErro = numero,
                .DescricaoDoErro = std::move(descricao),
                .LocalDoErro = std::move(local)};
    }
    // Result 2 or 3 with the refusal's text.
    static FakeAnswer Refusal(int32_t result, std::string descricao)
    {
        return {.Result = result, .DescricaoDaFalha = std::move(descricao)};
    }
    static FakeAnswer Raising(int32_t number) { return {.RaiseNumber = number}; }
};

struct RecordedCall {
    std::string ClassName;
    std::string Member;
    // As the caller handed them.
    std::vector<platform::Variant> Arguments;
    // What was put on the object before the call: the item record's fields (Empty when not
    // set), the login's user name and password.
    std::map<std::string, platform::Variant, std::less<>> Properties;
};

struct FakeBusinessState;

class FakeBusinessLayer {
public:
    FakeBusinessLayer();

    // Every later call of the member answers `answer`; unset members answer success.
    void Answer(std::string_view className, std::string_view member, FakeAnswer answer);
    template <class Contract>
    void Answer(std::string_view member, FakeAnswer answer)
    {
        Answer(Contract::ClassName, member, std::move(answer));
    }
    // What KELO_N_SO.clsObterVersaoDoSO reports; "Windows 10" until set.
    void SetOperatingSystemName(std::string name);

    std::vector<RecordedCall> Calls() const;
    std::vector<RecordedCall> CallsTo(std::string_view className, std::string_view member) const;
    template <class Contract>
    std::vector<RecordedCall> CallsTo(std::string_view member) const
    {
        return CallsTo(Contract::ClassName, member);
    }
    void ForgetCalls();

    // The ten business components (KELO_N_...), registered to these answers and this log.
    void Register() const;
    static void Unregister();

private:
    std::shared_ptr<FakeBusinessState> m_state;
};

struct ErrorReport {
    platform::Variant Numero;
    platform::Variant Descricao;
    platform::Variant Local;
    std::string NomeDaAplicacao;
};

// KELO_A_MsgErro.clsMensagem.
class FakeErrorMessages {
public:
    std::vector<ErrorReport> Reports() const { return *m_reports; }
    void ForgetReports() { m_reports->clear(); }

    void Register() const;
    static void Unregister();

private:
    std::shared_ptr<std::vector<ErrorReport>> m_reports =
        std::make_shared<std::vector<ErrorReport>>();
};

struct OverlayCall {
    std::string Member; // "Aplicar" or "Remover"
    int32_t hWnd = 0;
    int16_t Valor = 0; // Aplicar's value
};

// KELO_A_EfeitosDeTela.clsFundoEscuro: one darkening per window, shared by all instances.
class FakeDarkOverlay {
public:
    std::vector<OverlayCall> Calls() const { return *m_calls; }
    // Aplicar came after the last Remover of that window.
    bool IsDark(int32_t hWnd) const;

    void Register() const;
    static void Unregister();

private:
    std::shared_ptr<std::vector<OverlayCall>> m_calls =
        std::make_shared<std::vector<OverlayCall>>();
};

// Every fake, registered for the lifetime of this object.
class FakeComponents {
public:
    FakeComponents();
    ~FakeComponents();
    FakeComponents(const FakeComponents&) = delete;
    FakeComponents& operator=(const FakeComponents&) = delete;

    FakeBusinessLayer BusinessLayer;
    FakeErrorMessages ErrorMessages;
    FakeDarkOverlay DarkOverlay;
};

} // namespace support
