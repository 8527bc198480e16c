// An import long enough to go in several batches on a server: a row refused far into the file,
// by what an earlier batch brought or by a rule of the schema, names its own line and leaves
// the store as it was.
#include "StoreFixture.h"

#include "store/Tables.h"

#include <string>

namespace storetest {
namespace {

TEST_F(StoreTest, ALongImportRefusedFarInNamesTheLineAndKeepsNothing)
{
    struct Case {
        int badLine;
        std::string badRow;
        const char* expected;
    };
    const Case cases[] = {
        {4502, "100010;Repetido;1", "linha 4502: CodigoDoCliente 100010 já está cadastrado"},
        {3001, "200000;Situação errada;7", "linha 3001:"},
    };
    for (const Case& c : cases) {
        std::string csv = "CodigoDoCliente;ApelidoOuNomeFantasia;Situacao\n";
        for (int line = 2; line <= 5000; ++line) {
            csv += line == c.badLine ? c.badRow + "\n"
                                     : std::to_string(100000 + line) + ";Cliente " +
                                           std::to_string(line) + ";1\n";
        }
        const std::string before = Snapshot();
        try {
            store::ImportCsv(*m_db, "clientes", csv);
            ADD_FAILURE() << "imported with line " << c.badLine;
        } catch (const store::Refusal& refusal) {
            EXPECT_EQ(std::string(refusal.what()).rfind(c.expected, 0), 0u) << refusal.what();
        }
        EXPECT_EQ(Snapshot(), before) << c.badLine;
    }
}

} // namespace
} // namespace storetest
