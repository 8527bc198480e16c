// kelo-store: creates, fills, exports and checks a shop's store file. Exit 0 on success, 1 when
// the input or the file is refused (one line on stderr says why), 2 on a usage error. Each
// command is one transaction: a failed command leaves the file as it was.
#include "store/Admin.h"
#include "store/Database.h"
#include "store/Tables.h"
#include "store/Values.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

int Usage()
{
    std::cerr << "uso: kelo-store create ARQUIVO\n"
                 "     kelo-store demo ARQUIVO\n"
                 "     kelo-store import [--encoding windows-1252] ARQUIVO TABELA CSV\n"
                 "     kelo-store export ARQUIVO TABELA\n"
                 "     kelo-store generate ARQUIVO --clients N --products N --items-per-client N\n"
                 "     kelo-store check [--repair] ARQUIVO\n"
                 "ARQUIVO: um arquivo SQLite, ou um banco PostgreSQL "
                 "(postgresql://USUARIO@SERVIDOR/BANCO,\n"
                 "         postgres://... ou \"host=... dbname=...\")\n"
                 "tabelas:";
    for (const std::string& table : store::TableNames()) {
        std::cerr << ' ' << table;
    }
    std::cerr << '\n';
    return kUsage;
}

// How far a long command got, on one line of a terminal redrawn in place (percent, rate, time);
// nothing when standard error is not a terminal, so logs and pipes stay clean.
class TerminalProgress {
public:
    TerminalProgress() : m_shown(isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() { Clear(); }

    store::Progress Callback()
    {
        if (!m_shown) {
            return {};
        }
        return
            [this](std::string_view step, int64_t done, int64_t total) { Show(step, done, total); };
    }

    // Takes the line away, before the command says what it did.
    void Clear()
    {
        if (m_width > 0) {
            std::fprintf(stderr, "\r%*s\r", m_width, "");
            std::fflush(stderr);
            m_width = 0;
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    void Show(std::string_view step, int64_t done, int64_t total)
    {
        const Clock::time_point now = Clock::now();
        if (step != m_step) {
            m_step = std::string(step);
            m_stepStart = now;
        } else if (done < total && now - m_lastShown < std::chrono::milliseconds(100)) {
            return;
        }
        m_lastShown = now;
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        const double inStep = std::chrono::duration<double>(now - m_stepStart).count();
        char rate[48] = "";
        // Early rates are noise; a finished step always says its own, however quick it was.
        if (total >= 100 && (inStep > 0.05 || (done == total && inStep > 0))) {
            std::snprintf(rate, sizeof rate, ", %.0f/s", static_cast<double>(done) / inStep);
        }
        char line[160];
        int width = std::snprintf(line, sizeof line, "%.*s: %3lld%% (%lld de %lld%s), %.0f s",
                                  static_cast<int>(m_step.size()), m_step.data(),
                                  total > 0 ? static_cast<long long>(done * 100 / total) : 100LL,
                                  static_cast<long long>(done), static_cast<long long>(total), rate,
                                  seconds);
        width = std::min(width, static_cast<int>(sizeof line) - 1);
        std::fprintf(stderr, "\r%s%*s", line, std::max(0, m_width - width), "");
        std::fflush(stderr);
        m_width = std::max(m_width, width);
    }

    bool m_shown;
    int m_width = 0;
    std::string m_step;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_stepStart = m_start;
    Clock::time_point m_lastShown;
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A new file that a failed command must not leave behind. A server database stays: its
// command's transaction has already left it as it was, or holds the schema only.
void RemoveStore(const std::string& path)
{
    if (store::IsServerAddress(path)) {
        return;
    }
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::filesystem::remove(path + suffix, ignored);
    }
}

bool ParseCount(const std::string& text, int& count)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    count = std::stoi(text);
    return true;
}

int Create(const std::string& path)
{
    auto database = store::Database::Create(path);
    std::cout << "armazenamento criado: " << database->Path() << '\n';
    return kOk;
}

int Demo(const std::string& path)
{
    auto database = store::Database::Create(path);
    try {
        auto users = store::LoadDemo(*database);
        std::cout << "armazenamento de demonstração criado: " << database->Path()
                  << "\nusuários:\n";
        for (const auto& user : users) {
            std::cout << "  " << user.name << " / senha " << user.password << " (" << user.role
                      << ")\n";
        }
    } catch (...) {
        database.reset();
        RemoveStore(path);
        throw;
    }
    return kOk;
}

int Import(const std::string& path, const std::string& table, const std::string& csvPath,
           bool windows1252)
{
    if (!store::IsTableName(table)) {
        std::cerr << "kelo-store: tabela desconhecida '" << table << "'\n";
        return kUsage;
    }
    std::ifstream input(csvPath, std::ios::binary);
    if (!input) {
        std::cerr << "kelo-store: não foi possível ler o arquivo CSV '" << csvPath << "'\n";
        return kRefused;
    }
    std::stringstream text;
    text << input.rdbuf();
    const std::string bytes = text.str();
    std::string csv = bytes;
    if (windows1252) {
        std::optional<size_t> undefined;
        csv = store::FromWindows1252(bytes, undefined);
        if (undefined) {
            std::cerr << "kelo-store: linha " << store::LineOf(bytes, *undefined) << ": o byte "
                      << static_cast<int>(static_cast<unsigned char>(bytes[*undefined]))
                      << " não é um caractere em Windows-1252\n";
            return kRefused;
        }
    }
    auto start = std::chrono::steady_clock::now();
    store::Database database(path);
    int rows = 0;
    {
        TerminalProgress progress;
        rows = store::ImportCsv(database, table, csv, progress.Callback());
    }
    std::cout << rows << " linha(s) importada(s) em " << table << " em " << SecondsSince(start)
              << " s\n";
    return kOk;
}

int Export(const std::string& path, const std::string& table)
{
    if (!store::IsTableName(table)) {
        std::cerr << "kelo-store: tabela desconhecida '" << table << "'\n";
        return kUsage;
    }
    store::Database database(path);
    std::ostringstream out;
    store::ExportCsv(database, table, out);
    std::cout << out.str();
    return kOk;
}

int Generate(const std::string& path, const std::vector<std::string>& options)
{
    store::GenerateCounts counts;
    bool clients = false;
    bool products = false;
    bool items = false;
    for (size_t k = 0; k + 1 < options.size(); k += 2) {
        const std::string& name = options[k];
        bool ok = name == "--clients"    ? (clients = ParseCount(options[k + 1], counts.clients))
                  : name == "--products" ? (products = ParseCount(options[k + 1], counts.products))
                  : name == "--items-per-client"
                      ? (items = ParseCount(options[k + 1], counts.itemsPerClient))
                      : false;
        if (!ok) {
            return Usage();
        }
    }
    if (options.size() != 6 || !clients || !products || !items) {
        return Usage();
    }
    auto start = std::chrono::steady_clock::now();
    auto database = store::Database::Create(path);
    try {
        TerminalProgress progress;
        store::Generate(*database, counts, progress.Callback());
    } catch (...) {
        database.reset();
        RemoveStore(path);
        throw;
    }
    database->Close();
    std::cout << "gerados " << counts.clients << " clientes, " << counts.products << " produtos, "
              << static_cast<long long>(counts.clients) * counts.itemsPerClient << " itens em "
              << SecondsSince(start) << " s\n";
    return kOk;
}

int Check(const std::string& path, bool repair)
{
    auto start = std::chrono::steady_clock::now();
    store::Database database(path);
    if (repair) {
        store::Repair(database);
        std::cout << "índices de nomes refeitos: " << database.Path() << '\n';
    }
    std::vector<std::string> problems;
    {
        TerminalProgress progress;
        problems = store::Check(database, progress.Callback());
    }
    if (problems.empty()) {
        std::cout << "armazenamento íntegro: " << database.Path() << " (verificado em "
                  << SecondsSince(start) << " s)\n";
        return kOk;
    }
    for (const std::string& problem : problems) {
        std::cerr << "kelo-store: " << problem << '\n';
    }
    return kRefused;
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() < 2) {
        return Usage();
    }
    const std::string& command = args[0];
    const std::string& path = args[1];
    if (command == "create" && args.size() == 2) {
        return Create(path);
    }
    if (command == "demo" && args.size() == 2) {
        return Demo(path);
    }
    if (command == "import" && args.size() == 4) {
        return Import(path, args[2], args[3], false);
    }
    if (command == "import" && args.size() == 6 && args[1] == "--encoding") {
        if (args[2] != "windows-1252") {
            return Usage();
        }
        return Import(args[3], args[4], args[5], true);
    }
    if (command == "export" && args.size() == 3) {
        return Export(path, args[2]);
    }
    if (command == "generate") {
        return Generate(path, {args.begin() + 2, args.end()});
    }
    if (command == "check" && args.size() == 2) {
        return Check(path, false);
    }
    if (command == "check" && args.size() == 3 && args[1] == "--repair") {
        return Check(args[2], true);
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Run(args);
    } catch (const store::Refusal& refusal) {
        std::cerr << "kelo-store: " << refusal.what() << '\n';
    } catch (const store::StoreError& error) {
        std::cerr << "kelo-store: " << error.what() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "kelo-store: " << error.what() << '\n';
    }
    return kRefused;
}
