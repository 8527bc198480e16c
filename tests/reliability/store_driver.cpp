// reliability-store-driver STORE FIRST: stores pre-sale items through clsPreVendas::Incluir, as
// the screen's saving does, until it is killed. Item k (services and products in turn) carries
// FIRST + k as its cost, so a test can tell every item of the stream apart; the line "ID NUMBER"
// is written and flushed only once Incluir has answered 0, so what it prints is what a screen
// would have shown as stored. Exit 2: an item was not stored.
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "platform/Currency.h"
#include "store/Store.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: reliability-store-driver ARMAZENAMENTO PRIMEIRO\n");
        return 2;
    }
    store::RegisterComponents(std::make_shared<store::Database>(argv[1]));
    const long long first = std::atoll(argv[2]);
    for (long long k = 0;; ++k) {
        auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        const bool service = k % 2 == 0;
        item->CodigoDoCliente = 1.0;
        item->TipoDeLancamento = static_cast<int16_t>(service ? 1 : 2);
        item->NumeroDoTipoDeServico = int32_t{5};
        item->CodigoDoServico = 12.0;
        item->CodigoDoAnimal = int32_t{3};
        item->CodigoInternoDoProduto = 1006.0;
        item->Quantidade = "1";
        item->ValorUnitario = service ? "35,00" : "89,90";
        item->Custo = platform::Currency::FromInteger(first + k);
        if (item->Incluir() != 0) {
            std::fprintf(stderr, "Incluir: %s%s\n", item->DescricaoDoErro.c_str(),
                         item->DescricaoDaFalha.c_str());
            return 2;
        }
        std::printf("%lld %d\n", first + k, item->NumeroDeLancamentoGerado);
        std::fflush(stdout);
    }
}
