#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "platform/Currency.h"
#include "platform/Errors.h"
#include "support/FakeComponents.h"
#include "support/FakeUser.h"
#include "support/RecordsetBuilder.h"

#include <gtest/gtest.h>

using namespace platform;
using support::FakeAnswer;

namespace {

using KELO_N_ClientAnim::clsClientes;
using KELO_N_PreVendas::clsPreVendas;

TEST(FakeBusinessLayer, RecordsArgumentsAsHandedThenWritesBack)
{
    support::FakeComponents fakes;
    auto answer =
        FakeAnswer::WithRows(support::RecordsetBuilder({"CodigoDoCliente"}).Row({7.0}).Build());
    answer.WriteBack[5] = 7.0;
    fakes.BusinessLayer.Answer<clsClientes>("Selecionar", answer);
    const auto user = std::make_shared<support::FakeUser>();

    const auto clientes = contracts::CreateObject<clsClientes>();
    clientes->DadosDoUsuario = user;
    std::string apelido = "REX";
    double codigo = 0;
    EXPECT_EQ(clientes->Selecionar(2, 0, 0, "", apelido, codigo, "", "", "", 0, ""), 0);

    EXPECT_EQ(codigo, 7.0);
    EXPECT_EQ(clientes->ResultadoDaSelecaoEmRecordSet->RecordCount(), 1);
    const auto calls = fakes.BusinessLayer.CallsTo<clsClientes>("Selecionar");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Arguments.at(1), Variant(int16_t{0}));
    EXPECT_EQ(calls[0].Arguments.at(4), Variant("REX"));
    EXPECT_EQ(calls[0].Arguments.at(5), Variant(0.0));
    EXPECT_EQ(calls[0].DadosDoUsuario, user);
}

TEST(FakeBusinessLayer, StoredItemsKeepTheirFieldsTypesAndGetNumbersInTurn)
{
    support::FakeComponents fakes;
    fakes.BusinessLayer.AnswerInTurn<clsPreVendas>(
        "Incluir", {FakeAnswer{}, FakeAnswer::Refusal(3, "Caixa fechado"), FakeAnswer{}});

    std::vector<int32_t> results;
    std::vector<int32_t> numbers;
    for (int i = 0; i < 4; ++i) {
        const auto item = contracts::CreateObject<clsPreVendas>();
        item->CodigoDoFuncionario = int16_t{0};
        item->Quantidade = Currency::FromInteger(2);
        results.push_back(item->Incluir());
        numbers.push_back(item->NumeroDeLancamentoGerado);
    }

    EXPECT_EQ(results, (std::vector<int32_t>{0, 3, 0, 0}));
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 0, 2, 3}));
    const auto calls = fakes.BusinessLayer.CallsTo<clsPreVendas>("Incluir");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].Instance, 2);
    EXPECT_EQ(calls[1].Properties.at("CodigoDoFuncionario").Type(), VarType::Integer);
    EXPECT_EQ(calls[1].Properties.at("Quantidade"), Variant(Currency::FromInteger(2)));
    EXPECT_TRUE(calls[1].Properties.at("Custo").IsEmpty());
    EXPECT_EQ(fakes.BusinessLayer.InstancesCreated(clsPreVendas::ClassName), 4);
    EXPECT_EQ(fakes.BusinessLayer.InstancesAlive(clsPreVendas::ClassName), 0);
}

TEST(FakeBusinessLayer, FailuresLeaveNoRowsAndRaisingAnswersRaise)
{
    support::FakeComponents fakes;
    fakes.BusinessLayer.AnswerInTurn<clsPreVendas>(
        "SelecionarServicosEfetuadosEProdutosReservados",
        {FakeAnswer::Error(-2147467259, "Falha de E/S", "KELO_N_PreVendas, Selecionar"),
         FakeAnswer::Raising(errOverflow)});
    const auto preVendas = contracts::CreateObject<clsPreVendas>();
    double codigo = 12;

    EXPECT_EQ(preVendas->SelecionarServicosEfetuadosEProdutosReservados(codigo), 1);
    EXPECT_EQ(preVendas->ResultadoDaSelecaoEmRecordSet, nullptr);
    EXPECT_EQ(preVendas->NumeroDoErro, -2147467259);
    EXPECT_EQ(preVendas->LocalDoErro, "KELO_N_PreVendas, Selecionar");
    EXPECT_THROW(preVendas->SelecionarServicosEfetuadosEProdutosReservados(codigo), RuntimeError);
}

TEST(FakePresentation, OverlayIsSharedByInstancesAndReportsAreRecorded)
{
    support::FakeComponents fakes;
    int16_t valor = 1;
    contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>()->Aplicar(10, valor);
    EXPECT_TRUE(fakes.DarkOverlay.IsDark(10));
    contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>()->Remover(10);
    EXPECT_FALSE(fakes.DarkOverlay.IsDark(10));
    EXPECT_EQ(fakes.DarkOverlay.Applied(10), 1);
    EXPECT_EQ(fakes.DarkOverlay.Removed(11), 0);

    std::string app = "Kelo";
    fakes.ErrorMessages.RaiseOnExibir(errCannotCreateObject);
    EXPECT_THROW(contracts::CreateObject<KELO_A_MsgErro::clsMensagem>()->Exibir(
                     Variant(13), Variant("Type mismatch"), Variant("KELO_A_PreVendas, x"), app),
                 RuntimeError);
    ASSERT_EQ(fakes.ErrorMessages.Reports().size(), 1u);
    EXPECT_EQ(fakes.ErrorMessages.Reports()[0].Numero, Variant(13));
    EXPECT_EQ(fakes.ErrorMessages.Reports()[0].NomeDaAplicacao, "Kelo");
}

} // namespace
