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

TEST_F(ErrorHandler, ReportsOnceWithNumberDescriptionLocationAndApplicationName)
{
    struct Row {
        std::function<void()> fail;
        int32_t number;
        std::string description;
    };
    const Row rows[] = {
        {[] { platform::Raise(platform::errOverflow); }, 6, "Overflow"},
        {[] { platform::Raise(13, "Type mismatch"); }, 13, "Type mismatch"},
        {[] { throw std::bad_alloc(); }, 7, "Out of memory"},
        {[] { throw std::logic_error("broken"); }, 51, "broken"},
    };
    for (const Row& row : rows) {
        session.Fakes.ErrorMessages.ForgetReports();
        bool finished = false;
        const int16_t result =
            ComTratamentoDeErro(", frmPreVendas, Form_Resize, Ponto: ", [&](int16_t& ponto) -> int16_t {
                ponto = 4;
                row.fail();
                finished = true;
                return 7;
            });
        EXPECT_EQ(result, 0) << "the default result";
        EXPECT_FALSE(finished) << "the procedure leaves at once";
        const auto reports = session.Fakes.ErrorMessages.Reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].Numero.AsLong(), row.number);
        EXPECT_EQ(reports[0].Descricao.AsString(), row.description);
        EXPECT_EQ(reports[0].Local.AsString(), "KELO_A_PreVendas, frmPreVendas, Form_Resize, Ponto: 4");
        EXPECT_EQ(reports[0].NomeDaAplicacao, "Kelo Pet Shop");
    }
}

TEST_F(ErrorHandler, AProcedureWithoutErrorAnswersItsResultAndReportsNothing)
{
    const int16_t result = ComTratamentoDeErro(", frmPreVendas, LimparCampos, Ponto: ",
                                               [](int16_t&) -> int16_t { return 1; });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(session.Fakes.ErrorMessages.Reports().empty());
}

TEST_F(ErrorHandler, AnErrorOfTheReporterItselfGoesOnToTheCaller)
{
    support::FakeErrorMessages::Unregister();
    EXPECT_THROW(ComTratamentoDeErro(", frmPreVendas, Form_Resize, Ponto: ",
                                     [](int16_t&) { platform::Raise(platform::errOverflow); }),
                 platform::RuntimeError);
}

TEST_F(ErrorHandler, NestedProceduresReportOnlyWhereTheErrorArose)
{
    ComTratamentoDeErro(", frmPreVendas, MontarExibirFormulario, Ponto: ", [](int16_t& ponto) {
        ponto = 2;
        ComTratamentoDeErro(", frmPreVendas, Grade_Configurar, Ponto: ", [](int16_t& inner) {
            inner = 3;
            platform::Raise(platform::errSubscriptOutOfRange);
        });
    });
    const auto reports = session.Fakes.ErrorMessages.Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Local.AsString(), "KELO_A_PreVendas, frmPreVendas, Grade_Configurar, Ponto: 3");
}

} // namespace
