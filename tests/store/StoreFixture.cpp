#include "StoreFixture.h"

#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Passwords.h"
#include "store/Store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace storetest {

namespace {

// Removed when the test program ends.
struct TemplateDir {
    std::filesystem::path dir = NewTempDir();
    ~TemplateDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

std::filesystem::path DemoTemplate()
{
    static const TemplateDir folder;
    static const std::filesystem::path path = [] {
        store::UseCheapHashesForTests();
        std::filesystem::path file = folder.dir / "demo.kelo";
        auto database = store::Database::Create(file.string());
        store::LoadDemo(*database);
        database->Close();
        return file;
    }();
    return path;
}

} // namespace

std::filesystem::path NewTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-store-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream bytes;
    bytes << input.rdbuf();
    return bytes.str();
}

void StoreTest::SetUp()
{
    m_dir = NewTempDir();
    m_path = (m_dir / "loja.kelo").string();
    std::filesystem::copy_file(DemoTemplate(), m_path);
    m_db = std::make_shared<store::Database>(m_path);
    store::RegisterComponents(m_db);
}

void StoreTest::TearDown()
{
    contracts::Clear();
    m_db.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

int64_t StoreTest::Scalar(const std::string& sql)
{
    store::Statement statement = m_db->Conn().Prepare(sql);
    return statement.Step() ? statement.Int(0) : -1;
}

} // namespace storetest
