// The store's answers that a counter waits for, each beside the raw SQLite statement that fetches
// the same rows, on the 1,000,000-product / 100,000-client store and on the 10,000-product one
// that bench/run generates: a barcode read, an internal code, a name typed in the product
// lookup, the search dialog's name-or-barcode-or-code query, the client and service name
// searches. The project's side goes through the registered component (new object, selection,
// recordset), as the screen calls it.
#include "BenchSupport.h"
#include "Lookups.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/Registry.h"
#include "store/Schema.h"
#include "store/Store.h"

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace {

std::string Columns(std::span<const std::string_view> fields)
{
    std::string list;
    for (std::string_view field : fields) {
        list += (list.empty() ? "" : ", ") + std::string(field);
    }
    return list;
}

// The components registered over one store at a time.
struct Opened {
    std::string path;
    std::shared_ptr<store::Database> database;
};

Opened& Open(const std::string& path)
{
    static Opened opened;
    if (opened.path != path) {
        contracts::Clear();
        opened.database = std::make_shared<store::Database>(path);
        store::RegisterComponents(opened.database);
        opened.path = path;
    }
    return opened;
}

// What the name indexes are asked for each searched text, as the components ask them (the
// rarest trigrams), so that the raw side runs the same query without the component around it.
struct Matches {
    std::string product;
    std::string barcode;
    std::string client;
    std::string service;
};

Matches MatchesOf(const std::string& path)
{
    store::Database database(path);
    store::Connection& connection = database.Conn();
    return {store::NameIndexQuery(connection, "ProdutosPorNomes", "GOLDEN CAES FILHOTES 432"),
            store::NameIndexQuery(connection, "ProdutosPorNomes", "7890000043212"),
            store::NameIndexQuery(connection, "ClientesPorNomes", "JOSE 1711"),
            store::NameIndexQuery(connection, "ServicosPorNomes", "GOLDEN 2")};
}

// One measured selection: the component's answer (its row count), and the raw statement with
// its parameters bound.
struct Lookup {
    const char* name;
    std::function<int64_t()> project;
    const char* raw;
    std::function<void(sqlite3_stmt*, const Matches&)> bind;
};

void Text(sqlite3_stmt* statement, int index, const std::string& text)
{
    sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

const std::string kProduct = Columns(KELO_N_Produtos::CamposDoProduto);
const std::string kDialog = Columns(KELO_N_Produtos::CamposDoProdutoNaPesquisa);
const std::string kClient = Columns(KELO_N_ClientAnim::CamposDoCliente);

// The raw side runs the component's statements, written out, with the same values bound.
const std::string kBarcodeSql =
    "SELECT " + kProduct + " FROM Produtos WHERE CodigoDeBarras = ?1 ORDER BY NomeBusca";
const std::string kCodeSql =
    "SELECT " + kProduct + " FROM Produtos WHERE CodigoInterno = ?1 ORDER BY NomeBusca";
const std::string kNameSql =
    "SELECT " + kProduct +
    " FROM Produtos WHERE CodigoInterno IN (SELECT rowid FROM ProdutosPorNomes WHERE"
    " ProdutosPorNomes MATCH ?2) AND instr(NomeBusca, ?1) > 0 ORDER BY NomeBusca, CodigoInterno";
const std::string kNameScanSql = "SELECT " + kProduct +
                                 " FROM Produtos WHERE instr(NomeBusca, ?1) > 0"
                                 " ORDER BY NomeBusca, CodigoInterno";
const std::string kDialogSql =
    "SELECT " + kDialog +
    " FROM Produtos WHERE CodigoInterno IN (SELECT rowid FROM ProdutosPorNomes WHERE"
    " ProdutosPorNomes MATCH ?4 UNION ALL SELECT CodigoInterno FROM Produtos WHERE"
    " CodigoDeBarras = ?3 UNION ALL SELECT ?2) AND (instr(NomeBusca, ?1) > 0 OR"
    " CodigoDeBarras = ?3 OR CodigoInterno = ?2) ORDER BY NomeBusca, CodigoInterno";
const std::string kClientSql =
    "SELECT " + kClient +
    " FROM Clientes WHERE CodigoDoCliente IN (SELECT rowid FROM ClientesPorNomes WHERE"
    " ClientesPorNomes MATCH ?2) AND (instr(ApelidoBusca, ?1) > 0 OR instr(NomeBusca, ?1) > 0)"
    " ORDER BY ApelidoBusca, CodigoDoCliente";
const std::string kServiceSql =
    "SELECT Codigo, Nome, Descricao, ValorDeVenda, NumeroDoTipoDeServico FROM Servicos WHERE"
    " Codigo IN (SELECT rowid FROM ServicosPorNomes WHERE ServicosPorNomes MATCH ?2) AND"
    " instr(NomeBusca, ?1) > 0 ORDER BY NomeBusca, Codigo";

// The searched texts: the same in both stores, each matching 1 to 50 rows in either.
const Lookup kLookups[] = {
    {"ProductBarcode", [] { return bench::ProductLookup("", "7890000043212", 0); },
     kBarcodeSql.c_str(), [](sqlite3_stmt* s, const Matches&) { Text(s, 1, "7890000043212"); }},
    {"ProductInternalCode", [] { return bench::ProductLookup("", "", 4321); }, kCodeSql.c_str(),
     [](sqlite3_stmt* s, const Matches&) { sqlite3_bind_int64(s, 1, 4321); }},
    {"ProductNameContains", [] { return bench::ProductLookup("golden cães filhotes 432", "", 0); },
     kNameSql.c_str(),
     [](sqlite3_stmt* s, const Matches& m) {
         Text(s, 1, "GOLDEN CAES FILHOTES 432");
         Text(s, 2, m.product);
     }},
    {"ProductNameScan", nullptr, kNameScanSql.c_str(),
     [](sqlite3_stmt* s, const Matches&) { Text(s, 1, "GOLDEN CAES FILHOTES 432"); }},
    {"ProductDialogName", [] { return bench::ProductDialog("golden cães filhotes 432"); },
     kDialogSql.c_str(),
     [](sqlite3_stmt* s, const Matches& m) {
         Text(s, 1, "GOLDEN CAES FILHOTES 432");
         sqlite3_bind_int64(s, 2, -1);
         Text(s, 3, "golden cães filhotes 432");
         Text(s, 4, m.product);
     }},
    {"ProductDialogBarcode", [] { return bench::ProductDialog("7890000043212"); },
     kDialogSql.c_str(),
     [](sqlite3_stmt* s, const Matches& m) {
         Text(s, 1, "7890000043212");
         sqlite3_bind_int64(s, 2, -1);
         Text(s, 3, "7890000043212");
         Text(s, 4, m.barcode);
     }},
    {"ClientNameSearch", [] { return bench::ClientLookup("josé 1711", 0); }, kClientSql.c_str(),
     [](sqlite3_stmt* s, const Matches& m) {
         Text(s, 1, "JOSE 1711");
         Text(s, 2, m.client);
     }},
    {"ServiceNameSearch", [] { return bench::ServiceLookup("golden 2"); }, kServiceSql.c_str(),
     [](sqlite3_stmt* s, const Matches& m) {
         Text(s, 1, "GOLDEN 2");
         Text(s, 2, m.service);
     }},
};

void Project(benchmark::State& state, const Lookup* lookup, std::string store)
{
    const std::string path = bench::StorePath(store);
    if (!bench::NeedStore(state, path)) {
        return;
    }
    Open(path);
    bench::Percentiles times;
    int64_t rows = 0;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        rows = lookup->project();
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["rows"] = static_cast<double>(rows);
}

void Raw(benchmark::State& state, const Lookup* lookup, std::string store)
{
    const std::string path = bench::StorePath(store);
    if (!bench::NeedStore(state, path)) {
        return;
    }
    const Matches matches = MatchesOf(path);
    bench::Raw raw(path);
    sqlite3_stmt* statement = raw.Prepare(lookup->raw);
    bench::Percentiles times;
    int64_t rows = 0;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        lookup->bind(statement, matches);
        rows = raw.ReadAll(statement);
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["scans"] = raw.Scans(lookup->raw).empty() ? 0 : 1;
}

const bool kRegistered = [] {
    for (const Lookup& lookup : kLookups) {
        for (const char* store : {"large", "small"}) {
            const std::string prefix = std::string(lookup.name) + "/" + store;
            if (lookup.project) {
                benchmark::RegisterBenchmark((prefix + "/project").c_str(), Project, &lookup,
                                             std::string(store))
                    ->Unit(benchmark::kMicrosecond);
            }
            benchmark::RegisterBenchmark((prefix + "/raw").c_str(), Raw, &lookup,
                                         std::string(store))
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
