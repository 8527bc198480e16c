// Storing and deleting pre-sale items: the shared lançamento sequence, the product reservation,
// the conversion of what the screen hands over, the grid's and the printout's selections, and
// a failure at every write point leaving nothing half-stored; and the printout's two filter
// shapes, recognised exactly.
#include "StoreFixture.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "platform/Runtime.h"
#include "store/PrintFilter.h"
#include "store/Tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace storetest {
namespace {

using KELO_N_PreVendas::clsPreVendas;
using platform::Currency;
using platform::Variant;

Variant Money(double value)
{
    return Currency::FromDouble(value);
}

// The fields the screen sets for a bath for Ana's dog Rex, with no employee.
std::shared_ptr<clsPreVendas> Service(int32_t type = 5, double service = 10)
{
    auto item = contracts::CreateObject<clsPreVendas>();
    item->DataDeLancamento = "07/12/2026";
    item->CodigoDoFuncionario = int16_t{0};
    item->CodigoDoCliente = 1.0;
    item->TipoDeLancamento = int16_t{1};
    item->CodigoDoAnimal = int32_t{1};
    item->NumeroDoTipoDeServico = type;
    item->CodigoDoServico = service;
    item->Custo = "12,00";
    item->Quantidade = Money(1);
    item->ValorUnitario = Money(45);
    item->ValorTotal = Money(45);
    item->DescontoEmPercentual = Money(10);
    item->DescontoEmValor = Money(4.5);
    item->ValorLiquido = Money(40.5);
    item->FuncionarioComissionado = false;
    item->PercentualDeComissaoDoFuncionario = int16_t{0};
    item->ValorDaComissaoDoFuncionario = int16_t{0};
    item->TipoDeVenda = "2";
    return item;
}

class Items : public StoreTest {
protected:
    struct State {
        int64_t items;
        int64_t sequence;
        int64_t reserved;
        bool operator==(const State&) const = default;
    };
    State Now()
    {
        return {Scalar("SELECT (SELECT count(*) FROM ServicosEfetuados) +"
                       " (SELECT count(*) FROM ProdutosReservados)"),
                Scalar("SELECT Ultimo FROM Sequencias"),
                Scalar("SELECT QuantidadeReservada FROM Produtos WHERE CodigoInterno = 1003")};
    }
};

TEST_F(Items, ServicesAndProductsShareOneSequenceThatNeverReusesANumber)
{
    std::vector<int32_t> numbers;
    for (auto item : {Service(), Product(), Service()}) {
        ASSERT_EQ(item->Incluir(), 0) << item->DescricaoDaFalha;
        numbers.push_back(item->NumeroDeLancamentoGerado);
    }
    EXPECT_EQ(numbers[1], numbers[0] + 1);
    EXPECT_EQ(numbers[2], numbers[1] + 1);

    ASSERT_EQ(Delete(std::to_string(numbers[2]), "1", "10", "1"), 0);
    auto again = Service();
    ASSERT_EQ(again->Incluir(), 0);
    EXPECT_EQ(again->NumeroDeLancamentoGerado, numbers[2] + 1);
}

struct Conversion {
    const char* field;
    Variant value;
    int32_t status;
    const char* column = ""; // stored column checked on success
    int64_t stored = 0;
};

class IncluirConversions : public Items, public ::testing::WithParamInterface<Conversion> {};

TEST_P(IncluirConversions, ConvertsExactlyOrRefusesWithoutStoringAnything)
{
    const Conversion& row = GetParam();
    State before = Now();
    auto item = Product(2);
    item->Campo(row.field) = row.value;
    int32_t status = item->Incluir();
    ASSERT_EQ(status, row.status) << item->DescricaoDaFalha << item->DescricaoDoErro;
    if (status == 0) {
        EXPECT_EQ(Scalar(std::string("SELECT ") + row.column +
                         " FROM ProdutosReservados WHERE NumeroDeLancamento = " +
                         std::to_string(item->NumeroDeLancamentoGerado)),
                  row.stored);
    } else {
        EXPECT_FALSE(item->DescricaoDaFalha.empty());
        EXPECT_EQ(Now(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Store, IncluirConversions,
    ::testing::ValuesIn(std::vector<Conversion>{
        {"Quantidade", "1.234,5", 0, "Quantidade", 12345000},
        {"Quantidade", "0,125", 0, "Quantidade", 1250},
        {"ValorUnitario", "1.234,56", 0, "ValorUnitario", 12345600},
        {"Custo", int16_t{0}, 0, "Custo", 0},
        {"ValorDaComissaoDoFuncionario", "18,99", 0, "ValorDaComissaoDoFuncionario", 189900},
        {"CodigoDoFuncionario", int16_t{0}, 0, "COALESCE(CodigoDoFuncionario, -1)", -1},
        {"Custo", "12,3a", 2},
        {"Quantidade", "abc", 2},
        {"Quantidade", "", 2},
        {"CodigoDoCliente", 1.5, 2},
        {"CodigoDoCliente", 999.0, 2},
        {"CodigoInternoDoProduto", 424242.0, 2},
        {"CodigoDoFuncionario", int32_t{77}, 2},
        {"TipoDeLancamento", int16_t{3}, 2},
        {"DescontoEmValor", "-1,00", 2},
        {"DescontoEmPercentual", "100,01", 2},
        {"ValorTotal", "379,59", 2},
        {"ValorLiquido", "379,50", 2},
    }));

TEST_F(Items, ServiceThatDoesNotFitItsClientOrTypeIsRefused)
{
    State before = Now();
    auto item = Service();
    item->CodigoDoAnimal = int32_t{4}; // Bidu belongs to client 2
    EXPECT_EQ(item->Incluir(), 2);
    EXPECT_EQ(item->DescricaoDaFalha, "O animal 4 não pertence ao cliente 1.");

    auto grooming = Service(6, 10); // service 10 is a bath, type 5
    EXPECT_EQ(grooming->Incluir(), 2);
    EXPECT_EQ(grooming->DescricaoDaFalha, "O serviço 10 é do tipo 5, não do tipo 6.");
    EXPECT_EQ(Now(), before);
}

TEST_F(Items, ExcluirRefusesWhatItCannotDeleteSafely)
{
    auto item = Product(2);
    ASSERT_EQ(item->Incluir(), 0);
    std::string number = std::to_string(item->NumeroDeLancamentoGerado);
    State stored = Now();
    std::string failure;

    EXPECT_EQ(Delete("987654", "2", "1003", "2,000", &failure), 2);
    EXPECT_NE(failure.find("987654"), std::string::npos);
    EXPECT_EQ(Delete("", "2", "1003", "2,000"), 2);
    EXPECT_EQ(Delete("abc", "2", "1003", "2,000"), 2);
    EXPECT_EQ(Delete(number, "1", "1003", "2,000"), 3);
    EXPECT_EQ(Delete(number, "2", "1004", "2,000"), 3);
    EXPECT_EQ(Delete(number, "2", "1003", "3,000"), 3);
    EXPECT_EQ(Now(), stored);

    m_db->Conn().Execute(
        "UPDATE ProdutosReservados SET NumeroDaVenda = 55 WHERE NumeroDeLancamento = " + number);
    EXPECT_EQ(Delete(number, "2", "1003", "2,000", &failure), 3);
    EXPECT_NE(failure.find("55"), std::string::npos);
    EXPECT_EQ(Now().items, stored.items);
}

TEST_F(Items, ADiscountAccountOutlivesItsItemAndTellsOnlyOfStoredOnes)
{
    auto item = Service();
    ASSERT_EQ(item->Incluir(), 0);
    const int32_t number = item->NumeroDeLancamentoGerado;
    ASSERT_EQ(item->RegistrarAutorizacaoDeDesconto(number, Currency::FromDouble(15),
                                                   Currency::FromDouble(10), "admin"),
              0)
        << item->DescricaoDoErro;
    ASSERT_EQ(Delete(std::to_string(number), "1", "10", "1"), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM AutorizacoesDeDesconto WHERE NumeroDeLancamento = " +
                     std::to_string(number)),
              1);

    EXPECT_EQ(item->RegistrarAutorizacaoDeDesconto(number + 1, Currency::FromDouble(15),
                                                   Currency::FromDouble(10), "admin"),
              2);
    EXPECT_EQ(item->DescricaoDaFalha,
              "O lançamento " + std::to_string(number + 1) +
                  " não está armazenado; a autorização do desconto não foi registrada.");
    EXPECT_EQ(Scalar("SELECT count(*) FROM AutorizacoesDeDesconto"), 1);
}

TEST_F(Items, GridSelectionLeavesOutSoldItemsAndHandsTheGridNoNulls)
{
    m_db->Conn().Execute("UPDATE ProdutosReservados SET NumeroDaVenda = 9"
                         " WHERE CodigoInternoDoProduto = 1234");
    auto items = contracts::CreateObject<clsPreVendas>();
    double client = 1;
    ASSERT_EQ(items->SelecionarServicosEfetuadosEProdutosReservados(client), 0);
    auto rows = items->ResultadoDaSelecaoEmRecordSet;
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->RecordCount(), 3); // demo's four, less the sold one
    EXPECT_EQ(platform::CStr((*rows)["NomeDoFuncionario"]), "Fernanda");
    rows->MoveNext();
    EXPECT_EQ(platform::CStr((*rows)["NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto"]),
              "7891000100103");
    EXPECT_FALSE((*rows)["CodigoDoAnimal"].IsNull());
    EXPECT_EQ(platform::CStr((*rows)["CodigoDoAnimal"]), "");
    EXPECT_EQ(platform::CStr((*rows)["UnidadeDeVendaDoProduto"]), "UN");
    EXPECT_EQ(platform::CStr((*rows)["TipoDeLancamento"]), "2");
}

std::string ServiceFilter(const std::string& code)
{
    return " WHERE ((ServicosEfetuados.NumeroDaVenda=0  AND "
           "(ServicosEfetuados.NumeroDaFichaClinica=0"
           " OR (ServicosEfetuados.NumeroDaFichaClinica) Is Null)) AND "
           "((ServicosEfetuados.CodigoDoCliente)=" +
           code + ") AND ((TiposDeServicos.Numero)>4)) ";
}

std::string ProductFilter(const std::string& code)
{
    return " WHERE (((ProdutosReservados.NumeroDaVenda)=0) AND "
           "((ProdutosReservados.CodigoDoCliente)=" +
           code + ") AND ((ProdutosReservados.NumeroDaFichaClinica) Is Null)) ";
}

// A product stored with a clinical record, even record 0, is paid through it.
TEST_F(Items, PrintSelectionLeavesOutProductsOfAClinicalRecord)
{
    m_db->Conn().Execute("UPDATE ProdutosReservados SET NumeroDaFichaClinica = 0"
                         " WHERE CodigoInternoDoProduto = 1234");
    auto items = contracts::CreateObject<clsPreVendas>();
    std::string services = ServiceFilter("1");
    std::string products = ProductFilter("1");
    ASSERT_EQ(
        items->SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(2, services, products),
        0);
    auto rows = items->ResultadoDaSelecaoParaImpressaoEmRecordset;
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 2); // the bath and the packaged food
}

TEST(PrintFilter, RecognisesOnlyThePrintoutsTwoShapes)
{
    struct Filters {
        std::string services;
        std::string products;
        std::optional<int32_t> client;
    };
    // One blank fewer where the printout writes two.
    std::string oneBlank = ServiceFilter("5");
    oneBlank.replace(oneBlank.find("=0  AND"), 7, "=0 AND");
    const std::vector<Filters> cases = {
        {ServiceFilter("123"), ProductFilter("123"), 123},
        {ServiceFilter("0"), ProductFilter("0"), 0},
        {ServiceFilter("2147483647"), ProductFilter("2147483647"), 2147483647},
        {ServiceFilter("2147483648"), ProductFilter("2147483648"), std::nullopt},
        {ServiceFilter(""), ProductFilter(""), std::nullopt},
        {ServiceFilter("-1"), ProductFilter("-1"), std::nullopt},
        {ServiceFilter("1 "), ProductFilter("1"), std::nullopt},
        {ServiceFilter("12"), ProductFilter("13"), std::nullopt},
        {ProductFilter("12"), ServiceFilter("12"), std::nullopt},
        {ServiceFilter("1 OR 1=1"), ProductFilter("1"), std::nullopt},
        {ServiceFilter("1"), ProductFilter("1) OR ((1=1"), std::nullopt},
        {ServiceFilter("1); DROP TABLE Clientes; --"), ProductFilter("1"), std::nullopt},
        {ServiceFilter("1") + ";", ProductFilter("1"), std::nullopt},
        {ServiceFilter("1").substr(1), ProductFilter("1"), std::nullopt},
        {"WHERE 1=1", ProductFilter("1"), std::nullopt},
        {oneBlank, ProductFilter("5"), std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Filters& c : cases) {
        EXPECT_EQ(store::RecognisePrintFilters(c.services, c.products), c.client)
            << "[" << c.services << "] [" << c.products << "]";
    }
}

TEST_F(Items, PrintSelectionRefusesAnyOtherFilterOrSelectorBeforeReachingTheEngine)
{
    for (int16_t selector : {2, 1}) {
        std::string services = ServiceFilter(selector == 2 ? "1 OR 1=1" : "1");
        std::string products = ProductFilter("1");
        auto items = contracts::CreateObject<clsPreVendas>();
        EXPECT_EQ(items->SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
                      selector, services, products),
                  3);
        EXPECT_EQ(items->DescricaoDaFalha, "Filtro de impressão não reconhecido.");
        EXPECT_FALSE(items->ResultadoDaSelecaoParaImpressaoEmRecordset);
    }
}

TEST_F(Items, AFailureAtAnyWritePointLeavesNothingHalfStored)
{
    State before = Now();
    int failedAt = 0;
    for (int point = 1; point < 20; ++point) {
        m_db->FailAtWritePoint(point);
        auto item = Product(2);
        int32_t status = item->Incluir();
        if (status == 0) {
            break;
        }
        failedAt = point;
        ASSERT_EQ(status, 1);
        EXPECT_EQ(item->LocalDoErro, "KELO_N_PreVendas, clsPreVendas, Incluir");
        EXPECT_EQ(Now(), before) << "write point " << point;
    }
    m_db->FailAtWritePoint(0);
    EXPECT_GE(failedAt, 3); // number, row, reservation, commit
    State stored = Now();
    ASSERT_EQ(stored.items, before.items + 1);

    std::string number = std::to_string(stored.sequence);
    for (int point = 1; point < 20; ++point) {
        m_db->FailAtWritePoint(point);
        if (Delete(number, "2", "1003", "2,000") == 0) {
            break;
        }
        EXPECT_EQ(Now(), stored) << "write point " << point;
    }
    m_db->FailAtWritePoint(0);
    EXPECT_EQ(Now().reserved, before.reserved);
}

} // namespace
} // namespace storetest
