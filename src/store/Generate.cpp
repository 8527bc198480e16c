// Synthetic stores for benchmarks: names built from word lists by index and prices from a fixed
// linear congruential sequence, so the same counts always give the same store. Rows go in through
// prepared statements reused inside one transaction; the sequence and the reservations are set
// once at the end from what was stored.
#include "store/Admin.h"

#include "store/Schema.h"
#include "store/Values.h"

#include <array>
#include <cstdio>
#include <string>

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
    Sequence random;
    // One bulk fill of the name indexes at the end costs far less than a trigger per row.
    DropNameIndexes(connection);

    connection.Execute(
        "INSERT INTO TiposDeServicos (Numero, Nome) VALUES (1, 'Clínico'), (2, 'Cirurgia simples'),"
        " (3, 'Cirurgia média'), (4, 'Cirurgia complexa'), (5, 'Banho, tosa e estética'),"
        " (6, 'Hospedagem'), (7, 'Adestramento'), (99, 'Outros')");
    constexpr std::array kTypes = {1, 2, 3, 4, 5, 6, 7, 99};
    constexpr int kServices = 64;
    {
        Statement insert = connection.Prepare(
            "INSERT INTO Servicos (Codigo, Nome, NomeBusca, Descricao, Custo, ValorDeVenda,"
            " NumeroDoTipoDeServico) VALUES (?, ?, ?, '', ?, ?, ?)");
        for (int code = 1; code <= kServices; ++code) {
            std::string name = std::string("Serviço ") + kBrands[code % kBrands.size()] + " " +
                               std::to_string(code);
            int64_t price = random.Next(1500, 50000) * 100;
            insert.Bind(1, int64_t{code}).Bind(2, name).Bind(3, Fold(name));
            insert.Bind(4, price / 3).Bind(5, price).Bind(6, int64_t{kTypes[code % kTypes.size()]});
            insert.Run();
            insert.Reset();
        }
    }
    connection.Execute(
        "INSERT INTO Funcionarios (Codigo, Apelido, ApelidoBusca, Comissionado, ComissaoUnica,"
        " PercentualDeComissaoUnica, PercentualDeComissaoEmBanhosTosasEEsteticas)"
        " VALUES (1, 'Marcos', 'MARCOS', 'Sim', 'Sim', 50000, 0),"
        " (2, 'Fernanda', 'FERNANDA', 'Sim', 'Não', 0, 100000),"
        " (3, 'Roberto', 'ROBERTO', 'Não', 'Não', 0, 0)");
    connection.Execute("INSERT INTO Empresa (Id, NomeFantasia, FormatoDeCodigoDeBarrasParaBalanca)"
                       " VALUES (1, 'Pet Shop Sintético', 2)");
    {
        Statement insert = connection.Prepare(
            "INSERT INTO Produtos (CodigoInterno, CodigoDeBarras, Nome, NomeBusca, NomeDoGrupo,"
            " NomeDoSubgrupo, UnidadeDeVenda, ValorDeCusto, ValorDeVenda, PercentualDeComissao)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int64_t code = 1; code <= counts.products; ++code) {
            Tell(progress, "produtos", code - 1, counts.products);
            const char* kind = kKinds[static_cast<size_t>(code) % kKinds.size()];
            std::string name = std::string(kind) + " " +
                               kBrands[static_cast<size_t>(code / 10) % kBrands.size()] + " " +
                               kFor[static_cast<size_t>(code / 100) % kFor.size()] + " " +
                               std::to_string(code);
            int64_t price = random.Next(190, 60000) * 100;
            insert.Bind(1, code).Bind(2, Barcode(code)).Bind(3, name).Bind(4, Fold(name));
            insert.Bind(5, std::string_view(kind));
            insert.Bind(6, std::string_view(kFor[static_cast<size_t>(code / 100) % kFor.size()]));
            insert.Bind(7, std::string_view(code % 17 == 0 ? "KG" : "UN"));
            insert.Bind(8, price * 6 / 10).Bind(9, price).Bind(10, int64_t{code % 4 * 10000});
            insert.Run();
            insert.Reset();
        }
    }
    Tell(progress, "produtos", counts.products, counts.products);
    Statement client = connection.Prepare(
        "INSERT INTO Clientes (CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial,"
        " ApelidoBusca, NomeBusca, Situacao, CategoriaDaCurvaABC, VIP, DescontoUnico,"
        " PercentualDeDescontoEmBanhosTosasEEsteticas) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Statement animal =
        connection.Prepare("INSERT INTO Animais (Codigo, CodigoDoCliente, Nome) VALUES (?, ?, ?)");
    Statement service = connection.Prepare(
        "INSERT INTO ServicosEfetuados (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento,"
        " NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal, Quantidade, ValorUnitario,"
        " ValorTotal, ValorLiquido) SELECT ?, ?, '07/12/2026', NumeroDoTipoDeServico, Codigo, ?,"
        " 10000, ValorDeVenda, ValorDeVenda, ValorDeVenda FROM Servicos WHERE Codigo = ?");
    Statement product = connection.Prepare(
        "INSERT INTO ProdutosReservados (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento,"
        " CodigoInternoDoProduto, Quantidade, ValorUnitario, ValorTotal, ValorLiquido)"
        " SELECT ?1, ?2, '07/12/2026', CodigoInterno, ?3, ValorDeVenda,"
        " ValorDeVenda * ?3 / 10000, ValorDeVenda * ?3 / 10000"
        " FROM Produtos WHERE CodigoInterno = ?4");
    int64_t animalCode = 0;
    int64_t number = 0;
    for (int64_t code = 1; code <= counts.clients; ++code) {
        Tell(progress, "clientes", code - 1, counts.clients);
        std::string nickname = std::string(kFirst[static_cast<size_t>(code) % kFirst.size()]) +
                               " " + std::to_string(code);
        std::string name = std::string(kFirst[static_cast<size_t>(code) % kFirst.size()]) + " " +
                           kLast[static_cast<size_t>(code / 14) % kLast.size()];
        client.Bind(1, code).Bind(2, nickname).Bind(3, name).Bind(4, Fold(nickname));
        client.Bind(5, Fold(name)).Bind(6, int64_t{code % 20 == 0 ? 2 : 1});
        client.Bind(7, std::string_view(code % 5 == 0 ? "A" : code % 2 == 0 ? "B" : "C"));
        client.Bind(8, std::string_view(code % 10 == 0 ? "Sim" : "Não"));
        client.Bind(9, std::string_view("Não")).Bind(10, int64_t{code % 3 * 50000});
        client.Run();
        client.Reset();
        int64_t firstAnimal = animalCode + 1;
        int64_t animals = 1 + code % 2;
        for (int64_t k = 0; k < animals; ++k) {
            animal.Bind(1, ++animalCode).Bind(2, code);
            animal.Bind(3, std::string_view(kPets[static_cast<size_t>(animalCode) % kPets.size()]));
            animal.Run();
            animal.Reset();
        }
        for (int k = 0; k < counts.itemsPerClient; ++k) {
            ++number;
            if (k % 2 == 0 || counts.products == 0) {
                service.Bind(1, number).Bind(2, code).Bind(3, firstAnimal + k % animals);
                service.Bind(4, random.Next(1, kServices));
                service.Run();
                service.Reset();
            } else {
                product.Bind(1, number).Bind(2, code).Bind(3, random.Next(1, 3) * 10000);
                product.Bind(4, random.Next(1, counts.products));
                product.Run();
                product.Reset();
            }
        }
    }
    Statement sequence =
        connection.Prepare("UPDATE Sequencias SET Ultimo = ? WHERE Nome = 'Lancamento'");
    sequence.Bind(1, number).Run();
    connection.Execute(
        "UPDATE Produtos SET QuantidadeReservada = r.Total FROM (SELECT CodigoInternoDoProduto"
        " AS Codigo, sum(Quantidade) AS Total FROM ProdutosReservados GROUP BY"
        " CodigoInternoDoProduto) r WHERE Produtos.CodigoInterno = r.Codigo");
    Tell(progress, "clientes", counts.clients, counts.clients);
    if (progress) {
        progress("índices de nomes", 0, 1);
    }
    RebuildNameIndexes(connection);
    transaction.commit();
    if (progress) {
        progress("índices de nomes", 1, 1);
    }
}

} // namespace store
