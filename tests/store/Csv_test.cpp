// The CSV format, all-or-nothing imports, the export/import round trip and the kelo-store tool's
// exit codes.
#include "StoreFixture.h"

#include "store/Admin.h"
#include "store/Csv.h"
#include "store/Tables.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace storetest {
namespace {

TEST(Csv, QuotedFieldsKeepSeparatorsQuotesAndLineBreaks)
{
    auto records = store::ParseCsv("\xEF\xBB\xBF"
                                   "a;b;c\r\n"
                                   "1;\"x;y\";\"diz \"\"oi\"\"\"\n"
                                   "\n"
                                   "2;\"duas\nlinhas\";\n"
                                   "3;;fim");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"1", "x;y", "diz \"oi\""}));
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(records[2].fields, (std::vector<std::string>{"2", "duas\nlinhas", ""}));
    EXPECT_EQ(records[3].line, 6);
    EXPECT_EQ(store::CsvLine(records[1].fields), "1;\"x;y\";\"diz \"\"oi\"\"\"\n");
    EXPECT_THROW(store::ParseCsv("a\n\"aberto\n"), store::Refusal);
}

struct BadImport {
    const char* table;
    const char* csv;
    const char* reason; // the message starts with it
};

class ImportRefusals : public StoreTest, public ::testing::WithParamInterface<BadImport> {};

TEST_P(ImportRefusals, RefuseTheWholeFileAndLeaveTheStoreByteIdentical)
{
    m_db->Close();
    std::string before = Snapshot();
    {
        store::Database database(m_path);
        try {
            store::ImportCsv(database, GetParam().table, GetParam().csv);
            ADD_FAILURE() << "import accepted";
        } catch (const store::Refusal& refusal) {
            EXPECT_EQ(std::string(refusal.what()).rfind(GetParam().reason, 0), 0u)
                << refusal.what();
        }
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(std::filesystem::exists(m_path + "-wal"));
}

INSTANTIATE_TEST_SUITE_P(
    Store, ImportRefusals,
    ::testing::Values(
        BadImport{"clientes", "CodigoDoCliente;ApelidoOuNomeFantasia\n30;Novo\n31;A;B\n",
                  "linha 3: 3 campos"},
        BadImport{"clientes", "CodigoDoCliente;Credito\n30;10,00\n31;dez\n", "linha 3:"},
        BadImport{"clientes", "CodigoDoCliente;Apelido\n30;x\n", "linha 1: coluna desconhecida"},
        BadImport{"clientes", "ApelidoOuNomeFantasia\nx\n", "linha 1: falta a coluna"},
        BadImport{"clientes", "CodigoDoCliente;ApelidoOuNomeFantasia\n30;Novo\n1;Ana de novo\n",
                  "linha 3: CodigoDoCliente 1 já está cadastrado"},
        BadImport{"clientes", "CodigoDoCliente\n30\n30\n",
                  "linha 3: CodigoDoCliente 30 já está cadastrado"},
        BadImport{"clientes", "CodigoDoCliente;Situacao\n30;5\n", "linha 2:"},
        BadImport{"servicos", "Codigo;Nome;NumeroDoTipoDeServico\n50;Spa;5\n51;Spa;8\n",
                  "linha 3: o tipo de serviço 8 não está cadastrado"},
        BadImport{"produtos", "CodigoInterno;CodigoDeBarras\n2000;7891000100103\n",
                  "linha 2: o código de barras"},
        BadImport{"usuarios", "NomeDeUsuario;Senha;Administrador\nnovo;x;talvez\n", "linha 2:"},
        BadImport{"itens",
                  "TipoDeLancamento;CodigoDoCliente;CodigoInternoDoProduto;Quantidade\n"
                  "2;1;1003;1\n2;99;1003;1\n",
                  "linha 3: O cliente 99 não está cadastrado"},
        BadImport{"empresa", "NomeFantasia\nUma\nOutra\n", "linha 3:"},
        BadImport{"animais", "Codigo;CodigoDoCliente;Nome\n\"40;1;Rex\n", "linha 2: aspas"}));

TEST_F(StoreTest, ExportThenImportGivesTheSameTables)
{
    auto target = store::Database::Create(NewStoreAddress("copia.kelo"));
    for (const std::string& table : store::TableNames()) {
        if (table == "usuarios") {
            continue;
        }
        std::ostringstream exported;
        store::ExportCsv(*m_db, table, exported);
        store::ImportCsv(*target, table, exported.str());
        std::ostringstream again;
        store::ExportCsv(*target, table, again);
        EXPECT_EQ(again.str(), exported.str()) << table;
    }
    EXPECT_TRUE(store::Check(*target).empty());

    std::ostringstream users;
    store::ExportCsv(*m_db, "usuarios", users);
    EXPECT_EQ(users.str().find("Senha"), std::string::npos);
    EXPECT_EQ(users.str().find("argon2"), std::string::npos);
    EXPECT_NE(users.str().find("admin;true;true"), std::string::npos);
}

TEST_F(StoreTest, ImportingTheCompanyReplacesItsRow)
{
    store::ImportCsv(*m_db, "empresa",
                     "NomeFantasia;FormatoDeCodigoDeBarrasParaBalanca\nOutra;1\n");
    EXPECT_EQ(Scalar("SELECT count(*) FROM Empresa"), 1);
    EXPECT_EQ(Scalar("SELECT FormatoDeCodigoDeBarrasParaBalanca FROM Empresa"), 1);
}

TEST_F(StoreTest, ToolExitCodesTellRefusalAndUsage)
{
    m_db->Close();
    std::string output;
    EXPECT_EQ(Tool("frobnicate " + m_path), 2);
    EXPECT_EQ(Tool("export " + m_path + " mesas"), 2);
    EXPECT_EQ(Tool("generate " + m_path + " --clients 1"), 2);
    EXPECT_EQ(Tool("create " + m_path, &output), 1);
    EXPECT_NE(output.find("já existe"), std::string::npos);

    m_db->Conn().Execute("UPDATE Produtos SET QuantidadeReservada = 7 WHERE CodigoInterno = 1001;"
                         "UPDATE Sequencias SET Ultimo = 1");
    m_db->Close();
    EXPECT_EQ(Tool("check " + m_path, &output), 1);
    EXPECT_NE(output.find("1001"), std::string::npos) << output;
    EXPECT_NE(output.find("sequência"), std::string::npos) << output;
}

TEST_F(StoreTest, ASpreadsheetsWindows1252FileIsRefusedUnlessNamedAndThenConvertedExactly)
{
    m_db->Close();
    std::string csv = (m_dir / "clientes.csv").string();
    std::string output;
    // A byte-order mark, CRLF line ends and the columns in another order, as spreadsheets save.
    std::ofstream(csv, std::ios::binary) << "\xEF\xBB\xBFNomeOuRazaoSocial;CodigoDoCliente\r\n"
                                            "Gato Miá;40\r\n";
    EXPECT_EQ(Tool("import " + m_path + " clientes " + csv, &output), 0) << output;

    std::string before = Snapshot();
    std::ofstream(csv, std::ios::binary) << "NomeOuRazaoSocial;CodigoDoCliente\r\n"
                                            "Gato;41\r\nRa\xE7\xE3o C\xE3o \x80 5;42\r\n";
    EXPECT_EQ(Tool("import " + m_path + " clientes " + csv, &output), 1);
    EXPECT_NE(output.find("linha 3"), std::string::npos) << output;
    EXPECT_NE(output.find("--encoding windows-1252"), std::string::npos) << output;
    EXPECT_EQ(Snapshot(), before);

    EXPECT_EQ(Tool("import --encoding windows-1252 " + m_path + " clientes " + csv, &output), 0)
        << output;
    EXPECT_EQ(Tool("export " + m_path + " clientes", &output), 0);
    EXPECT_NE(output.find("\n40;;Gato Miá;"), std::string::npos) << output;
    EXPECT_NE(output.find("\n42;;Ração Cão € 5;"), std::string::npos) << output;

    // A byte the code page leaves undefined is no character in it either.
    std::ofstream(csv, std::ios::binary) << "CodigoDoCliente\n43\n44\x81\n";
    EXPECT_EQ(Tool("import --encoding windows-1252 " + m_path + " clientes " + csv, &output), 1);
    EXPECT_NE(output.find("linha 3"), std::string::npos) << output;
}

TEST(Generate, SameCountsGiveTheSameSoundStore)
{
    std::filesystem::path dir = NewTempDir();
    std::vector<std::string> exports;
    for (const char* name : {"a.kelo", "b.kelo"}) {
        auto database = store::Database::Create((dir / name).string());
        store::Generate(*database, {.clients = 30, .products = 200, .itemsPerClient = 3});
        EXPECT_TRUE(store::Check(*database).empty());
        std::ostringstream out;
        for (const char* table : {"clientes", "produtos", "itens"}) {
            store::ExportCsv(*database, table, out);
        }
        exports.push_back(out.str());
    }
    EXPECT_EQ(exports[0], exports[1]);
    EXPECT_NE(exports[0].find("\n200;"), std::string::npos);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace storetest
