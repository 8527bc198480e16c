// The server's name indexes: searches reach few rows of a store too big to scan unnoticed, an
// older server store gets the indexes when opened, check and repair see to a missing one, and a
// role that cannot create the trigram extension is told what its administrator must do.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Store.h"

#include <unistd.h>

#include <functional>

namespace storetest {
namespace {

class ServerIndexTest : public ServerTest {
protected:
    // Rows of `table` the server read, by scan or through an index, once this session's counts
    // are handed to the statistics.
    int64_t RowsRead(store::Connection& connection, const char* table)
    {
        connection.Execute("SELECT pg_stat_force_next_flush()");
        store::Statement read =
            connection.Prepare("SELECT coalesce(seq_tup_read, 0) + coalesce(idx_tup_fetch, 0)"
                               " FROM pg_stat_user_tables WHERE relname = lower(?1)");
        read.Bind(1, table);
        return read.Step() ? read.Int(0) : -1;
    }

    int64_t Indexes(store::Connection& connection)
    {
        store::Statement count = connection.Prepare(
            "SELECT count(*) FROM pg_indexes WHERE indexname LIKE '%pornomes\\_%'");
        return count.Step() ? count.Int(0) : -1;
    }
};

TEST_F(ServerIndexTest, NameSearchesReadOnlyTheRowsThatMatch)
{
    const std::string address = NewStoreAddress("");
    auto database = store::Database::Create(address);
    store::Generate(*database, {.clients = 3000, .products = 6000, .itemsPerClient = 0}, {});
    contracts::Clear();
    store::RegisterComponents(database);
    store::Connection& connection = database->Conn();
    connection.Execute("ANALYZE");

    struct Search {
        const char* what;
        const char* table;
        std::function<int64_t()> rows;
    };
    const Search searches[] = {
        {"product name", "Produtos",
         [] {
             auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
             std::string name = "golden cães filhotes 432";
             std::string barcode;
             double code = 0;
             products->Selecionar(2, 0, 1, "", name, barcode, code);
             return products->ResultadoDaSelecaoEmRecordSet->RecordCount();
         }},
        {"search dialog", "Produtos",
         [] {
             auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
             products->Selecionar(2, 0, 1, "filhotes 432", "");
             return products->ResultadoDaSelecaoEmRecordSet->RecordCount();
         }},
        {"client nickname", "Clientes",
         [] {
             auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
             std::string nickname = "josé 1711";
             double code = 0;
             clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, "");
             return clients->ResultadoDaSelecaoEmRecordSet->RecordCount();
         }},
    };
    for (const Search& search : searches) {
        const int64_t before = RowsRead(connection, search.table);
        const int64_t found = search.rows();
        EXPECT_GE(found, 1) << search.what;
        // A scan, or a walk along some other index, reads thousands.
        EXPECT_LE(RowsRead(connection, search.table) - before, 60) << search.what;
    }
}

TEST_F(ServerIndexTest, AnOlderServerStoreGetsTheIndexesAndRepairRemakesAMissingOne)
{
    m_db->Conn();
    {
        auto admin = store::Connection::ToServer(m_path, 1000);
        EXPECT_EQ(Indexes(*admin), 4);
        admin->Execute("DROP INDEX ProdutosPorNomes_NomeBusca; DROP INDEX"
                       " ClientesPorNomes_ApelidoBusca; UPDATE Armazenamento SET Versao = 3");
    }
    store::Database upgraded(m_path);
    EXPECT_EQ(Indexes(upgraded.Conn()), 4);
    EXPECT_TRUE(store::Check(upgraded, {}).empty());

    upgraded.Conn().Execute("DROP INDEX ServicosPorNomes_NomeBusca");
    const std::vector<std::string> problems = store::Check(upgraded, {});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("ServicosPorNomes_NomeBusca"), std::string::npos) << problems[0];
    store::Repair(upgraded);
    EXPECT_TRUE(store::Check(upgraded, {}).empty());
}

TEST_F(ServerIndexTest, ARoleThatCannotCreateTheExtensionIsToldWhatToAsk)
{
    const std::string address = NewStoreAddress("");
    const std::string role = "balcao_" + std::to_string(getpid());
    {
        auto admin = store::Connection::ToServer(address, 1000);
        admin->Execute("CREATE ROLE " + role + " LOGIN; GRANT CREATE ON SCHEMA public TO " + role);
    }
    std::string asRole = address;
    asRole.replace(asRole.find("://") + 3, asRole.find('@') - asRole.find("://") - 3, role);
    try {
        store::Database::Create(asRole);
        ADD_FAILURE() << "created without the extension";
    } catch (const store::StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("CREATE EXTENSION pg_trgm"), std::string::npos)
            << error.what();
    }
    auto admin = store::Connection::ToServer(address, 1000);
    EXPECT_EQ(Indexes(*admin), 0); // the refused create left nothing behind
    admin->Execute("REVOKE CREATE ON SCHEMA public FROM " + role + "; DROP ROLE " + role);
}

} // namespace
} // namespace storetest
