// Several processes on one store: no acknowledged item is lost, no lançamento number is shared,
// and the store checks clean. (A writer killed mid-stream: tests/reliability.)
#include "StoreFixture.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Store.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>

namespace storetest {
namespace {

// In a forked child: stores up to `count` items (services and products in turn) and writes the
// number of each acknowledged one to `out`; never returns.
[[noreturn]] void AddItems(const std::string& path, int count, int out)
{
    store::RegisterComponents(std::make_shared<store::Database>(path));
    for (int k = 0; k < count; ++k) {
        auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        item->CodigoDoCliente = 1.0;
        item->TipoDeLancamento = static_cast<int16_t>(k % 2 == 0 ? 1 : 2);
        item->NumeroDoTipoDeServico = int32_t{5};
        item->CodigoDoServico = 12.0;
        item->CodigoDoAnimal = int32_t{3};
        item->CodigoInternoDoProduto = 1006.0;
        item->Quantidade = "1";
        item->ValorUnitario = k % 2 == 0 ? "35,00" : "89,90";
        if (int32_t status = item->Incluir(); status != 0) {
            std::fprintf(stderr, "Incluir %d: %s%s\n", status, item->DescricaoDoErro.c_str(),
                         item->DescricaoDaFalha.c_str());
            _exit(2);
        }
        int32_t number = item->NumeroDeLancamentoGerado;
        if (write(out, &number, sizeof number) != sizeof number) {
            _exit(3);
        }
    }
    _exit(0);
}

struct Child {
    pid_t pid;
    int in;
};

Child Spawn(const std::string& path, int count)
{
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe");
    }
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        AddItems(path, count, fds[1]);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

int ExitCode(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using Processes = StoreTest;

TEST_F(Processes, FourWritersAtOnceLoseNothingAndNeverShareANumber)
{
    constexpr int kWriters = 4;
    constexpr int kEach = 500;
    size_t before = StoredNumbers().size();
    m_db->Close(); // a connection must not cross fork()
    auto start = std::chrono::steady_clock::now();
    std::vector<Child> children;
    for (int k = 0; k < kWriters; ++k) {
        children.push_back(Spawn(m_path, kEach));
    }
    std::vector<int32_t> numbers;
    for (const Child& child : children) {
        for (int32_t number = 0; read(child.in, &number, sizeof number) == sizeof number;) {
            numbers.push_back(number);
        }
        close(child.in);
        EXPECT_EQ(ExitCode(child.pid), 0);
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    RecordProperty("seconds", std::to_string(seconds.count()));
    std::cout << "[ figures  ] " << kWriters << " x " << kEach << " items in " << seconds.count()
              << " s\n";

    const size_t all = kWriters * kEach;
    ASSERT_EQ(numbers.size(), all);
    std::set<int64_t> distinct(numbers.begin(), numbers.end());
    EXPECT_EQ(distinct.size(), all);
    std::set<int64_t> stored = StoredNumbers();
    EXPECT_EQ(stored.size(), before + all);
    EXPECT_TRUE(std::includes(stored.begin(), stored.end(), distinct.begin(), distinct.end()));
    EXPECT_EQ(store::Check(*m_db), std::vector<std::string>{});
}

} // namespace
} // namespace storetest
