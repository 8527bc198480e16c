// The read components over the demo store: what each search text finds (accents, case, quotes,
// % and _, exact codes), a weighed product's barcode, and the login.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Login.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "store/Tables.h"

#include <string>
#include <vector>

namespace storetest {
namespace {

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
    const char* dialog; // the search dialog's text; nullptr: the form's lookup given nothing
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
    std::string name, barcode;
    double code = 0;
    ASSERT_EQ(products->Selecionar(2, 0, 1, "", name, barcode, code), 0);
    EXPECT_EQ(Codes(products->ResultadoDaSelecaoEmRecordSet, "CodigoInterno"), row.found);
}

INSTANTIATE_TEST_SUITE_P(Store, ProductMatching,
                         ::testing::Values(ProductSearch{nullptr, {}},
                                           ProductSearch{"7896543210987", {1006}},
                                           ProductSearch{"1001", {1001}}, ProductSearch{"", {}}));

// A weighed product has no barcode: the search dialog gets an empty text, not a null.
TEST_F(Catalog, AWeighedProductsBarcodeIsAnEmptyText)
{
    auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
    ASSERT_EQ(products->Selecionar(2, 0, 1, "granel gatos", ""), 0);
    auto rows = products->ResultadoDaSelecaoEmRecordSet;
    ASSERT_EQ(Codes(rows, "CodigoInterno"), std::vector<int32_t>{1235});
    rows->MoveFirst();
    EXPECT_FALSE((*rows)["CodigoDeBarras"].IsNull());
    EXPECT_EQ((*rows)["CodigoDeBarras"].AsString(), "");
}

TEST_F(Catalog, UserNamesIgnoreCaseAndNoPasswordIsKeptReadable)
{
    auto login = contracts::CreateObject<KELO_N_Login::clsLogin>();
    login->NomeDeUsuario = "ADMIN";
    login->SenhaDoUsuario = "admin123";
    ASSERT_EQ(login->Autenticar(), 0) << login->DescricaoDaFalha;
    EXPECT_TRUE((*login->ResultadoDaSelecaoEmRecordSet)["Administrador"].AsBoolean());
    EXPECT_EQ(m_db->Conn()
                  .Prepare("SELECT 1 FROM Usuarios WHERE HashDaSenha LIKE '%admin123%'"
                           " OR HashDaSenha NOT LIKE '$argon2id$%'")
                  .Step(),
              false);
}

} // namespace
} // namespace storetest
