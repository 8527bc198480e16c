// The pre-sale form driven as the user drives it, headless, over the real store file (the
// scenario runner's session: the store's components, the host's services, the form opened from
// its menu entry), each path beside the raw SQLite statements that fetch the same rows:
//   ClientByCode        a code typed + Enter: label, animals, open items in the grid, totals
//   BarcodeScreen       a barcode typed + Enter: product, quantity, value, employee list
//   ScaleLabel{Weight,Price}  a scale label read the same way, in either of the company's formats
//   Client2000Items     the same for a client with 2,000 open items
//   Totals              the grid's totals over 10,000 and 100,000 rows (no store involved)
//   SearchDialog        a nickname shared by ~5,000 clients: the search dialog filled, closed
//   Printout60          the printout of a client's 60 printable items laid out into pages
//   AddService          Adicionar of a service (validation, durable insert, row, totals)
// The headless clock moves on by itself, so the dialogs' one-second Pausar costs nothing here.
#include "BenchSupport.h"

#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Produtos.h"
#include "globals/modPrincipal.h"
#include "host/script/Session.h"
#include "presale/ColunasDaGrade.h"
#include "presale/EtiquetaDeBalanca.h"
#include "presale/frmPreVendas.h"
#include "search/frmPesquisaDeClientes.h"

#include <memory>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using KELO_A_PreVendas::frmPreVendas;

// The form opened over one store, for one benchmark run.
class Screen {
public:
    explicit Screen(const std::string& path)
        : m_database(std::make_shared<store::Database>(path)),
          m_session(std::make_unique<script::Session>(m_database, m_trace))
    {
        m_session->User =
            std::make_shared<script::ScriptUser>(std::vector<std::pair<std::string, bool>>{
                {"Administrador", false},
                {"PermissaoDoModuloCaixaAlterarDescontosDeVendas", false}});
        m_session->Start();
    }

    frmPreVendas& Form() { return *KELO_A_PreVendas::modPrincipal::gfrmPreVendas; }
    script::ScriptHost& Host() { return m_session->Host; }

    void FindClient(const std::string& code)
    {
        Form().qvfCodigoDoCliente.UserType(code);
        Form().qvfCodigoDoCliente.UserConfirm();
    }

    // What went wrong, seen by the host: a message box or an error report.
    std::string Trouble()
    {
        if (!Host().MessageBoxes().empty()) {
            return "message: " + Host().MessageBoxes().back().Prompt;
        }
        if (!Host().ErrorReports().empty()) {
            return "error: " + Host().ErrorReports().back().Description;
        }
        return {};
    }

private:
    std::ostringstream m_sink;
    script::Trace m_trace{m_sink, false};
    std::shared_ptr<store::Database> m_database;
    std::unique_ptr<script::Session> m_session;
};

// The statements behind a client found by its code, written straight.
constexpr const char* kClientSql =
    "SELECT CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Situacao,"
    " EnderecoCompleto, TiposECanaisDeComunicacao, Credito, VIP, CategoriaDaCurvaABC,"
    " DescontoUnico FROM Clientes WHERE CodigoDoCliente = ?1";
constexpr const char* kAnimalsSql =
    "SELECT Nome, Codigo FROM Animais WHERE CodigoDoCliente = ?1 ORDER BY Nome, Codigo";
constexpr const char* kServiceItemsSql =
    "SELECT i.*, s.Nome, a.Nome, f.Apelido FROM ServicosEfetuados i"
    " LEFT JOIN Servicos s ON s.Codigo = i.CodigoDoServico"
    " LEFT JOIN Animais a ON a.Codigo = i.CodigoDoAnimal"
    " LEFT JOIN Funcionarios f ON f.Codigo = i.CodigoDoFuncionario"
    " WHERE i.CodigoDoCliente = ?1 AND i.NumeroDaVenda = 0 ORDER BY i.NumeroDeLancamento";
constexpr const char* kProductItemsSql =
    "SELECT i.*, p.CodigoDeBarras, p.Nome, f.Apelido FROM ProdutosReservados i"
    " LEFT JOIN Produtos p ON p.CodigoInterno = i.CodigoInternoDoProduto"
    " LEFT JOIN Funcionarios f ON f.Codigo = i.CodigoDoFuncionario"
    " WHERE i.CodigoDoCliente = ?1 AND i.NumeroDaVenda = 0 ORDER BY i.NumeroDeLancamento";
constexpr const char* kPrintServicesSql =
    "SELECT a.Nome, s.Nome, i.Quantidade, i.ValorUnitario, i.ValorTotal, i.DescontoEmValor,"
    " i.ValorLiquido FROM ServicosEfetuados i LEFT JOIN Servicos s ON s.Codigo = i.CodigoDoServico"
    " LEFT JOIN Animais a ON a.Codigo = i.CodigoDoAnimal WHERE i.NumeroDaVenda = 0"
    " AND i.CodigoDoCliente = ?1 AND i.NumeroDoTipoDeServico > 4 ORDER BY i.NumeroDeLancamento";
constexpr const char* kPrintProductsSql =
    "SELECT '', p.Nome, i.Quantidade, i.ValorUnitario, i.ValorTotal, i.DescontoEmValor,"
    " i.ValorLiquido FROM ProdutosReservados i"
    " LEFT JOIN Produtos p ON p.CodigoInterno = i.CodigoInternoDoProduto"
    " WHERE i.NumeroDaVenda = 0 AND i.CodigoDoCliente = ?1 ORDER BY i.NumeroDeLancamento";

int64_t ReadClient(bench::Raw& raw, sqlite3_stmt* const (&statements)[4], int64_t code)
{
    int64_t rows = 0;
    for (sqlite3_stmt* statement : statements) {
        sqlite3_bind_int64(statement, 1, code);
        rows += raw.ReadAll(statement);
    }
    return rows;
}

void ClientScreen(benchmark::State& state, std::string store, int64_t code)
{
    const std::string path = bench::StorePath(store);
    if (!bench::NeedStore(state, path)) {
        return;
    }
    Screen screen(path);
    bench::Percentiles times;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        screen.FindClient(std::to_string(code));
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["rows"] = screen.Form().msfgGrade.Rows - 1;
    if (std::string trouble = screen.Trouble(); !trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    } else if (screen.Form().qvnumTotal.Text().empty()) {
        state.SkipWithError("no totals shown");
    }
}

void ClientRaw(benchmark::State& state, std::string store, int64_t code)
{
    const std::string path = bench::StorePath(store);
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    sqlite3_stmt* const statements[4] = {raw.Prepare(kClientSql), raw.Prepare(kAnimalsSql),
                                         raw.Prepare(kServiceItemsSql),
                                         raw.Prepare(kProductItemsSql)};
    bench::Percentiles times;
    int64_t rows = 0;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        rows = ReadClient(raw, statements, code);
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK_CAPTURE(ClientScreen, large, std::string("large"), 4321)
    ->Name("ClientByCode/large/project")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClientRaw, large, std::string("large"), 4321)
    ->Name("ClientByCode/large/raw")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClientScreen, small, std::string("small"), 1234)
    ->Name("ClientByCode/small/project")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClientRaw, small, std::string("small"), 1234)
    ->Name("ClientByCode/small/raw")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClientScreen, items, std::string("items"), 2)
    ->Name("Client2000Items/items/project")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClientRaw, items, std::string("items"), 2)
    ->Name("Client2000Items/items/raw")
    ->Unit(benchmark::kMillisecond);

// ---- A product at the counter: the barcode box and the scale label

std::string Columns(std::span<const std::string_view> fields)
{
    std::string list;
    for (std::string_view field : fields) {
        list += (list.empty() ? "" : ", ") + std::string(field);
    }
    return list;
}

// What the screen reads for a product found: the product, the employees for the commission
// list and the company (its promotion, and a label's format).
const std::string kProductByBarcodeSql = "SELECT " + Columns(KELO_N_Produtos::CamposDoProduto) +
                                         " FROM Produtos WHERE CodigoDeBarras = ?1";
const std::string kProductByCodeSql = "SELECT " + Columns(KELO_N_Produtos::CamposDoProduto) +
                                      " FROM Produtos WHERE CodigoInterno = ?1";
const std::string kEmployeesSql = "SELECT " + Columns(KELO_N_Funcionarios::CamposDoFuncionario) +
                                  " FROM Funcionarios ORDER BY ApelidoBusca, Codigo";
const std::string kCompanySql =
    "SELECT " + Columns(KELO_N_Empresa::CamposDaEmpresa) + " FROM Empresa";

// Product 4321 of the generated stores, by its barcode and on a label: "2", the code in six
// digits, 01234 (1,234 kg or 12,34 by the company's format) and a check digit nobody reads.
constexpr const char* kBarcode = "7890000043212";
constexpr const char* kLabel = "2004321012345";
constexpr int64_t kProduct = 4321;

// The generated company reads weights; the price runs set it for their own run.
class LabelFormat {
public:
    LabelFormat(const std::string& path, int16_t format) : m_raw(path) { Set(format); }
    ~LabelFormat() { Set(KELO_A_PreVendas::FormatoDeBalancaPeso); }
    LabelFormat(const LabelFormat&) = delete;
    LabelFormat& operator=(const LabelFormat&) = delete;

private:
    void Set(int16_t format)
    {
        m_raw.Execute(
            ("UPDATE Empresa SET FormatoDeCodigoDeBarrasParaBalanca = " + std::to_string(format))
                .c_str());
    }
    bench::Raw m_raw;
};

// What is typed into the barcode box, and the quantity the screen must show after it (null: one
// read from the label, whatever it is).
void ProductScreen(benchmark::State& state, const char* typed, int16_t format, const char* quantity)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    LabelFormat company(path, format);
    Screen screen(path);
    frmPreVendas& form = screen.Form();
    screen.FindClient("4321");
    form.optProduto.UserClick();
    bench::Percentiles times;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        form.qvfCodigoDeBarrasDoProduto.UserType(typed);
        form.qvfCodigoDeBarrasDoProduto.UserConfirm();
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["employees"] = form.qvcmbComissionado.ListCount() - 1;
    if (std::string trouble = screen.Trouble(); !trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    } else if (form.qvfCodigoInternoDoProduto.Text() != std::to_string(kProduct) ||
               (quantity ? form.qvnumQuantidade.Text() != quantity
                         : form.qvnumQuantidade.Text() == "1,000") ||
               form.qvnumValorUnitario.Text().empty() || form.qvcmbComissionado.ListCount() < 2) {
        state.SkipWithError(("the product was not shown: code '" +
                             form.qvfCodigoInternoDoProduto.Text() + "', quantity '" +
                             form.qvnumQuantidade.Text() + "'")
                                .c_str());
    }
}

void ProductRaw(benchmark::State& state, bool label)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    sqlite3_stmt* product =
        raw.Prepare(label ? kProductByCodeSql.c_str() : kProductByBarcodeSql.c_str());
    sqlite3_stmt* employees = raw.Prepare(kEmployeesSql.c_str());
    sqlite3_stmt* company = raw.Prepare(kCompanySql.c_str());
    bench::Percentiles times;
    int64_t rows = 0;
    for (auto _ : state) {
        auto start = bench::Percentiles::Clock::now();
        if (label) {
            sqlite3_bind_int64(product, 1, kProduct);
        } else {
            sqlite3_bind_text(product, 1, kBarcode, -1, SQLITE_STATIC);
        }
        rows = raw.ReadAll(product) + raw.ReadAll(employees) + raw.ReadAll(company);
        times.Add(bench::Percentiles::Clock::now() - start);
    }
    times.Report(state);
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK_CAPTURE(ProductScreen, barcode, kBarcode, KELO_A_PreVendas::FormatoDeBalancaPeso, "1,000")
    ->Name("BarcodeScreen/large/project")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductRaw, barcode, false)
    ->Name("BarcodeScreen/large/raw")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductScreen, weight, kLabel, KELO_A_PreVendas::FormatoDeBalancaPeso, "1,234")
    ->Name("ScaleLabelWeight/large/project")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductRaw, weight, true)
    ->Name("ScaleLabelWeight/large/raw")
    ->Unit(benchmark::kMicrosecond);
// The quantity is the price over the product's own unit value, so it is not known here.
BENCHMARK_CAPTURE(ProductScreen, price, kLabel, KELO_A_PreVendas::FormatoDeBalancaPreco, nullptr)
    ->Name("ScaleLabelPrice/large/project")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductRaw, price, true)
    ->Name("ScaleLabelPrice/large/raw")
    ->Unit(benchmark::kMicrosecond);

// The totals alone, over a grid filled once with `rows` items.
void Totals(benchmark::State& state, int32_t rows)
{
    const std::string path = bench::StorePath("small");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    Screen screen(path);
    frmPreVendas& form = screen.Form();
    namespace col = KELO_A_PreVendas::GradeDeItens::col;
    form.msfgGrade.Rows = rows + 1;
    for (int32_t row = 1; row <= rows; ++row) {
        form.msfgGrade.SetTextMatrix(row, col::Quantidade, row % 3 == 0 ? "1,5" : "2");
        form.msfgGrade.SetTextMatrix(row, col::ValorUnitario, "12,34");
        form.msfgGrade.SetTextMatrix(row, col::Desconto, row % 4 == 0 ? "-1,25" : "0");
    }
    for (auto _ : state) {
        form.CalcularValoresDosItensDaGrade();
    }
    state.counters["rows"] = rows;
    if (std::string trouble = screen.Trouble(); !trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    }
    form.msfgGrade.Rows = 2;
}
BENCHMARK_CAPTURE(Totals, 10000, 10000)
    ->Name("Totals/10000/project")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Totals, 100000, 100000)
    ->Name("Totals/100000/project")
    ->Unit(benchmark::kMillisecond);

constexpr const char* kDialogText = "ia s";
constexpr const char* kDialogSql =
    "SELECT CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Situacao,"
    " EnderecoCompleto, TiposECanaisDeComunicacao, Credito, VIP, CategoriaDaCurvaABC,"
    " DescontoUnico FROM Clientes WHERE CodigoDoCliente IN (SELECT rowid FROM ClientesPorNomes"
    " WHERE ClientesPorNomes MATCH '\"IA S\"') AND (instr(ApelidoBusca, 'IA S') > 0"
    " OR instr(NomeBusca, 'IA S') > 0) ORDER BY ApelidoBusca, CodigoDoCliente";

void SearchDialog(benchmark::State& state)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    Screen screen(path);
    int32_t shown = 0;
    for (auto _ : state) {
        screen.Host().OnModal("frmPesquisaDeClientes", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<KELO_A_PreVendas::frmPesquisaDeClientes&>(form);
            shown = dialog.msfgGrade.Rows - 1;
            dialog.qvcmdFechar.UserClick();
        });
        screen.Form().qvfApelidoOuNomeFantasiaDoCliente.UserType(kDialogText);
        screen.Form().qvfApelidoOuNomeFantasiaDoCliente.UserConfirm();
    }
    state.counters["rows"] = shown;
    if (std::string trouble = screen.Trouble(); !trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    } else if (!screen.Host().StuckModals().empty() || shown < 5000) {
        state.SkipWithError("the search dialog was not shown with its rows");
    }
}
BENCHMARK(SearchDialog)->Name("SearchDialog/large/project")->Unit(benchmark::kMillisecond);

void SearchDialogRaw(benchmark::State& state)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    sqlite3_stmt* statement = raw.Prepare(kDialogSql);
    int64_t rows = 0;
    for (auto _ : state) {
        rows = raw.ReadAll(statement);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(SearchDialogRaw)->Name("SearchDialog/large/raw")->Unit(benchmark::kMillisecond);

// The first client of the small store whose printout holds exactly 60 lines.
int64_t ClientWithSixtyLines(bench::Raw& raw)
{
    sqlite3_stmt* statement = raw.Prepare(
        "SELECT c FROM (SELECT CodigoDoCliente AS c, count(*) AS n FROM (SELECT CodigoDoCliente"
        " FROM ServicosEfetuados WHERE NumeroDaVenda = 0 AND NumeroDoTipoDeServico > 4"
        " UNION ALL SELECT CodigoDoCliente FROM ProdutosReservados WHERE NumeroDaVenda = 0)"
        " GROUP BY CodigoDoCliente) WHERE n = 60 ORDER BY c LIMIT 1");
    int64_t code = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_reset(statement);
    return code;
}

void Printout(benchmark::State& state)
{
    const std::string path = bench::StorePath("small");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    int64_t code = 0;
    {
        bench::Raw raw(path);
        code = ClientWithSixtyLines(raw);
    }
    if (code == 0) {
        state.SkipWithError("no client with 60 printable items in the small store");
        return;
    }
    Screen screen(path);
    int32_t pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        screen.FindClient(std::to_string(code));
        screen.Host().ClearRecords();
        state.ResumeTiming();
        screen.Form().qvcmdImprimirPreVenda.UserClick();
    }
    if (!screen.Host().Previews().empty()) {
        pages = static_cast<int32_t>(screen.Host().Previews().back().Pages.Pages.size());
    }
    state.counters["pages"] = pages;
    state.counters["client"] = static_cast<double>(code);
    if (std::string trouble = screen.Trouble(); !trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    } else if (pages == 0) {
        state.SkipWithError("no preview laid out");
    }
}
BENCHMARK(Printout)->Name("Printout60/small/project")->Unit(benchmark::kMillisecond);

void PrintoutRaw(benchmark::State& state)
{
    const std::string path = bench::StorePath("small");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    const int64_t code = ClientWithSixtyLines(raw);
    sqlite3_stmt* services = raw.Prepare(kPrintServicesSql);
    sqlite3_stmt* products = raw.Prepare(kPrintProductsSql);
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_bind_int64(services, 1, code);
        sqlite3_bind_int64(products, 1, code);
        rows = raw.ReadAll(services) + raw.ReadAll(products);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(PrintoutRaw)->Name("Printout60/small/raw")->Unit(benchmark::kMillisecond);

// Items added here are numbered above every generated one and removed again as the run goes,
// so the cached store stays as generated.
constexpr int64_t kClient = 4321;

void AddService(benchmark::State& state)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    const auto removeAdded = [&] {
        raw.Execute("DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento > 2000000");
    };
    removeAdded();
    Screen screen(path);
    frmPreVendas& form = screen.Form();
    screen.FindClient(std::to_string(kClient));
    // The lodging services (type 6); one already in the grid would be asked about again.
    const char* const services[] = {"5", "13", "21", "29", "37", "45", "53", "61"};
    int64_t added = 0;
    const auto inGrid = [&](const std::string& code) {
        for (int32_t row = 1; row < form.msfgGrade.Rows; ++row) {
            if (form.msfgGrade.TextMatrix(row, 0) == "6" &&
                form.msfgGrade.TextMatrix(row, 1) == code)
                return true;
        }
        return false;
    };
    for (auto _ : state) {
        state.PauseTiming();
        const char* service = nullptr;
        for (const char* candidate : services) {
            if (!inGrid(candidate)) {
                service = candidate;
                break;
            }
        }
        if (service == nullptr) {
            // The client's boxes are locked once items were added: the screen is cleared first.
            form.qvcmdLimparCampos.UserClick();
            removeAdded();
            screen.FindClient(std::to_string(kClient));
            service = services[0];
        }
        form.qvcmbTiposDeServicos.UserSelectText("Hospedagem");
        form.qvfCodigoDoServico.UserType(service);
        form.qvfCodigoDoServico.UserConfirm();
        form.qvcmbAnimal.UserSelect(0);
        const int32_t before = form.msfgGrade.Rows;
        state.ResumeTiming();
        form.qvcmdAdicionar.UserClick();
        added += form.msfgGrade.Rows > before ? 1 : 0;
    }
    const std::string trouble = screen.Trouble();
    removeAdded();
    if (!trouble.empty()) {
        state.SkipWithError(trouble.c_str());
    } else if (added != static_cast<int64_t>(state.iterations())) {
        state.SkipWithError("an Adicionar added no row");
    }
}
BENCHMARK(AddService)->Name("AddService/large/project")->Unit(benchmark::kMillisecond);

void AddServiceRaw(benchmark::State& state)
{
    const std::string path = bench::StorePath("large");
    if (!bench::NeedStore(state, path)) {
        return;
    }
    bench::Raw raw(path);
    raw.Execute("DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento > 2000000");
    sqlite3_stmt* begin = raw.Prepare("BEGIN IMMEDIATE");
    sqlite3_stmt* insert = raw.Prepare(
        "INSERT INTO ServicosEfetuados (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento,"
        " NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal, Quantidade, ValorUnitario,"
        " ValorTotal, ValorLiquido) VALUES (?1, 4321, '07/12/2026', 6, 5, NULL, 10000, 350000,"
        " 350000, 350000)");
    sqlite3_stmt* commit = raw.Prepare("COMMIT");
    int64_t number = 2000000;
    for (auto _ : state) {
        raw.ReadAll(begin);
        sqlite3_bind_int64(insert, 1, ++number);
        raw.ReadAll(insert);
        raw.ReadAll(commit);
    }
    raw.Execute("DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento > 2000000");
}
BENCHMARK(AddServiceRaw)->Name("AddService/large/raw")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
