// Files the store cannot use: each member answers an error naming the file and the cause, with
// its own location, and the file is left exactly as it was.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Login.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "store/Store.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace storetest {
namespace {

struct Answer {
    int32_t status;
    int32_t number;
    std::string description;
    std::string location;
};

// One call of each answer convention: a failure flag, a status, a write.
std::vector<Answer> AskEveryKind()
{
    std::vector<Answer> answers;
    const auto note = [&](int32_t status, const auto& component) {
        answers.push_back(
            {status, component->NumeroDoErro, component->DescricaoDoErro, component->LocalDoErro});
    };
    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    std::string nickname = "ana";
    double code = 0;
    note(clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, ""), clients);
    auto company = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
    note(company->Selecionar(1, 2), company);
    auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
    item->TipoDeLancamento = int16_t{2};
    item->CodigoDoCliente = 1.0;
    item->CodigoInternoDoProduto = 1003.0;
    item->Quantidade = "1,000";
    item->ValorUnitario = "189,90";
    note(item->Incluir(), item);
    return answers;
}

void ExpectErrors(const std::string& path, int32_t number, const std::string& cause)
{
    const std::vector<std::string> locations = {"KELO_N_ClientAnim, clsClientes, Selecionar",
                                                "KELO_N_Empresa, clsEmpresa, Selecionar",
                                                "KELO_N_PreVendas, clsPreVendas, Incluir"};
    std::vector<Answer> answers = AskEveryKind();
    for (size_t k = 0; k < answers.size(); ++k) {
        EXPECT_EQ(answers[k].status, 1) << locations[k];
        EXPECT_EQ(answers[k].number, number) << answers[k].description;
        EXPECT_NE(answers[k].description.find(path), std::string::npos) << answers[k].description;
        EXPECT_NE(answers[k].description.find(cause), std::string::npos) << answers[k].description;
        EXPECT_EQ(answers[k].location, locations[k]);
    }
}

class BadFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = NewTempDir();
        m_path = (m_dir / "loja.kelo").string();
    }
    void TearDown() override
    {
        contracts::Clear();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    void Register(store::DatabaseOptions options = {})
    {
        store::RegisterComponents(std::make_shared<store::Database>(m_path, options));
    }
    void Write(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    void CreateEmptyStore() { store::Database::Create(m_path)->Close(); }

    std::filesystem::path m_dir;
    std::string m_path;
};

TEST_F(BadFiles, MissingFileIsAnErrorAndIsNotCreated)
{
    Register();
    ExpectErrors(m_path, store::kErrMissingFile, "não existe");
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(BadFiles, GarbageBytesAreAnErrorAndStayUntouched)
{
    std::string garbage(8192, '\0');
    for (size_t k = 0; k < garbage.size(); ++k) {
        garbage[k] = static_cast<char>((k * 7919) % 251);
    }
    Write(garbage);
    Register();
    ExpectErrors(m_path, store::kErrNotADatabase, "não é um armazenamento válido");
    EXPECT_EQ(ReadBytes(m_path), garbage);
}

TEST_F(BadFiles, AFileOfANewerProgramIsRefusedUnaltered)
{
    CreateEmptyStore();
    store::Connection(m_path, false).Execute("PRAGMA user_version=99");
    std::string before = ReadBytes(m_path);
    Register();
    ExpectErrors(m_path, store::kErrNewerVersion, "versão 99");
    EXPECT_EQ(ReadBytes(m_path), before);
}

TEST_F(BadFiles, AnotherSQLiteFileIsNotAStore)
{
    store::Connection(m_path, true).Execute("CREATE TABLE Clientes (x)");
    Register();
    ExpectErrors(m_path, store::kErrNotAStore, "não contém um armazenamento");
}

TEST_F(BadFiles, AStoreLockedTooLongIsAnErrorAndServesAgainOnceFreed)
{
    CreateEmptyStore();
    store::Connection holder(m_path, false);
    holder.Execute("PRAGMA journal_mode=WAL");
    holder.Execute("BEGIN IMMEDIATE");
    Register({.busyTimeoutMs = 100});
    auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
    item->TipoDeLancamento = int16_t{1};
    EXPECT_EQ(item->Incluir(), 1);
    EXPECT_EQ(item->NumeroDoErro, store::kErrBusy);
    EXPECT_NE(item->DescricaoDoErro.find("bloqueado"), std::string::npos);
    holder.Execute("ROLLBACK");
    EXPECT_EQ(item->Incluir(), 2); // no client 0: a refusal, so the file answers again
}

TEST_F(BadFiles, AReadOnlyFileIsAnError)
{
    CreateEmptyStore();
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    ASSERT_EQ(chmod(m_dir.c_str(), 0755), 0);
    // Root writes through any permission, so the check runs as an ordinary user in a child.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) {
            _exit(3);
        }
        Register();
        auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        item->TipoDeLancamento = int16_t{1};
        bool ok = item->Incluir() == 1 && item->NumeroDoErro == store::kErrReadOnly &&
                  item->DescricaoDoErro.find(m_path) != std::string::npos &&
                  item->DescricaoDoErro.find("somente leitura") != std::string::npos;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(BadFiles, ANewStoreAndItsWalAndShmFilesAreTheOwnersOnly)
{
    auto database = store::Database::Create(m_path);
    database->Conn().Execute("INSERT INTO TiposDeServicos (Numero, Nome) VALUES (1, 'x')");
    for (const char* suffix : {"", "-wal", "-shm"}) {
        struct stat info {};
        ASSERT_EQ(stat((m_path + suffix).c_str(), &info), 0) << suffix;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << suffix;
    }
}

} // namespace
} // namespace storetest
