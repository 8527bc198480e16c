// The store's answers on a large shop: 200 000 products and 20 000 clients, generated once into
// a temporary file. What the counter waits for: a barcode read, an internal code, a name typed
// in the product search, a client's open items, and storing plus deleting one item.
#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct Shop {
    std::filesystem::path dir;
    std::shared_ptr<store::Database> database;

    Shop()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelo-bench-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        database = store::Database::Create((dir / "loja.kelo").string());
        store::Generate(*database, {.clients = 20000, .products = 200000, .itemsPerClient = 4});
        store::RegisterComponents(database);
    }
    ~Shop()
    {
        database.reset();
        std::filesystem::remove_all(dir);
    }
};

Shop& TheShop()
{
    static Shop shop;
    return shop;
}

void ProductLookup(benchmark::State& state, std::string name, std::string barcode, double code)
{
    TheShop();
    for (auto _ : state) {
        auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
        std::string n = name;
        std::string b = barcode;
        double c = code;
        if (products->Selecionar(2, 0, 1, "", n, b, c) != 0) {
            state.SkipWithError("Selecionar failed");
        }
        benchmark::DoNotOptimize(products->ResultadoDaSelecaoEmRecordSet->RecordCount());
    }
}
BENCHMARK_CAPTURE(ProductLookup, Barcode, std::string(), std::string("7890001234561"), 0.0);
BENCHMARK_CAPTURE(ProductLookup, InternalCode, std::string(), std::string(), 123456.0);
BENCHMARK_CAPTURE(ProductLookup, NameContains, std::string("golden gatos 1999"), std::string(),
                  0.0);

void ClientByNickname(benchmark::State& state)
{
    TheShop();
    for (auto _ : state) {
        auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
        std::string nickname = "maria 1999";
        double code = 0;
        clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, "");
        benchmark::DoNotOptimize(clients->ResultadoDaSelecaoEmRecordSet->RecordCount());
    }
}
BENCHMARK(ClientByNickname);

void OpenItemsOfAClient(benchmark::State& state)
{
    TheShop();
    for (auto _ : state) {
        auto items = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        double client = 12345;
        items->SelecionarServicosEfetuadosEProdutosReservados(client);
        benchmark::DoNotOptimize(items->ResultadoDaSelecaoEmRecordSet->RecordCount());
    }
}
BENCHMARK(OpenItemsOfAClient);

// Two durable transactions per iteration: dominated by the disk's flush.
void StoreAndDeleteAProduct(benchmark::State& state)
{
    TheShop();
    for (auto _ : state) {
        auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        item->CodigoDoCliente = 12345.0;
        item->TipoDeLancamento = int16_t{2};
        item->CodigoInternoDoProduto = 4242.0;
        item->Quantidade = "1,000";
        item->ValorUnitario = "10,00";
        if (item->Incluir() != 0) {
            state.SkipWithError(item->DescricaoDaFalha.c_str());
            break;
        }
        auto removal = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        removal->NumeroDeLancamento = std::to_string(item->NumeroDeLancamentoGerado);
        removal->TipoDeLancamento = "2";
        removal->CodigoInternoDoProduto = "4242";
        removal->Quantidade = "1,000";
        removal->Excluir();
    }
}
BENCHMARK(StoreAndDeleteAProduct)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
