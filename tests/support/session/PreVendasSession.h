// A pre-sale screen started as a host starts it, headless, over fake business components:
//   support::PreVendasSession session;      // service types 1, 4, 5, 6 and 99 answered, and a
//                                            // company without promotion or ceiling
//   session.Start();                         // clsPreVendas::PreVendas inside a user action
//   frmPreVendas& form = session.Form();
// A test program that uses it links `support_session`, which links the component.
#pragma once

#include "platform/Controls.h"
#include "platform/HeadlessHost.h"
#include "platform/WindowSystem.h"
#include "presale/frmPreVendas.h"
#include "support/FakeComponents.h"
#include "support/FakeUser.h"
#include "support/RecordsetBuilder.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/KELO_N_TipoDeServ.h"

#include <memory>
#include <string>

namespace support {

inline platform::RecordsetRef TiposDeServicoDeExemplo()
{
    return RecordsetBuilder(contracts::FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico))
        .Row({1, "Atendimento clínico"})
        .Row({4, "Cirurgia complexa"})
        .Row({5, "Banhos, tosas e estética"})
        .Row({6, "Hospedagem"})
        .Row({99, "Outros"})
        .Build();
}

class PreVendasSession {
public:
    static constexpr const char* NomeDaAplicacao = "Kelo Pet Shop";

    PreVendasSession();
    ~PreVendasSession();

    PreVendasSession(const PreVendasSession&) = delete;
    PreVendasSession& operator=(const PreVendasSession&) = delete;

    // As the host's menu does: hand over the user and the name, then open the screen.
    void Start();

    KELO_A_PreVendas::frmPreVendas& Form();

    platform::HeadlessHost Host;
    FakeComponents Fakes;
    std::shared_ptr<FakeUser> User = std::make_shared<FakeUser>();
    int32_t MenuWindow = 0;
    int32_t WorkArea = 0;
};

// The 19 fields of an open item as the store answers them (discounts negated).
inline RecordsetBuilder ItensAbertos()
{
    return RecordsetBuilder(contracts::FieldNames(KELO_N_PreVendas::CamposDaGrade));
}

} // namespace support
