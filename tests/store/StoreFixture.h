// A fresh copy of the demo store for each test, with every component registered over it: a file
// in a temporary folder, or, when the program runs against the server (KELO_TEST_POSTGRES
// set), a database of the test cluster (TestServer.h). The demo is built once (hashing its
// passwords is slow) and copied: as a closed file, or as a database's template.
#pragma once

#include "TestServer.h"
#include "contracts/KELO_N_PreVendas.h"
#include "platform/Recordset.h"
#include "store/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace storetest {

// Two bags of product 1003 for Ana, with Marcos's commission; totals left for the store.
std::shared_ptr<KELO_N_PreVendas::clsPreVendas> Product(double quantity = 2);

// What the grid row hands to Excluir: its cells as texts; `failure` gets the refusal or the error.
int32_t Delete(const std::string& number, const std::string& kind, const std::string& code,
               const std::string& quantity, std::string* failure = nullptr);

// The value of `field` in every row, as whole numbers, in the rows' order.
std::vector<int32_t> Codes(const platform::RecordsetRef& rows, const char* field);

enum class Kind { Client, Product, Service };
// The codes the search dialog of `kind` finds for `typed`, or {-1} when the component did not
// answer 0.
std::vector<int32_t> Find(Kind kind, const std::string& typed);

// The kelo-store tool, run as a shop would run it: its exit code, and what it printed.
int Tool(const std::string& arguments, std::string* output = nullptr);

// Skips a test of what only a SQLite file has (its bytes, its pragmas, its VFS) on the server.
#define KELO_SKIP_ON_SERVER(why)                                                                   \
    do {                                                                                           \
        if (::storetest::OnServer()) {                                                             \
            GTEST_SKIP() << "SQLite file only: " << why;                                           \
        }                                                                                          \
    } while (false)

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Where a new, not yet created store may go: a file in the test's folder, or an empty
    // database of the cluster (dropped at the end of the test).
    std::string NewStoreAddress(const std::string& fileName);
    // Everything the store holds, to tell whether a refused command left it as it was: the
    // file's bytes, or every table exported and the lançamento sequence.
    std::string Snapshot();

    // One value of a query on the store (the first column of the first row), as a whole number.
    int64_t Scalar(const std::string& sql);
    // The lançamento numbers of every stored item.
    std::set<int64_t> StoredNumbers();

    std::filesystem::path m_dir;
    // The file, or the server database's address.
    std::string m_path;
    std::shared_ptr<store::Database> m_db;
    // What SetUp opens m_db with; a fixture's constructor may change it.
    store::DatabaseOptions m_options;
    std::vector<std::string> m_extraDatabases;
};

// A test of what only the server has: skipped on a file.
class ServerTest : public StoreTest {
protected:
    void SetUp() override;
};

} // namespace storetest
