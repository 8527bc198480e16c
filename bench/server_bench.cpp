// The store's lookups and its durable add on a PostgreSQL server, each beside the raw libpq
// statement doing the same work over the same connection kind (the local socket), in the same
// run. KELO_BENCH_SERVER is the address of a store that bench/run generated on its own
// throwaway cluster; without it every benchmark is skipped, saying why.
//
// Names follow store_bench: Path/server/project and Path/server/raw, which bench/run pairs. The
// time is the wall clock's: the work is mostly the server process's, not this one's CPU.
#include "Lookups.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "platform/Currency.h"
#include "store/Store.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Address()
{
    const char* address = std::getenv("KELO_BENCH_SERVER");
    return address != nullptr ? address : "";
}

bool NeedServer(benchmark::State& state)
{
    if (Address().empty()) {
        state.SkipWithError("no server store: bench/run makes one when PostgreSQL is installed");
        return false;
    }
    return true;
}

std::string Columns(std::span<const std::string_view> fields)
{
    std::string list;
    for (std::string_view field : fields) {
        list += (list.empty() ? "" : ", ") + std::string(field);
    }
    return list;
}

void Register()
{
    static bool registered = false;
    if (!registered) {
        store::RegisterComponents(std::make_shared<store::Database>(Address()));
        registered = true;
    }
}

// One libpq connection with the store's own session settings, and nothing else.
class Raw {
public:
    Raw() : m_conn(PQconnectdb(Address().c_str()))
    {
        if (PQstatus(m_conn) != CONNECTION_OK) {
            throw std::runtime_error(PQerrorMessage(m_conn));
        }
        Run("SET synchronous_commit = on", {});
    }
    ~Raw() { PQfinish(m_conn); }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    // Runs `sql` with `values` bound and reads every cell of every row, as the store's
    // recordsets copy them; answers the rows.
    int64_t Run(const char* sql, const std::vector<std::string>& values)
    {
        std::vector<const char*> pointers;
        for (const std::string& value : values) {
            pointers.push_back(value.c_str());
        }
        PGresult* result = PQexecParams(m_conn, sql, static_cast<int>(pointers.size()), nullptr,
                                        pointers.data(), nullptr, nullptr, 0);
        ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            std::string message = PQresultErrorMessage(result);
            PQclear(result);
            throw std::runtime_error(message);
        }
        const int rows = PQntuples(result);
        std::string cell;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < PQnfields(result); ++column) {
                cell.assign(PQgetvalue(result, row, column),
                            static_cast<size_t>(PQgetlength(result, row, column)));
                benchmark::DoNotOptimize(cell);
            }
        }
        PQclear(result);
        return rows;
    }

    // The first cell of `sql`'s answer.
    std::string Value(const char* sql)
    {
        PGresult* result = PQexec(m_conn, sql);
        std::string value = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) > 0
                                ? PQgetvalue(result, 0, 0)
                                : "";
        PQclear(result);
        return value;
    }

private:
    PGconn* m_conn;
};

const std::string kProduct = Columns(KELO_N_Produtos::CamposDoProduto);
const std::string kDialog = Columns(KELO_N_Produtos::CamposDoProdutoNaPesquisa);
const std::string kClient = Columns(KELO_N_ClientAnim::CamposDoCliente);

struct Lookup {
    const char* name;
    std::function<int64_t()> project;
    std::string raw;
    std::vector<std::string> values;
};

// Texts that match 1 to 50 rows of the generated store, as in store_bench.
const Lookup kLookups[] = {
    {"ProductBarcode",
     [] { return bench::ProductLookup("", "7890000043212", 0); },
     "SELECT " + kProduct + " FROM Produtos WHERE CodigoDeBarras = $1 ORDER BY NomeBusca",
     {"7890000043212"}},
    {"ClientByCode",
     [] { return bench::ClientLookup("", 4321); },
     "SELECT " + kClient + " FROM Clientes WHERE CodigoDoCliente = $1",
     {"4321"}},
    {"ProductNameContains",
     [] { return bench::ProductLookup("golden cães filhotes 432", "", 0); },
     "SELECT " + kProduct +
         " FROM Produtos WHERE NomeBusca LIKE $1 ORDER BY NomeBusca, CodigoInterno",
     {"%GOLDEN CAES FILHOTES 432%"}},
    {"ProductDialogName",
     [] { return bench::ProductDialog("golden cães filhotes 432"); },
     "SELECT " + kDialog +
         " FROM Produtos WHERE NomeBusca LIKE $1 OR CodigoDeBarras = $2 OR CodigoInterno = $3"
         " ORDER BY NomeBusca, CodigoInterno",
     {"%GOLDEN CAES FILHOTES 432%", "golden cães filhotes 432", "-1"}},
    {"ClientNameSearch",
     [] { return bench::ClientLookup("josé 1711", 0); },
     "SELECT " + kClient +
         " FROM Clientes WHERE ApelidoBusca LIKE $1 OR NomeBusca LIKE $1"
         " ORDER BY ApelidoBusca, CodigoDoCliente",
     {"%JOSE 1711%"}},
};

void Project(benchmark::State& state, const Lookup* lookup)
{
    if (!NeedServer(state)) {
        return;
    }
    Register();
    int64_t rows = 0;
    for (auto _ : state) {
        rows = lookup->project();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void RawLookup(benchmark::State& state, const Lookup* lookup)
{
    if (!NeedServer(state)) {
        return;
    }
    Raw raw;
    int64_t rows = 0;
    for (auto _ : state) {
        rows = raw.Run(lookup->raw.c_str(), lookup->values);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// Numbers far above the store's own, for the raw side's rows.
constexpr int64_t kRawNumbers = 4000000;

// Incluir of a bath for client 4321 through the store's component: the checks, the number,
// the insert and the commit, each a statement of its own.
void AddService(benchmark::State& state)
{
    if (!NeedServer(state)) {
        return;
    }
    Register();
    Raw raw;
    const std::string last = raw.Value("SELECT Ultimo FROM Sequencias WHERE Nome = 'Lancamento'");
    for (auto _ : state) {
        auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        item->DataDeLancamento = "07/12/2026";
        item->CodigoDoCliente = 4321.0;
        item->TipoDeLancamento = int16_t{1};
        item->NumeroDoTipoDeServico = int16_t{6};
        item->CodigoDoServico = 5.0;
        item->Custo = "0";
        item->Quantidade = platform::Currency::FromInteger(1);
        item->ValorUnitario = platform::Currency::FromInteger(35);
        item->DescontoEmPercentual = platform::Currency::FromInteger(0);
        item->DescontoEmValor = platform::Currency::FromInteger(0);
        item->FuncionarioComissionado = false;
        item->PercentualDeComissaoDoFuncionario = "0";
        item->ValorDaComissaoDoFuncionario = "0";
        item->TipoDeVenda = "2";
        if (item->Incluir() != 0) {
            state.SkipWithError(item->DescricaoDoErro.c_str());
            break;
        }
    }
    // The store is left as generated, for the next run.
    raw.Run("DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento > $1", {last});
    raw.Run("UPDATE Sequencias SET Ultimo = $1 WHERE Nome = 'Lancamento'", {last});
}

// The same row by hand: BEGIN, one INSERT, COMMIT (which waits for the server's flush).
void AddServiceRaw(benchmark::State& state)
{
    if (!NeedServer(state)) {
        return;
    }
    Raw raw;
    int64_t number = kRawNumbers;
    for (auto _ : state) {
        raw.Run("BEGIN", {});
        raw.Run("INSERT INTO ServicosEfetuados (NumeroDeLancamento, CodigoDoCliente,"
                " DataDeLancamento, NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal,"
                " Quantidade, ValorUnitario, ValorTotal, ValorLiquido) VALUES ($1, 4321,"
                " '07/12/2026', 6, 5, NULL, 10000, 350000, 350000, 350000)",
                {std::to_string(++number)});
        raw.Run("COMMIT", {});
    }
    raw.Run("DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento > $1",
            {std::to_string(kRawNumbers)});
}

const bool kRegistered = [] {
    for (const Lookup& lookup : kLookups) {
        const std::string prefix = std::string(lookup.name) + "/server";
        benchmark::RegisterBenchmark((prefix + "/project").c_str(), Project, &lookup)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((prefix + "/raw").c_str(), RawLookup, &lookup)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("AddService/server/project", AddService)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("AddService/server/raw", AddServiceRaw)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

} // namespace

BENCHMARK_MAIN();
