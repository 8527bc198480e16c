#include "store/PrintFilter.h"

#include <limits>

namespace store {

namespace {

constexpr std::string_view kServicesBefore =
    " WHERE ((ServicosEfetuados.NumeroDaVenda=0  AND (ServicosEfetuados.NumeroDaFichaClinica=0 OR "
    "(ServicosEfetuados.NumeroDaFichaClinica) Is Null)) AND ((ServicosEfetuados.CodigoDoCliente)=";
constexpr std::string_view kServicesAfter = ") AND ((TiposDeServicos.Numero)>4)) ";
constexpr std::string_view kProductsBefore =
    " WHERE (((ProdutosReservados.NumeroDaVenda)=0) AND ((ProdutosReservados.CodigoDoCliente)=";
constexpr std::string_view kProductsAfter =
    ") AND ((ProdutosReservados.NumeroDaFichaClinica) Is Null)) ";

std::optional<int32_t> CodeBetween(std::string_view text, std::string_view before,
                                   std::string_view after)
{
    if (text.size() <= before.size() + after.size() || !text.starts_with(before) ||
        !text.ends_with(after)) {
        return std::nullopt;
    }
    std::string_view digits =
        text.substr(before.size(), text.size() - before.size() - after.size());
    int64_t code = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        code = code * 10 + (c - '0');
        if (code > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int32_t>(code);
}

} // namespace

std::optional<int32_t> RecognisePrintFilters(std::string_view services, std::string_view products)
{
    auto serviceClient = CodeBetween(services, kServicesBefore, kServicesAfter);
    auto productClient = CodeBetween(products, kProductsBefore, kProductsAfter);
    if (!serviceClient || !productClient || *serviceClient != *productClient) {
        return std::nullopt;
    }
    return serviceClient;
}

} // namespace store
