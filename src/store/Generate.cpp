// Synthetic stores for benchmarks: names built from word lists by index and prices from a fixed
// linear congruential sequence, so the same counts always give the same store. Rows go in by
// table in bulk (store/Sqlite.h BulkInsert) inside one transaction; the sequence and the
// reservations are set once at the end from what was stored.
#include "store/Admin.h"

#include "store/Schema.h"
#include "store/Values.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace store {

namespace {

class Sequence {
public:
    // Uniform in [low, high].
    int64_t Next(int64_t low, int64_t high)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + static_cast<int64_t>((m_state >> 33) % static_cast<uint64_t>(high - low + 1));
    }

private:
    uint64_t m_state = 20261207;
};

constexpr std::array kKinds = {"Ração", "Petisco", "Shampoo",   "Coleira",   "Brinquedo",
                               "Areia", "Caminha", "Comedouro", "Vermífugo", "Antipulgas"};
constexpr std::array kBrands = {"Premium", "Natural", "Golden", "Max",   "Select",
                                "Vital",   "Forte",   "Plus",   "Nobre", "Feliz"};
constexpr std::array kFor = {"cães adultos", "cães filhotes", "gatos",      "gatos castrados",
                             "pássaros",     "roedores",      "cães sênior"};
constexpr std::array kFirst = {"Ana",       "João",   "Maria", "José",  "Antônio",
                               "Francisca", "Carlos", "Paulo", "Lúcia", "Márcia",
                               "Pedro",     "Luís",   "Joana", "Sérgio"};
constexpr std::array kLast = {"Silva", "Santos",  "Oliveira", "Souza", "Rodrigues", "Ferreira",
                              "Alves", "Pereira", "Lima",     "Gomes", "Conceição", "Araújo"};
constexpr std::array kPets = {"Rex",    "Mel",  "Thor",  "Nina",  "Bidu",    "Luna",
                              "Pipoca", "Fred", "Amora", "Simba", "Belinha", "Toby"};

// An EAN-13 with its check digit, unique per index.
std::string Barcode(int64_t index)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "789%09lld", static_cast<long long>(index));
    int sum = 0;
    for (int k = 0; k < 12; ++k) {
        sum += (digits[k] - '0') * (k % 2 == 0 ? 1 : 3);
    }
    digits[12] = static_cast<char>('0' + (10 - sum % 10) % 10);
    digits[13] = '\0';
    return digits;
}

// Every 4096 rows, and the first: often enough for a terminal, rare enough to cost nothing.
void Tell(const Progress& progress, std::string_view step, int64_t done, int64_t total)
{
    if (progress && (done % 4096 == 0 || done == total)) {
        progress(step, done, total);
    }
}

} // namespace

void Generate(Database& database, const GenerateCounts& counts, const Progress& progress)
{
    Connection& connection = database.Conn();
    // The store is new and empty: a rollback journal keeps next to nothing of it, where the WAL
    // would hold every page once more and then copy it into the file; the cache holds the
    // indexes that rows reach in no order (names), so their pages are written once. Every row
    // refers only to rows made before it here, so the references go unchecked (check does it).
    const bool file = connection.Dialect() == Engine::Sqlite;
    if (file) {
        connection.Execute(
            "PRAGMA journal_mode=DELETE; PRAGMA cache_size=-262144; PRAGMA foreign_keys=OFF");
    }
    struct BackToWal {
        Connection& connection;
        bool file;
        ~BackToWal()
        {
            try {
                if (file) {
                    connection.Execute("PRAGMA foreign_keys=ON; PRAGMA cache_size=-2000;"
                                       " PRAGMA journal_mode=WAL");
                }
            } catch (const StoreError&) {
                // Opening the store sets the WAL again.
            }
        }
    } backToWal{connection, file};
    Transaction transaction(database);
    // A server checks each reference of each row as it goes in; its references are dropped
    // instead and made again at the end, which checks every row in one join per reference.
    std::vector<std::string> references;
    if (!file) {
        Statement keys = connection.Prepare(
            "SELECT 'ALTER TABLE ' || conrelid::regclass::text || ' ADD CONSTRAINT '"
            " || quote_ident(conname) || ' ' || pg_get_constraintdef(oid),"
            " 'ALTER TABLE ' || conrelid::regclass::text || ' DROP CONSTRAINT '"
            " || quote_ident(conname) FROM pg_catalog.pg_constraint WHERE contype = 'f'"
            " AND connamespace = current_schema()::regnamespace");
        std::vector<std::string> drops;
        while (keys.Step()) {
            references.push_back(keys.Text(0));
            drops.push_back(keys.Text(1));
        }
        for (const std::string& drop : drops) {
            connection.Execute(drop);
        }
    }
    Sequence random;
    // One bulk fill of the name indexes at the end costs far less than a trigger per row.
    DropNameIndexes(connection);

    connection.Execute(
        "INSERT INTO TiposDeServicos (Numero, Nome) VALUES (1, 'Clínico'), (2, 'Cirurgia simples'),"
        " (3, 'Cirurgia média'), (4, 'Cirurgia complexa'), (5, 'Banho, tosa e estética'),"
        " (6, 'Hospedagem'), (7, 'Adestramento'), (99, 'Outros')");
    constexpr std::array kTypes = {1, 2, 3, 4, 5, 6, 7, 99};
    constexpr int kServices = 64;
    std::array<int64_t, kServices + 1> servicePrices{};
    {
        BulkInsert insert(connection, "Servicos",
                          {"Codigo", "Nome", "NomeBusca", "Descricao", "Custo", "ValorDeVenda",
                           "NumeroDoTipoDeServico"});
        for (int code = 1; code <= kServices; ++code) {
            std::string name = std::string("Serviço ") + kBrands[code % kBrands.size()] + " " +
                               std::to_string(code);
            int64_t price = random.Next(1500, 50000) * 100;
            servicePrices[static_cast<size_t>(code)] = price;
            insert.Add(int64_t{code}).Add(name).Add(Fold(name)).Add("");
            insert.Add(price / 3).Add(price).Add(int64_t{kTypes[code % kTypes.size()]});
            insert.EndRow();
        }
        insert.Finish();
    }
    connection.Execute(
        "INSERT INTO Funcionarios (Codigo, Apelido, ApelidoBusca, Comissionado, ComissaoUnica,"
        " PercentualDeComissaoUnica, PercentualDeComissaoEmBanhosTosasEEsteticas)"
        " VALUES (1, 'Marcos', 'MARCOS', 'Sim', 'Sim', 50000, 0),"
        " (2, 'Fernanda', 'FERNANDA', 'Sim', 'Não', 0, 100000),"
        " (3, 'Roberto', 'ROBERTO', 'Não', 'Não', 0, 0)");
    connection.Execute("INSERT INTO Empresa (Id, NomeFantasia, FormatoDeCodigoDeBarrasParaBalanca)"
                       " VALUES (1, 'Pet Shop Sintético', 2)");
    // Prices first, then the items drawn from the sequence that follows them, so that each
    // product goes in with its reserved quantity and each item with its price: no row is read
    // back or updated afterwards.
    const auto products = static_cast<size_t>(counts.products);
    std::vector<int64_t> productPrices(products + 1);
    for (size_t code = 1; code <= products; ++code) {
        productPrices[code] = random.Next(190, 60000) * 100;
    }
    const auto animalsOf = [](int64_t client) { return 1 + client % 2; };
    struct Item {
        int64_t number;
        int64_t client;
        int64_t which; // the service or product
        int64_t quantity;
        int64_t animal;
    };
    // Every item in lançamento order: `service` for a service, `product` for a product.
    const auto eachItem = [&, itemsStart = random](const auto& service, const auto& product) {
        Sequence draw = itemsStart;
        int64_t number = 0;
        int64_t animalCode = 0;
        for (int64_t code = 1; code <= counts.clients; ++code) {
            const int64_t firstAnimal = animalCode + 1;
            const int64_t animals = animalsOf(code);
            animalCode += animals;
            for (int k = 0; k < counts.itemsPerClient; ++k) {
                ++number;
                if (k % 2 == 0 || counts.products == 0) {
                    service(Item{number, code, draw.Next(1, kServices), 10000,
                                 firstAnimal + k % animals});
                } else {
                    const int64_t quantity = draw.Next(1, 3) * 10000;
                    product(Item{number, code, draw.Next(1, counts.products), quantity, 0});
                }
            }
        }
        return number;
    };
    std::vector<int64_t> reserved(products + 1);
    const auto none = [](const Item&) {};
    const int64_t number = eachItem(none, [&](const Item& item) {
        reserved[static_cast<size_t>(item.which)] += item.quantity;
    });
    {
        BulkInsert insert(connection, "Produtos",
                          {"CodigoInterno", "CodigoDeBarras", "Nome", "NomeBusca", "NomeDoGrupo",
                           "NomeDoSubgrupo", "UnidadeDeVenda", "ValorDeCusto", "ValorDeVenda",
                           "PercentualDeComissao", "QuantidadeReservada"});
        for (int64_t code = 1; code <= counts.products; ++code) {
            Tell(progress, "produtos", code - 1, counts.products);
            const char* kind = kKinds[static_cast<size_t>(code) % kKinds.size()];
            const char* forWhom = kFor[static_cast<size_t>(code / 100) % kFor.size()];
            std::string name = std::string(kind) + " " +
                               kBrands[static_cast<size_t>(code / 10) % kBrands.size()] + " " +
                               forWhom + " " + std::to_string(code);
            const int64_t price = productPrices[static_cast<size_t>(code)];
            insert.Add(code).Add(Barcode(code)).Add(name).Add(Fold(name)).Add(kind).Add(forWhom);
            insert.Add(code % 17 == 0 ? "KG" : "UN").Add(price * 6 / 10).Add(price);
            insert.Add(int64_t{code % 4 * 10000}).Add(reserved[static_cast<size_t>(code)]);
            insert.EndRow();
        }
        insert.Finish();
    }
    Tell(progress, "produtos", counts.products, counts.products);
    // One table at a time, as a server takes one stream at a time.
    {
        BulkInsert client(connection, "Clientes",
                          {"CodigoDoCliente", "ApelidoOuNomeFantasia", "NomeOuRazaoSocial",
                           "ApelidoBusca", "NomeBusca", "Situacao", "CategoriaDaCurvaABC", "VIP",
                           "DescontoUnico", "PercentualDeDescontoEmBanhosTosasEEsteticas"});
        for (int64_t code = 1; code <= counts.clients; ++code) {
            Tell(progress, "clientes", code - 1, counts.clients);
            const char* first = kFirst[static_cast<size_t>(code) % kFirst.size()];
            std::string nickname = std::string(first) + " " + std::to_string(code);
            std::string name =
                std::string(first) + " " + kLast[static_cast<size_t>(code / 14) % kLast.size()];
            client.Add(code).Add(nickname).Add(name).Add(Fold(nickname)).Add(Fold(name));
            client.Add(int64_t{code % 20 == 0 ? 2 : 1});
            client.Add(code % 5 == 0 ? "A" : code % 2 == 0 ? "B" : "C");
            client.Add(code % 10 == 0 ? "Sim" : "Não").Add("Não").Add(int64_t{code % 3 * 50000});
            client.EndRow();
        }
        client.Finish();
    }
    Tell(progress, "clientes", counts.clients, counts.clients);
    {
        BulkInsert animal(connection, "Animais", {"Codigo", "CodigoDoCliente", "Nome"});
        int64_t animalCode = 0;
        for (int64_t code = 1; code <= counts.clients; ++code) {
            for (int64_t k = 0; k < animalsOf(code); ++k) {
                ++animalCode;
                animal.Add(animalCode).Add(code);
                animal.Add(kPets[static_cast<size_t>(animalCode) % kPets.size()]);
                animal.EndRow();
            }
        }
        animal.Finish();
    }
    if (progress) {
        progress("itens", 0, 2);
    }
    {
        BulkInsert insert(connection, "ServicosEfetuados",
                          {"NumeroDeLancamento", "CodigoDoCliente", "DataDeLancamento",
                           "NumeroDoTipoDeServico", "CodigoDoServico", "CodigoDoAnimal",
                           "Quantidade", "ValorUnitario", "ValorTotal", "ValorLiquido"});
        eachItem(
            [&](const Item& item) {
                const int64_t price = servicePrices[static_cast<size_t>(item.which)];
                insert.Add(item.number).Add(item.client).Add("07/12/2026");
                insert.Add(int64_t{kTypes[static_cast<size_t>(item.which) % kTypes.size()]});
                insert.Add(item.which).Add(item.animal).Add(item.quantity);
                insert.Add(price).Add(price).Add(price);
                insert.EndRow();
            },
            none);
        insert.Finish();
    }
    if (progress) {
        progress("itens", 1, 2);
    }
    {
        BulkInsert insert(connection, "ProdutosReservados",
                          {"NumeroDeLancamento", "CodigoDoCliente", "DataDeLancamento",
                           "CodigoInternoDoProduto", "Quantidade", "ValorUnitario", "ValorTotal",
                           "ValorLiquido"});
        eachItem(none, [&](const Item& item) {
            const int64_t price = productPrices[static_cast<size_t>(item.which)];
            const int64_t total = price * item.quantity / 10000;
            insert.Add(item.number).Add(item.client).Add("07/12/2026").Add(item.which);
            insert.Add(item.quantity).Add(price).Add(total).Add(total);
            insert.EndRow();
        });
        insert.Finish();
    }
    if (progress) {
        progress("itens", 2, 2);
    }
    Statement sequence =
        connection.Prepare("UPDATE Sequencias SET Ultimo = ? WHERE Nome = 'Lancamento'");
    sequence.Bind(1, number).Run();
    if (progress) {
        progress("índices de nomes", 0, 1);
    }
    RebuildNameIndexes(connection);
    for (const std::string& reference : references) {
        connection.Execute(reference);
    }
    transaction.commit();
    if (progress) {
        progress("índices de nomes", 1, 1);
    }
}

} // namespace store
