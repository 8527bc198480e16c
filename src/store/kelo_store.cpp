// kelo-store: creates, fills, exports and checks a shop's store file. Exit 0 on success, 1 when
// the input or the file is refused (one line on stderr says why), 2 on a usage error. Each
// command is one transaction: a failed command leaves the file as it was.
#include "store/Admin.h"
#include "store/Database.h"
#include "store/Tables.h"
#include "store/Values.h"

#include <chrono>
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
    store::Database database(path);
    int rows = store::ImportCsv(database, table, csv);
    std::cout << rows << " linha(s) importada(s) em " << table << '\n';
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
        store::Generate(*database, counts);
    } catch (...) {
        database.reset();
        RemoveStore(path);
        throw;
    }
    database->Close();
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::cout << "gerados " << counts.clients << " clientes, " << counts.products << " produtos, "
              << static_cast<long long>(counts.clients) * counts.itemsPerClient << " itens em "
              << seconds.count() << " s\n";
    return kOk;
}

int Check(const std::string& path, bool repair)
{
    store::Database database(path);
    if (repair) {
        store::Repair(database);
        std::cout << (database.Dialect() == store::Engine::Postgres
                          ? "sem índices de nomes a refazer no servidor: "
                          : "índices de nomes refeitos: ")
                  << database.Path() << '\n';
    }
    std::vector<std::string> problems = store::Check(database);
    if (problems.empty()) {
        std::cout << "armazenamento íntegro: " << database.Path() << '\n';
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
