// The pre-sale screen killed with SIGKILL at random points of a stream of additions, a hundred
// times over one store. Each run, the scenario runner plays an attendant adding baths for a new
// client, one per animal, item k with quantity k; the runner's trace prints "Incluir -> 0" once
// the store acknowledged an item, inside the click that then adds its row, so those lines are
// what the screen showed as stored. After every kill, each of them is in the store, the client's
// items are the stream's first ones (the one in flight may or may not be there, nothing else),
// none twice, no earlier run lost one, and the store checks clean, in process and with
// `kelo-store check`.
#include "Programs.h"

#include "store/Admin.h"
#include "store/Database.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>

namespace reliability {
namespace {

constexpr int kKills = 100;
// Longer than any run lives: a kill always lands inside the stream, never after its end.
constexpr int kStream = 40;
constexpr int kFirstClient = 101;

// Run r's stream: the client, then item k a bath for animal k with quantity k + 1. Gives the
// script's line of each click, so the trace tells which item an acknowledgement is.
std::string Stream(int client, std::map<int, int>& itemOfLine)
{
    std::string text = "user Administrador=true\nstart\nfind frmPreVendas.qvfCodigoDoCliente \"" +
                       std::to_string(client) + "\"\n";
    int line = 3;
    for (int k = 0; k < kStream; ++k) {
        text += "choose frmPreVendas.qvcmbTiposDeServicos \"Banho, tosa e estética\"\n"
                "find frmPreVendas.qvfCodigoDoServico \"12\"\n"
                "choose frmPreVendas.qvcmbAnimal " +
                std::to_string(k) + "\ntype frmPreVendas.qvnumQuantidade \"" +
                std::to_string(k + 1) + "\"\nclick frmPreVendas.qvcmdAdicionar\n" +
                "expect-rows frmPreVendas.msfgGrade " + std::to_string(k + 2) + "\n";
        itemOfLine[line + 5] = k;
        line += 6;
    }
    return text;
}

// Clients kFirstClient... with kStream animals each, imported as a shop would.
void ImportClients(const std::filesystem::path& dir, const std::string& store)
{
    std::string clients = "CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial;Situacao\n";
    std::string animals = "Codigo;CodigoDoCliente;Nome\n";
    for (int r = 0; r < kKills; ++r) {
        const std::string code = std::to_string(kFirstClient + r);
        clients += code + ";Cliente " + code + ";Cliente " + code + ";1\n";
        for (int k = 0; k < kStream; ++k)
            animals += std::to_string(10000 + r * kStream + k) + ";" + code + ";Animal " +
                       std::to_string(k) + "\n";
    }
    WriteFile(dir / "clientes.csv", clients);
    WriteFile(dir / "animais.csv", animals);
    for (const char* table : {"clientes", "animais"}) {
        const Ran imported = RunProgram(
            KELO_STORE_BINARY, {"import", store, table, (dir / (std::string(table) + ".csv"))});
        ASSERT_EQ(imported.exit, 0) << imported.output;
    }
}

// The stream's items in the store: client -> quantity -> how many times stored.
std::map<int64_t, std::map<int64_t, int>> StoredItems(const std::string& path)
{
    store::Database database(path);
    store::Statement statement = database.Conn().Prepare(
        "SELECT CodigoDoCliente, Quantidade FROM ServicosEfetuados WHERE CodigoDoCliente >= ?1"
        " UNION ALL SELECT CodigoDoCliente, Quantidade FROM ProdutosReservados"
        " WHERE CodigoDoCliente >= ?1");
    statement.Bind(1, int64_t{kFirstClient});
    std::map<int64_t, std::map<int64_t, int>> items;
    while (statement.Step())
        ++items[statement.Int(0)][statement.Int(1) / 10000];
    return items;
}

// The runner playing a script, with the pipe its output and errors go to.
struct Screen {
    pid_t pid = 0;
    FILE* lines = nullptr;

    Screen(const std::string& store, const std::string& script)
    {
        const Started started = Start(KELO_SCRIPT_RUNNER, {"--trace", "--store", store, script});
        pid = started.pid;
        lines = fdopen(started.out, "r");
    }
    ~Screen() { std::fclose(lines); }

    // The next line printed, without its line break; false once the pipe closed.
    bool Next(std::string& line)
    {
        line.clear();
        for (int c; (c = std::fgetc(lines)) != EOF;) {
            if (c == '\n')
                return true;
            line += static_cast<char>(c);
        }
        return !line.empty();
    }
};

TEST(KilledScreen, AHundredKillsLoseNoShownItemAndStoreNothingTwice)
{
    TempDir dir;
    const std::string path = (dir.Path() / "loja.kelo").string();
    ASSERT_EQ(RunProgram(KELO_STORE_BINARY, {"demo", path}).exit, 0);
    ImportClients(dir.Path(), path);
    if (HasFatalFailure())
        return;

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    RecordProperty("seed", std::to_string(seed));
    const std::string acknowledged = ": store KELO_N_PreVendas.clsPreVendas.Incluir -> ";
    std::map<int64_t, int> shownOf; // client -> items the screen showed as stored
    // The time one addition takes, as seen so far: the kill lands anywhere inside the next one.
    double itemSeconds = 0.005;
    int shownTotal = 0;
    for (int run = 0; run < kKills; ++run) {
        const int client = kFirstClient + run;
        const std::string where =
            "run " + std::to_string(run) + " (seed " + std::to_string(seed) + ")";
        std::map<int, int> itemOfLine;
        const std::string script = (dir.Path() / "caixa.scn").string();
        WriteFile(script, Stream(client, itemOfLine));
        std::vector<int> shown;
        std::string output;
        {
            Screen screen(path, script);
            const int wait = static_cast<int>(random() % 8);
            const auto read = [&](std::string& line) {
                if (!screen.Next(line))
                    return false;
                output += line + "\n";
                if (const size_t at = line.find(acknowledged); at != std::string::npos) {
                    EXPECT_EQ(line.substr(at + acknowledged.size()), "0") << where << ": " << line;
                    const int number = std::atoi(line.c_str() + script.size() + 1);
                    EXPECT_TRUE(itemOfLine.contains(number)) << where << ": " << line;
                    shown.push_back(itemOfLine[number]);
                }
                EXPECT_EQ(line.find("error report"), std::string::npos) << where << ": " << line;
                return true;
            };
            std::string line;
            std::chrono::steady_clock::time_point first;
            while (static_cast<int>(shown.size()) < wait && read(line)) {
                if (shown.size() == 1 && first == std::chrono::steady_clock::time_point{})
                    first = std::chrono::steady_clock::now();
            }
            if (shown.size() >= 2) {
                const std::chrono::duration<double> took = std::chrono::steady_clock::now() - first;
                itemSeconds =
                    (itemSeconds + took.count() / static_cast<double>(shown.size() - 1)) / 2;
            }
            std::uniform_real_distribution<double> pause(0, itemSeconds);
            std::this_thread::sleep_for(std::chrono::duration<double>(pause(random)));
            kill(screen.pid, SIGKILL);
            ASSERT_EQ(WaitFor(screen.pid), -SIGKILL) << where << ": the runner ended\n" << output;
            while (read(line)) {
            }
        }
        shownOf[client] = static_cast<int>(shown.size());
        shownTotal += static_cast<int>(shown.size());
        for (size_t k = 0; k < shown.size(); ++k)
            EXPECT_EQ(shown[k], static_cast<int>(k)) << where << ": items shown out of order";

        // Quantity k + 1 is item k: each client's first items, once each, no gap.
        const auto stored = StoredItems(path);
        for (const auto& [code, quantities] : stored)
            EXPECT_TRUE(shownOf.contains(code)) << where << ": items of client " << code;
        for (const auto& [code, shownItems] : shownOf) {
            const auto found = stored.find(code);
            const std::map<int64_t, int> none;
            const auto& quantities = found == stored.end() ? none : found->second;
            int64_t expected = 1;
            for (const auto& [quantity, times] : quantities) {
                EXPECT_EQ(quantity, expected++) << where << ", client " << code;
                EXPECT_EQ(times, 1) << where << ": item " << quantity << " of client " << code;
            }
            const int ofClient = static_cast<int>(quantities.size());
            EXPECT_GE(ofClient, shownItems) << where << ": client " << code << " lost items";
            EXPECT_LE(ofClient, shownItems + 1) << where << ", client " << code;
        }
        store::Database database(path);
        EXPECT_EQ(store::Check(database), std::vector<std::string>{}) << where;
        if (HasFailure())
            return;
    }
    const Ran check = RunProgram(KELO_STORE_BINARY, {"check", path});
    EXPECT_EQ(check.exit, 0) << check.output;
    int storedTotal = 0;
    for (const auto& [code, quantities] : StoredItems(path))
        storedTotal += static_cast<int>(quantities.size());
    std::cout << "[ figures  ] " << kKills << " kills of the screen survived; " << shownTotal
              << " items shown as stored, " << storedTotal << " stored, none lost, none twice"
              << " (one addition " << itemSeconds * 1000 << " ms; seed " << seed << ")\n";
}

} // namespace
} // namespace reliability
