// A fresh copy of the demo store in a temporary folder for each test, with every component
// registered over it. The demo is built once per test program (hashing its passwords is slow)
// and copied as a closed file.
#pragma once

#include "store/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace storetest {

std::filesystem::path NewTempDir();
std::string ReadBytes(const std::filesystem::path& path);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One value of a query on the store (the first column of the first row), as a whole number.
    int64_t Scalar(const std::string& sql);

    std::filesystem::path m_dir;
    std::string m_path;
    std::shared_ptr<store::Database> m_db;
};

} // namespace storetest
