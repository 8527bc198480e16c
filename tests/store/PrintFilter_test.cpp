// The printout's two filter shapes are recognised exactly; anything else is not a client code.
#include "store/PrintFilter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::string kServicesBefore =
    " WHERE ((ServicosEfetuados.NumeroDaVenda=0  AND (ServicosEfetuados.NumeroDaFichaClinica=0 OR "
    "(ServicosEfetuados.NumeroDaFichaClinica) Is Null)) AND ((ServicosEfetuados.CodigoDoCliente)=";
const std::string kServicesAfter = ") AND ((TiposDeServicos.Numero)>4)) ";
const std::string kProductsBefore =
    " WHERE (((ProdutosReservados.NumeroDaVenda)=0) AND ((ProdutosReservados.CodigoDoCliente)=";
const std::string kProductsAfter = ") AND ((ProdutosReservados.NumeroDaFichaClinica) Is Null)) ";

struct Filters {
    std::string services;
    std::string products;
    std::optional<int32_t> client;
};

std::string Services(const std::string& code)
{
    return kServicesBefore + code + kServicesAfter;
}

std::string Products(const std::string& code)
{
    return kProductsBefore + code + kProductsAfter;
}

TEST(PrintFilter, RecognisesOnlyThePrintoutsTwoShapes)
{
    const std::vector<Filters> cases = {
        {Services("123"), Products("123"), 123},
        {Services("7"), Products("7"), 7},
        {Services("0"), Products("0"), 0},
        {Services("2147483647"), Products("2147483647"), 2147483647},
        {Services("2147483648"), Products("2147483648"), std::nullopt},
        {Services(""), Products(""), std::nullopt},
        {Services("-1"), Products("-1"), std::nullopt},
        {Services("1 "), Products("1"), std::nullopt},
        {Services("12"), Products("13"), std::nullopt},
        {Products("12"), Services("12"), std::nullopt},
        {Services("1 OR 1=1"), Products("1"), std::nullopt},
        {Services("1"), Products("1) OR ((1=1"), std::nullopt},
        {Services("1") + ";", Products("1"), std::nullopt},
        {Services("1").substr(1), Products("1"), std::nullopt},
        {"WHERE 1=1", Products("1"), std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Filters& c : cases) {
        EXPECT_EQ(store::RecognisePrintFilters(c.services, c.products), c.client)
            << "[" << c.services << "] [" << c.products << "]";
    }
    // One blank fewer where the printout writes two.
    std::string oneBlank = Services("5");
    oneBlank.replace(oneBlank.find("=0  AND"), 7, "=0 AND");
    EXPECT_EQ(store::RecognisePrintFilters(oneBlank, Products("5")), std::nullopt);
}

} // namespace
