#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/Registry.h"
#include "platform/Currency.h"
#include "store/Admin.h"
#include "store/Csv.h"
#include "store/Passwords.h"
#include "store/Store.h"
#include "store/Tables.h"

#include <sys/wait.h>

#include <cstdlib>
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

std::shared_ptr<KELO_N_PreVendas::clsPreVendas> Product(double quantity)
{
    auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
    item->DataDeLancamento = "07/12/2026";
    item->CodigoDoFuncionario = int32_t{1};
    item->CodigoDoCliente = 1.0;
    item->TipoDeLancamento = int16_t{2};
    item->CodigoInternoDoProduto = 1003.0;
    item->Custo = "120,00";
    item->Quantidade = platform::Currency::FromDouble(quantity);
    item->ValorUnitario = platform::Currency::FromDouble(189.9);
    item->DescontoEmPercentual = platform::Currency::FromInteger(0);
    item->DescontoEmValor = platform::Currency::FromInteger(0);
    item->FuncionarioComissionado = true;
    item->PercentualDeComissaoDoFuncionario = "5,00";
    item->ValorDaComissaoDoFuncionario = "18,99";
    item->TipoDeVenda = "2";
    return item;
}

int32_t Delete(const std::string& number, const std::string& kind, const std::string& code,
               const std::string& quantity, std::string* failure)
{
    auto item = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
    item->Quantidade = quantity;
    item->CodigoInternoDoProduto = code;
    item->TipoDeLancamento = kind;
    item->NumeroDeLancamento = number;
    int32_t status = item->Excluir();
    if (failure != nullptr) {
        *failure = item->DescricaoDaFalha + item->DescricaoDoErro;
    }
    return status;
}

std::vector<int32_t> Codes(const platform::RecordsetRef& rows, const char* field)
{
    std::vector<int32_t> codes;
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        codes.push_back((*rows)[field].AsLong());
    }
    return codes;
}

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
    return status == 0 ? Codes(rows, field) : std::vector<int32_t>{-1};
}

int Tool(const std::string& arguments, std::string* output)
{
    std::filesystem::path dir = NewTempDir();
    std::string out = (dir / "out.txt").string();
    int status = std::system(
        (std::string(KELO_STORE_BINARY) + " " + arguments + " >" + out + " 2>&1").c_str());
    if (output != nullptr) {
        *output = ReadBytes(out);
    }
    std::filesystem::remove_all(dir);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void StoreTest::SetUp()
{
    m_dir = NewTempDir();
    if (OnServer()) {
        std::string whyNot;
        TestServer* server = TestServer::Get(whyNot);
        if (server == nullptr) {
            GTEST_SKIP() << "no PostgreSQL server: " << whyNot;
        }
        store::UseCheapHashesForTests();
        m_path = server->NewDemoDatabase();
    } else {
        m_path = (m_dir / "loja.kelo").string();
        std::filesystem::copy_file(DemoTemplate(), m_path);
    }
    m_db = std::make_shared<store::Database>(m_path, m_options);
    store::RegisterComponents(m_db);
}

void ServerTest::SetUp()
{
    if (!OnServer()) {
        GTEST_SKIP() << "a PostgreSQL test: runs with KELO_TEST_POSTGRES set";
    }
    StoreTest::SetUp();
}

void StoreTest::TearDown()
{
    contracts::Clear();
    m_db.reset();
    std::string whyNot;
    if (OnServer() && !m_path.empty()) {
        if (TestServer* server = TestServer::Get(whyNot)) {
            server->Drop(m_path);
            for (const std::string& address : m_extraDatabases) {
                server->Drop(address);
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string StoreTest::NewStoreAddress(const std::string& fileName)
{
    if (!OnServer()) {
        return (m_dir / fileName).string();
    }
    std::string whyNot;
    m_extraDatabases.push_back(TestServer::Get(whyNot)->NewEmptyDatabase());
    return m_extraDatabases.back();
}

std::string StoreTest::Snapshot()
{
    if (!OnServer()) {
        return ReadBytes(m_path);
    }
    store::Database database(m_path);
    std::ostringstream out;
    for (const std::string& table : store::TableNames()) {
        store::ExportCsv(database, table, out);
    }
    store::Statement statement = database.Conn().Prepare("SELECT Ultimo FROM Sequencias");
    out << (statement.Step() ? statement.Int(0) : -1);
    return out.str();
}

int64_t StoreTest::Scalar(const std::string& sql)
{
    store::Statement statement = m_db->Conn().Prepare(sql);
    return statement.Step() ? statement.Int(0) : -1;
}

std::set<int64_t> StoreTest::StoredNumbers()
{
    std::set<int64_t> numbers;
    store::Statement statement =
        m_db->Conn().Prepare("SELECT NumeroDeLancamento FROM ServicosEfetuados"
                             " UNION ALL SELECT NumeroDeLancamento FROM ProdutosReservados");
    while (statement.Step()) {
        numbers.insert(statement.Int(0));
    }
    return numbers;
}

} // namespace storetest
