#include "Lookups.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/Registry.h"

#include <stdexcept>

namespace bench {

namespace {

int64_t Rows(contracts::ComponenteDeNegocio& component, int32_t status,
             const platform::RecordsetRef& rows)
{
    if (status != 0) {
        throw std::runtime_error(component.DescricaoDoErro);
    }
    return rows ? rows->RecordCount() : 0;
}

} // namespace

int64_t ProductLookup(std::string name, std::string barcode, double code)
{
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    int32_t status = products->Selecionar(2, 0, 1, "", name, barcode, code);
    return Rows(*products, status, products->ResultadoDaSelecaoEmRecordSet);
}

int64_t ProductDialog(const std::string& typed)
{
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    int32_t status = products->Selecionar(2, 0, 1, typed, "");
    return Rows(*products, status, products->ResultadoDaSelecaoEmRecordSet);
}

int64_t ClientLookup(std::string nickname, double code)
{
    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    int32_t status = clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, "");
    return Rows(*clients, status, clients->ResultadoDaSelecaoEmRecordSet);
}

int64_t ServiceLookup(const std::string& typed)
{
    auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
    int32_t status = services->Selecionar(2, 0, 1, typed, int32_t{0});
    return Rows(*services, status, services->ResultadoDaSelecaoEmRecordSet);
}

} // namespace bench
