// The schema's versions and the name indexes: a version-1 store is upgraded on open in one
// transaction, the indexes follow every write of their tables, and check finds (and --repair
// mends) an index that has drifted from its table.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Schema.h"
#include "store/Tables.h"

#include <functional>
#include <string>
#include <vector>

namespace storetest {
namespace {

constexpr const char* kIndexes[] = {"ClientesPorNomes", "ServicosPorNomes", "ProdutosPorNomes"};

// The store as the first version of the program left it: no name indexes, no discount accounts.
void MakeVersion1(const std::string& path)
{
    store::Connection connection(path, false);
    for (std::string index : kIndexes) {
        connection.Execute("DROP TRIGGER " + index + "AoIncluir; DROP TRIGGER " + index +
                           "AoExcluir; DROP TRIGGER " + index + "AoAlterar; DROP TABLE " + index);
    }
    connection.Execute("DROP TABLE FrequenciaDosTrigramas; DROP TABLE AutorizacoesDeDesconto;"
                       " PRAGMA user_version=1");
}

// What the file says of itself, read past the program's own opening.
std::pair<int64_t, int64_t> VersionAndIndexes(const std::string& path)
{
    store::Connection connection(path, false);
    store::Statement statement =
        connection.Prepare("SELECT (SELECT user_version FROM pragma_user_version),"
                           " (SELECT count(*) FROM sqlite_master WHERE name LIKE '%PorNomes%'"
                           "  OR name IN ('FrequenciaDosTrigramas', 'AutorizacoesDeDesconto'))");
    statement.Step();
    return {statement.Int(0), statement.Int(1)};
}

enum class Kind { Client, Product, Service };

// The codes a search dialog finds for `typed`, or {-1} when the component did not answer 0.
std::vector<int32_t> Find(Kind kind, const std::string& typed)
{
    platform::RecordsetRef rows;
    const char* field = "Codigo";
    int32_t status = 0;
    if (kind == Kind::Client) {
        auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
        std::string nickname;
        double code = 0;
        status = clients->Selecionar(2, 0, 0, typed, nickname, code, "", "", "", 0, "");
        rows = clients->ResultadoDaSelecaoEmRecordSet;
        field = "CodigoDoCliente";
    } else if (kind == Kind::Product) {
        auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
        status = products->Selecionar(2, 0, 1, typed, "");
        rows = products->ResultadoDaSelecaoEmRecordSet;
        field = "CodigoInterno";
    } else {
        auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
        status = services->Selecionar(2, 0, 1, typed, int32_t{0});
        rows = services->ResultadoDaSelecaoEmRecordSet;
    }
    if (status != 0) {
        return {-1};
    }
    std::vector<int32_t> codes;
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        codes.push_back((*rows)[field].AsLong());
    }
    return codes;
}

TEST_F(StoreTest, AVersion1StoreIsUpgradedInOneTransactionWhenOpened)
{
    KELO_SKIP_ON_SERVER("the version-1 file and its FTS5 indexes");
    MakeVersion1(m_path);
    m_db->FailAtWritePoint(1);
    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    std::string nickname;
    double code = 0;
    EXPECT_EQ(clients->Selecionar(2, 0, 0, "joão", nickname, code, "", "", "", 0, ""), 1);
    EXPECT_NE(clients->DescricaoDoErro.find("da versão 1 para a versão " +
                                            std::to_string(store::kSchemaVersion) + " falhou"),
              std::string::npos)
        << clients->DescricaoDoErro;
    EXPECT_EQ(VersionAndIndexes(m_path), std::make_pair(int64_t{1}, int64_t{0}));

    m_db->FailAtWritePoint(0);
    EXPECT_EQ(Find(Kind::Client, "joão"), (std::vector<int32_t>{2}));
    EXPECT_EQ(Find(Kind::Product, "gatos"), (std::vector<int32_t>{1235, 1004}));
    EXPECT_TRUE(store::Check(*m_db).empty());
    m_db->Close();
    EXPECT_EQ(VersionAndIndexes(m_path).first, store::kSchemaVersion);
    EXPECT_GE(VersionAndIndexes(m_path).second, 5);
}

struct Renamed {
    Kind kind;
    const char* table;
    const char* csv;
    const char* rename; // SQL, as another writer of the table would change it
    const char* remove;
};

class NameIndexes : public StoreTest, public ::testing::WithParamInterface<Renamed> {};

TEST_P(NameIndexes, FollowAWrittenChangedAndRemovedName)
{
    const Renamed& row = GetParam();
    store::ImportCsv(*m_db, row.table, row.csv);
    const std::vector<int32_t> found = {90};
    const std::vector<int32_t> none;
    EXPECT_EQ(Find(row.kind, "ÑANDÚ"), found);
    EXPECT_EQ(Find(row.kind, "çiça ñ"), found);
    EXPECT_EQ(Find(row.kind, "50% \"_o"), found);
    EXPECT_EQ(Find(row.kind, "50 %"), none);
    EXPECT_EQ(Find(row.kind, "50_"), none);

    m_db->Conn().Execute(row.rename);
    EXPECT_EQ(Find(row.kind, "nandu"), none);
    EXPECT_EQ(Find(row.kind, "tucano"), found);
    EXPECT_TRUE(store::Check(*m_db).empty());

    m_db->Conn().Execute(row.remove);
    EXPECT_EQ(Find(row.kind, "tucano"), none);
    EXPECT_TRUE(store::Check(*m_db).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Store, NameIndexes,
    ::testing::Values(
        Renamed{Kind::Client, "clientes",
                "CodigoDoCliente;NomeOuRazaoSocial\n90;\"Çiça Ñandu 50% \"\"_o\"\n",
                "UPDATE Clientes SET NomeOuRazaoSocial = 'Tucano', NomeBusca = 'TUCANO'"
                " WHERE CodigoDoCliente = 90",
                "DELETE FROM Clientes WHERE CodigoDoCliente = 90"},
        Renamed{
            Kind::Product, "produtos", "CodigoInterno;Nome\n90;\"Çiça Ñandu 50% \"\"_o\"\n",
            "UPDATE Produtos SET Nome = 'Tucano', NomeBusca = 'TUCANO' WHERE CodigoInterno = 90",
            "DELETE FROM Produtos WHERE CodigoInterno = 90"},
        Renamed{Kind::Service, "servicos",
                "Codigo;NumeroDoTipoDeServico;Nome\n90;5;\"Çiça Ñandu 50% \"\"_o\"\n",
                "UPDATE Servicos SET Nome = 'Tucano', NomeBusca = 'TUCANO' WHERE Codigo = 90",
                "DELETE FROM Servicos WHERE Codigo = 90"}));

// Every name search, of the dialogs and of the form, reaches its rows through the indexes:
// SQLite steps through no table read whole. A text too short for the index is scanned, which
// shows that the count sees scans.
TEST_F(StoreTest, NameSearchesReadNoTableWhole)
{
    KELO_SKIP_ON_SERVER("the name indexes and SQLite's count of full-scan steps");
    store::Connection& connection = m_db->Conn();
    const auto scanned = [&](const std::function<void()>& search) {
        const int64_t before = connection.FullScanSteps();
        search();
        return connection.FullScanSteps() - before;
    };
    for (Kind kind : {Kind::Client, Kind::Product, Kind::Service}) {
        for (const char* typed : {"joão", "gatos", "1234", "7891000100103", "50%_\"x"}) {
            EXPECT_EQ(scanned([&] { Find(kind, typed); }), 0)
                << static_cast<int>(kind) << " " << typed;
        }
        EXPECT_GT(scanned([&] { Find(kind, "an"); }), 0) << static_cast<int>(kind);
    }
    EXPECT_EQ(scanned([] {
                  auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
                  std::string nickname = "joão";
                  double code = 0;
                  clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, "");
              }),
              0);
    EXPECT_EQ(scanned([] {
                  auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
                  std::string name = "gatos";
                  std::string barcode;
                  double code = 0;
                  products->Selecionar(2, 0, 1, "", name, barcode, code);
              }),
              0);
    EXPECT_EQ(scanned([] {
                  auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
                  int16_t type = 5;
                  std::string name = "banho";
                  double code = 0;
                  services->Selecionar(2, 0, 1, "", type, name, code);
              }),
              0);
}

TEST_F(StoreTest, CheckFindsANameIndexOutOfStepAndRepairRebuildsIt)
{
    KELO_SKIP_ON_SERVER("the FTS5 name indexes");
    // A writer that went around the triggers.
    m_db->Conn().Execute("DROP TRIGGER ProdutosPorNomesAoAlterar;"
                         "UPDATE Produtos SET NomeBusca = 'TUCANO' WHERE CodigoInterno = 1003");
    EXPECT_EQ(Find(Kind::Product, "tucano"), (std::vector<int32_t>{}));
    std::vector<std::string> problems = store::Check(*m_db);
    ASSERT_EQ(problems.size(), 2u); // a trigger missing, the index out of step
    EXPECT_NE(problems[0].find("ProdutosPorNomes"), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("ProdutosPorNomes"), std::string::npos) << problems[1];

    m_db->Conn().Execute("DELETE FROM FrequenciaDosTrigramas");
    store::Repair(*m_db);
    EXPECT_TRUE(store::Check(*m_db).empty());
    EXPECT_EQ(Scalar("SELECT Nomes FROM FrequenciaDosTrigramas"
                     " WHERE Indice = 'ProdutosPorNomes' AND Trigrama = 'CAO'"),
              Scalar("SELECT count(*) FROM Produtos WHERE instr(NomeBusca, 'CAO') > 0"));
    EXPECT_EQ(Find(Kind::Product, "tucano"), (std::vector<int32_t>{1003}));
    m_db->Conn().Execute("UPDATE Produtos SET NomeBusca = 'MARRECO' WHERE CodigoInterno = 1003");
    EXPECT_EQ(Find(Kind::Product, "marreco"), (std::vector<int32_t>{1003}));
}

} // namespace
} // namespace storetest
