#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "support/session/PreVendasSession.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using KELO_A_PreVendas::ComTratamentoDeErro;
using support::PreVendasSession;

namespace {

class ErrorHandler : public ::testing::Test {
protected:
    void SetUp() override { KELO_A_PreVendas::modPrincipal::gstrNomeDaAplicacao = "Kelo Pet Shop"; }

    PreVendasSession session;
};

std::string Reports(const PreVendasSession& session)
{
    std::string all;
    for (const auto& report : session.Fakes.ErrorMessages.Reports())
        all += report.Numero.AsString() + " " + report.Descricao.AsString() + " @ " +
               report.Local.AsString() + " (" + report.NomeDaAplicacao + ")\n";
    return all;
}

TEST_F(ErrorHandler, ReportsOnceWithNumberDescriptionLocationAndApplicationName)
{
    const std::pair<std::function<void()>, const char*> rows[] = {
        {[] { platform::Raise(platform::errOverflow); }, "6 Overflow"},
        {[] { platform::Raise(13, "Type mismatch"); }, "13 Type mismatch"},
        {[] { throw std::bad_alloc(); }, "7 Out of memory"},
        {[] { throw std::logic_error("broken"); }, "51 broken"},
        {nullptr, nullptr}, // no error: the procedure's own result, nothing reported
    };
    for (const auto& [fail, report] : rows) {
        session.Fakes.ErrorMessages.ForgetReports();
        bool finished = false;
        const int16_t result = ComTratamentoDeErro(
            ", frmPreVendas, Form_Resize, Ponto: ", [&](int16_t& ponto) -> int16_t {
                ponto = 4;
                if (fail)
                    fail();
                finished = true;
                return 7;
            });
        // On an error the procedure leaves at once with the default result.
        EXPECT_EQ(result, fail ? 0 : 7);
        EXPECT_EQ(finished, !fail);
        EXPECT_EQ(Reports(session),
                  report ? std::string(report) +
                               " @ KELO_A_PreVendas, frmPreVendas, Form_Resize, Ponto: 4 (Kelo "
                               "Pet Shop)\n"
                         : "");
    }
}

TEST_F(ErrorHandler, AnErrorOfTheReporterItselfGoesOnToTheCaller)
{
    support::FakeErrorMessages::Unregister();
    EXPECT_THROW(ComTratamentoDeErro(", frmPreVendas, Form_Resize, Ponto: ",
                                     [](int16_t&) { platform::Raise(platform::errOverflow); }),
                 platform::RuntimeError);
}

} // namespace
