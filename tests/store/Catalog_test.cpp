// The read components over the demo store: what each search text finds (accents, case, quotes,
// % and _, exact codes), the fields and order of the rows, the company and the login.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Login.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"
#include "contracts/Registry.h"
#include "platform/Runtime.h"
#include "store/Store.h"
#include "store/Tables.h"

#include <string>
#include <vector>

namespace storetest {
namespace {

using contracts::FieldNames;

class Catalog : public StoreTest {
protected:
    void AddAwkwardClients()
    {
        store::ImportCsv(*m_db, "clientes",
                         "CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial\n"
                         "20;100% Pet;Cem por cento\n"
                         "21;Pet_Shop;Sublinhado\n"
                         "22;D'Ávila;Apóstrofo\n"
                         "23;\"Dog \"\"Top\"\"\";Aspas\n"
                         "24;Barra\\Pet;Barra invertida\n");
    }
};

struct ClientSearch {
    const char* typed;
    std::vector<int32_t> found;
    const char* nickname = ""; // the form's lookup, by nickname or exact code
    double code = 0;
};

class ClientMatching : public Catalog, public ::testing::WithParamInterface<ClientSearch> {};

TEST_P(ClientMatching, FindsByFoldedContainsAndTypedCharactersMatchThemselves)
{
    AddAwkwardClients();
    const ClientSearch& row = GetParam();
    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    std::string nickname = row.nickname;
    double code = row.code;
    ASSERT_EQ(clients->Selecionar(2, 0, 0, row.typed, nickname, code, "", "", "", 0, ""), 0);
    EXPECT_EQ(Codes(clients->ResultadoDaSelecaoEmRecordSet, "CodigoDoCliente"), row.found)
        << row.typed;
    EXPECT_EQ(nickname, row.nickname);
}

INSTANTIATE_TEST_SUITE_P(Store, ClientMatching,
                         ::testing::Values(ClientSearch{"joão", {2}}, ClientSearch{"JOAO", {2}},
                                           ClientSearch{"joa", {3, 2}}, ClientSearch{"SILVA", {2}},
                                           ClientSearch{"  ana  ", {1, 3}}, ClientSearch{"%", {20}},
                                           ClientSearch{"100%", {20}}, ClientSearch{"_", {21}},
                                           ClientSearch{"'", {22}}, ClientSearch{"d'avila", {22}},
                                           ClientSearch{"\"top\"", {23}}, ClientSearch{"\\", {24}},
                                           ClientSearch{"5", {5}}, ClientSearch{"' OR ''='", {}},
                                           ClientSearch{"", {}}, ClientSearch{"   ", {}},
                                           ClientSearch{"", {2}, "joãozinho"},
                                           ClientSearch{"", {4}, "", 4},
                                           ClientSearch{"", {}, "", 44}));

struct ProductSearch {
    const char* dialog = nullptr; // the search dialog's text; none: the form's lookup
    const char* name = "";
    const char* barcode = "";
    double code = 0;
    std::vector<int32_t> found;
};

class ProductMatching : public Catalog, public ::testing::WithParamInterface<ProductSearch> {};

TEST_P(ProductMatching, NameContainsAndCodesExactly)
{
    const ProductSearch& row = GetParam();
    if (row.dialog != nullptr) {
        EXPECT_EQ(Find(Kind::Product, row.dialog), row.found) << row.dialog;
        return;
    }
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    std::string name = row.name;
    std::string barcode = row.barcode;
    double code = row.code;
    ASSERT_EQ(products->Selecionar(2, 0, 1, "", name, barcode, code), 0);
    EXPECT_EQ(Codes(products->ResultadoDaSelecaoEmRecordSet, "CodigoInterno"), row.found);
}

INSTANTIATE_TEST_SUITE_P(
    Store, ProductMatching,
    ::testing::Values(ProductSearch{.name = "racao", .found = {1234, 1235, 1003, 1005, 1004}},
                      ProductSearch{.name = "GATOS", .found = {1235, 1004}},
                      ProductSearch{.barcode = "7891000100103", .found = {1003}},
                      ProductSearch{.barcode = "78912344", .found = {1001}},
                      ProductSearch{.barcode = "17891000100117", .found = {1005}},
                      ProductSearch{.barcode = "789100010010", .found = {}},
                      // A scale label brings the internal code taken from it.
                      ProductSearch{.barcode = "2001234012349", .code = 1234, .found = {1234}},
                      ProductSearch{.code = 1002, .found = {1002}}, ProductSearch{.found = {}},
                      ProductSearch{.dialog = "premium cães", .found = {1003, 1005}},
                      ProductSearch{.dialog = "7896543210987", .found = {1006}},
                      ProductSearch{.dialog = "1001", .found = {1001}},
                      ProductSearch{.dialog = "granel gatos", .found = {1235}},
                      ProductSearch{.dialog = "", .found = {}}));

TEST_F(Catalog, ServicesAreSearchedWithinTheChosenType)
{
    auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
    struct Case {
        int16_t type;
        std::string name;
        double code;
        std::vector<int32_t> found;
    };
    for (Case c : {Case{5, "banho", 0, {11, 10}}, Case{6, "banho", 0, {}}, Case{5, "", 20, {}},
                   Case{6, "", 20, {20}}, Case{5, "", 0, {}}}) {
        ASSERT_EQ(services->Selecionar(2, 0, 1, "", c.type, c.name, c.code), 0);
        EXPECT_EQ(Codes(services->ResultadoDaSelecaoEmRecordSet, "Codigo"), c.found)
            << c.type << " " << c.name << " " << c.code;
    }
    ASSERT_EQ(services->Selecionar(2, 0, 1, "HIDRATAÇÃO", int32_t{5}), 0);
    auto rows = services->ResultadoDaSelecaoEmRecordSet;
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(platform::CStr((*rows)["Descricao"]), "Hidratação; com máscara");
    EXPECT_EQ((*rows)["ValorDeVenda"].AsCurrency(), platform::Currency::FromInteger(30));
}

void ExpectList(const platform::RecordsetRef& rows, const std::vector<std::string>& fields,
                const char* key, const std::vector<int32_t>& codes)
{
    EXPECT_EQ(rows->FieldNames(), fields);
    EXPECT_EQ(Codes(rows, key), codes);
}

// Each list in the order its callers show it, with the fields they read.
TEST_F(Catalog, EveryListAnswersTheFieldsItsCallersReadInTheirOrder)
{
    std::string text = "banho";
    std::string barcode = "78912344";
    std::string none;
    double code = 0;
    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    ASSERT_EQ(clients->Selecionar(2, 0, 0, "silva", none, code, "", "", "", 0, ""), 0);
    ExpectList(clients->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_ClientAnim::CamposDoCliente), "CodigoDoCliente", {2});

    auto animals = contracts::CreateObject<KELO_N_ClientAnim::clsAnimais>();
    for (auto [client, found] : {std::pair{1.0, std::vector<int32_t>{2, 1, 3}}, {7.0, {}}}) {
        ASSERT_EQ(animals->SelecionarParaComboBoxFiltradoPorCliente(client, 3), 0);
        ExpectList(animals->ResultadoDaSelecaoEmRecordSet,
                   FieldNames(KELO_N_ClientAnim::CamposDoAnimal), "Codigo", found);
    }

    auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
    int16_t type = 5;
    ASSERT_EQ(services->Selecionar(2, 0, 1, "", type, text, code), 0);
    ExpectList(services->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_Servicos::CamposDoServico), "Codigo", {11, 10});
    ASSERT_EQ(services->Selecionar(2, 0, 1, "banho", int32_t{5}), 0);
    ExpectList(services->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_Servicos::CamposDoServicoNaPesquisa), "Codigo", {11, 10});

    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    ASSERT_EQ(products->Selecionar(2, 0, 1, "", none, barcode, code), 0);
    ExpectList(products->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa), "CodigoInterno", {1001});
    ASSERT_EQ(products->Selecionar(2, 0, 1, "granel gatos", ""), 0);
    auto rows = products->ResultadoDaSelecaoEmRecordSet;
    ExpectList(rows, FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa), "CodigoInterno",
               {1235});
    // A weighed product has no barcode: an empty text, not a null.
    rows->MoveFirst();
    EXPECT_FALSE((*rows)["CodigoDeBarras"].IsNull());
    EXPECT_EQ((*rows)["CodigoDeBarras"].AsString(), "");

    auto employees = contracts::CreateObject<KELO_N_Funcionarios::clsFuncionarios>();
    ASSERT_EQ(employees->Selecionar(2, 0, 1, "", "", code), 0);
    ExpectList(employees->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_Funcionarios::CamposDoFuncionario), "Codigo", {2, 1, 3});

    auto types = contracts::CreateObject<KELO_N_TipoDeServ::clsTiposDeServ>();
    ASSERT_EQ(types->SelecionarParaComboBox(code), 0);
    ExpectList(types->ResultadoDaSelecaoEmRecordSet,
               FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico), "Numero",
               {1, 2, 3, 4, 5, 6, 7, 99});
}

TEST_F(Catalog, CompanyIsOneRowOrNone)
{
    auto company = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
    ASSERT_EQ(company->Selecionar(1, 2), 0);
    auto rows = company->ResultadoDaSelecaoEmRecordSet;
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->FieldNames(), contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa));
    EXPECT_EQ((*rows)["FormatoDeCodigoDeBarrasParaBalanca"].AsInteger(), 2);
    EXPECT_TRUE(platform::IsDate((*rows)["DataFinalDaPromocao"]));

    m_db->Conn().Execute("DELETE FROM Empresa");
    ASSERT_EQ(company->Selecionar(1, 2), 0);
    EXPECT_EQ(company->ResultadoDaSelecaoEmRecordSet->RecordCount(), 0);
}

TEST_F(Catalog, AutenticarGivesOneAnswerForUnknownUserAndWrongPassword)
{
    struct Case {
        const char* user;
        const char* password;
        int32_t status;
        bool administrator;
    };
    for (Case c : {Case{"admin", "admin123", 0, true}, Case{"ADMIN", "admin123", 0, true},
                   Case{"atendente", "atendente123", 0, false}, Case{"admin", "admin124", 2, false},
                   Case{"ninguem", "admin123", 2, false}, Case{"", "", 2, false}}) {
        auto login = contracts::CreateObject<KELO_N_Login::clsLogin>();
        login->NomeDeUsuario = c.user;
        login->SenhaDoUsuario = c.password;
        ASSERT_EQ(login->Autenticar(), c.status) << c.user;
        if (c.status == 0) {
            EXPECT_EQ((*login->ResultadoDaSelecaoEmRecordSet)["Administrador"].AsBoolean(),
                      c.administrator);
        } else {
            EXPECT_EQ(login->DescricaoDaFalha, "Usuário ou senha inválidos.");
        }
    }
    auto user = store::LogIn(*m_db, "atendente", "atendente123");
    ASSERT_TRUE(user);
    EXPECT_FALSE(user->DefaultMember("Administrador").AsBoolean());
    EXPECT_FALSE(user->DefaultMember("PermissaoDoModuloCaixaAlterarDescontosDeVendas").AsBoolean());
    EXPECT_TRUE(store::LogIn(*m_db, "admin", "admin123")
                    ->DefaultMember("PermissaoDoModuloCaixaAlterarDescontosDeVendas")
                    .AsBoolean());
    EXPECT_EQ(m_db->Conn()
                  .Prepare("SELECT 1 FROM Usuarios WHERE HashDaSenha LIKE '%admin123%'"
                           " OR HashDaSenha NOT LIKE '$argon2id$%'")
                  .Step(),
              false);
}

} // namespace
} // namespace storetest
