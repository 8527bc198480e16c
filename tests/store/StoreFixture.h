// A fresh copy of the demo store in a temporary folder for each test, with every component
// registered over it. The demo is built once per test program (hashing its passwords is slow)
// and copied as a closed file.
#pragma once

#include "contracts/KELO_N_PreVendas.h"
#include "store/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace storetest {

std::filesystem::path NewTempDir();
std::string ReadBytes(const std::filesystem::path& path);

// Two bags of product 1003 for Ana, with Marcos's commission; totals left for the store.
std::shared_ptr<KELO_N_PreVendas::clsPreVendas> Product(double quantity = 2);

// What the grid row hands to Excluir: its cells as texts.
int32_t Delete(const std::string& number, const std::string& kind, const std::string& code,
               const std::string& quantity, std::string* failure = nullptr);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One value of a query on the store (the first column of the first row), as a whole number.
    int64_t Scalar(const std::string& sql);
    // The lançamento numbers of every stored item.
    std::set<int64_t> StoredNumbers();

    std::filesystem::path m_dir;
    std::string m_path;
    std::shared_ptr<store::Database> m_db;
};

} // namespace storetest
