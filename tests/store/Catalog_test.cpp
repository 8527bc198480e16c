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

std::vector<int32_t> Codes(const platform::RecordsetRef& rows, const char* field)
{
    std::vector<int32_t> codes;
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        codes.push_back((*rows)[field].AsLong());
    }
    return codes;
}

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

    std::vector<int32_t> Clients(const std::string& typed, const std::string& nickname = "",
                                 double code = 0)
    {
        auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
        std::string name = nickname;
        EXPECT_EQ(clients->Selecionar(2, 0, 0, typed, name, code, "", "", "", 0, ""), 0)
            << clients->DescricaoDoErro;
        return Codes(clients->ResultadoDaSelecaoEmRecordSet, "CodigoDoCliente");
    }
};

struct ClientSearch {
    const char* typed;
    std::vector<int32_t> found;
};

class ClientMatching : public Catalog, public ::testing::WithParamInterface<ClientSearch> {};

TEST_P(ClientMatching, FindsByFoldedContainsAndTypedCharactersMatchThemselves)
{
    AddAwkwardClients();
    EXPECT_EQ(Clients(GetParam().typed), GetParam().found) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Store, ClientMatching,
                         ::testing::Values(ClientSearch{"joão", {2}}, ClientSearch{"JOAO", {2}},
                                           ClientSearch{"joa", {3, 2}}, ClientSearch{"SILVA", {2}},
                                           ClientSearch{"  ana  ", {1, 3}}, ClientSearch{"%", {20}},
                                           ClientSearch{"100%", {20}}, ClientSearch{"_", {21}},
                                           ClientSearch{"'", {22}}, ClientSearch{"d'avila", {22}},
                                           ClientSearch{"\"top\"", {23}}, ClientSearch{"\\", {24}},
                                           ClientSearch{"5", {5}}, ClientSearch{"' OR ''='", {}},
                                           ClientSearch{"", {}}, ClientSearch{"   ", {}}));

TEST_F(Catalog, ClientLookupOfTheFormGoesByNicknameOrExactCode)
{
    EXPECT_EQ(Clients("", "joãozinho"), (std::vector<int32_t>{2}));
    EXPECT_EQ(Clients("", "", 4), (std::vector<int32_t>{4}));
    EXPECT_EQ(Clients("", "", 44), (std::vector<int32_t>{}));
    EXPECT_EQ(Clients("", "", 0), (std::vector<int32_t>{}));

    auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    std::string nickname = "Bruna";
    double code = 0;
    ASSERT_EQ(clients->Selecionar(2, 0, 0, "", nickname, code, "", "", "", 0, ""), 0);
    auto rows = clients->ResultadoDaSelecaoEmRecordSet;
    EXPECT_EQ(rows->FieldNames(), contracts::FieldNames(KELO_N_ClientAnim::CamposDoCliente));
    EXPECT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ((*rows)["Situacao"].AsInteger(), 3);
    EXPECT_EQ(nickname, "Bruna");
}

TEST_F(Catalog, AnimalsOfAClientByName)
{
    auto animals = contracts::CreateObject<KELO_N_ClientAnim::clsAnimais>();
    double ana = 1;
    ASSERT_EQ(animals->SelecionarParaComboBoxFiltradoPorCliente(ana, 3), 0);
    auto rows = animals->ResultadoDaSelecaoEmRecordSet;
    EXPECT_EQ(Codes(rows, "Codigo"), (std::vector<int32_t>{2, 1, 3})); // Mel, Rex, Thor
    double withoutAnimals = 7;
    ASSERT_EQ(animals->SelecionarParaComboBoxFiltradoPorCliente(withoutAnimals, 3), 0);
    EXPECT_EQ(animals->ResultadoDaSelecaoEmRecordSet->RecordCount(), 0);
}

struct ProductSearch {
    const char* name;
    const char* barcode;
    double code;
    std::vector<int32_t> found;
};

class ProductMatching : public Catalog, public ::testing::WithParamInterface<ProductSearch> {};

TEST_P(ProductMatching, NameContainsAndCodesExactly)
{
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    std::string name = GetParam().name;
    std::string barcode = GetParam().barcode;
    double code = GetParam().code;
    ASSERT_EQ(products->Selecionar(2, 0, 1, "", name, barcode, code), 0);
    EXPECT_EQ(Codes(products->ResultadoDaSelecaoEmRecordSet, "CodigoInterno"), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Store, ProductMatching,
    ::testing::Values(ProductSearch{"racao", "", 0, {1234, 1235, 1003, 1005, 1004}},
                      ProductSearch{"GATOS", "", 0, {1235, 1004}},
                      ProductSearch{"", "7891000100103", 0, {1003}},
                      ProductSearch{"", "78912344", 0, {1001}},
                      ProductSearch{"", "17891000100117", 0, {1005}},
                      ProductSearch{"", "789100010010", 0, {}},
                      // A scale label brings the internal code taken from it.
                      ProductSearch{"", "2001234012349", 1234, {1234}},
                      ProductSearch{"", "", 1002, {1002}}, ProductSearch{"", "", 0, {}}));

TEST_F(Catalog, ProductSearchDialogTakesNameBarcodeOrCode)
{
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    const std::vector<std::pair<std::string, std::vector<int32_t>>> cases = {
        {"premium cães", {1003, 1005}},
        {"7896543210987", {1006}},
        {"1001", {1001}},
        {"granel gatos", {1235}},
        {"", {}}};
    for (const auto& [typed, found] : cases) {
        ASSERT_EQ(products->Selecionar(2, 0, 1, typed, ""), 0);
        auto rows = products->ResultadoDaSelecaoEmRecordSet;
        EXPECT_EQ(Codes(rows, "CodigoInterno"), found) << typed;
        EXPECT_EQ(rows->FieldNames(),
                  contracts::FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa));
    }
    // A weighed product has no barcode: an empty text, not a null.
    ASSERT_EQ(products->Selecionar(2, 0, 1, "granel gatos", ""), 0);
    auto rows = products->ResultadoDaSelecaoEmRecordSet;
    EXPECT_FALSE((*rows)["CodigoDeBarras"].IsNull());
    EXPECT_EQ((*rows)["CodigoDeBarras"].AsString(), "");
}

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

TEST_F(Catalog, FullListsAnswerEveryRow)
{
    auto employees = contracts::CreateObject<KELO_N_Funcionarios::clsFuncionarios>();
    double code = 0;
    ASSERT_EQ(employees->Selecionar(2, 0, 1, "", "", code), 0);
    EXPECT_EQ(Codes(employees->ResultadoDaSelecaoEmRecordSet, "Codigo"),
              (std::vector<int32_t>{2, 1, 3})); // Fernanda, Marcos, Roberto

    auto types = contracts::CreateObject<KELO_N_TipoDeServ::clsTiposDeServ>();
    double unused = 0;
    ASSERT_EQ(types->SelecionarParaComboBox(unused), 0);
    EXPECT_EQ(Codes(types->ResultadoDaSelecaoEmRecordSet, "Numero"),
              (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 99}));
}

TEST_F(Catalog, EveryListAnswersTheFieldsItsCallersRead)
{
    using contracts::FieldNames;
    auto services = contracts::CreateObject<KELO_N_Servicos::clsServicos>();
    int16_t type = 5;
    std::string name = "banho";
    double code = 0;
    ASSERT_EQ(services->Selecionar(2, 0, 1, "", type, name, code), 0);
    EXPECT_EQ(services->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_Servicos::CamposDoServico));
    ASSERT_EQ(services->Selecionar(2, 0, 1, "banho", int32_t{5}), 0);
    EXPECT_EQ(services->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_Servicos::CamposDoServicoNaPesquisa));

    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    std::string barcode = "78912344";
    std::string none;
    ASSERT_EQ(products->Selecionar(2, 0, 1, "", none, barcode, code), 0);
    EXPECT_EQ(products->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_Produtos::CamposDoProduto));

    auto employees = contracts::CreateObject<KELO_N_Funcionarios::clsFuncionarios>();
    ASSERT_EQ(employees->Selecionar(2, 0, 1, "", "", code), 0);
    EXPECT_EQ(employees->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_Funcionarios::CamposDoFuncionario));

    auto types = contracts::CreateObject<KELO_N_TipoDeServ::clsTiposDeServ>();
    ASSERT_EQ(types->SelecionarParaComboBox(code), 0);
    EXPECT_EQ(types->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico));

    auto animals = contracts::CreateObject<KELO_N_ClientAnim::clsAnimais>();
    double ana = 1;
    ASSERT_EQ(animals->SelecionarParaComboBoxFiltradoPorCliente(ana, 3), 0);
    EXPECT_EQ(animals->ResultadoDaSelecaoEmRecordSet->FieldNames(),
              FieldNames(KELO_N_ClientAnim::CamposDoAnimal));
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
