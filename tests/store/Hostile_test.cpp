// Hostile text in names, search texts and CSV fields: each is refused with a reason or stored
// and found exactly, and never reaches the engine as anything but a bound value.
#include "StoreFixture.h"

#include "store/Admin.h"
#include "store/Csv.h"
#include "store/Tables.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace storetest {
namespace {

using namespace std::string_literals;

struct Hostile {
    const char* label;
    std::string name;    // imported as client 90's nickname and product 90's name
    const char* refusal; // part of the import's refusal; nullptr: stored as given
    std::string typed;   // what the search dialogs are given
    bool found;          // whether they find client and product 90 among what they find
};

class HostileText : public StoreTest, public ::testing::WithParamInterface<Hostile> {
protected:
    // The field of row 90 as the export writes it.
    std::string Exported(const char* table, size_t field)
    {
        std::ostringstream out;
        store::ExportCsv(*m_db, table, out);
        for (const store::CsvRecord& record : store::ParseCsv(out.str())) {
            if (record.fields[0] == "90") {
                return record.fields[field];
            }
        }
        return "(ausente)";
    }
};

TEST_P(HostileText, IsRefusedWithAReasonOrStoredAndFoundExactly)
{
    const Hostile& row = GetParam();
    const int64_t clients = Scalar("SELECT count(*) FROM Clientes");
    const std::vector<std::pair<const char*, std::vector<std::string>>> imports = {
        {"clientes", {"CodigoDoCliente", "ApelidoOuNomeFantasia"}},
        {"produtos", {"CodigoInterno", "Nome"}}};
    for (const auto& [table, header] : imports) {
        std::string csv = store::CsvLine(header) + store::CsvLine({"90", row.name});
        try {
            store::ImportCsv(*m_db, table, csv);
            EXPECT_EQ(row.refusal, nullptr) << table << " accepted";
        } catch (const store::Refusal& refusal) {
            ASSERT_NE(row.refusal, nullptr) << refusal.what();
            EXPECT_NE(std::string(refusal.what()).find(row.refusal), std::string::npos)
                << refusal.what();
        }
    }
    if (row.refusal == nullptr) {
        EXPECT_EQ(Exported("clientes", 1), row.name);
        EXPECT_EQ(Exported("produtos", 2), row.name);
    } else {
        EXPECT_EQ(Scalar("SELECT count(*) FROM Clientes"), clients);
    }
    for (Kind kind : {Kind::Client, Kind::Product}) {
        const std::vector<int32_t> codes = Find(kind, row.typed);
        EXPECT_NE(codes, std::vector<int32_t>{-1});
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 90), row.found ? 1 : 0);
    }
    EXPECT_TRUE(store::Check(*m_db).empty());
}

const std::string kLong = std::string(9990, 'x') + "Fim do nome";

INSTANTIATE_TEST_SUITE_P(
    Store, HostileText,
    ::testing::Values(Hostile{"quotes", "Dog \"Top\" D'Ávila", nullptr, "\"top\" d'avila", true},
                      Hostile{"quote injection", "x'); DROP TABLE Clientes; --", nullptr,
                              "'); drop table clientes", true},
                      Hostile{"percent", "100% Pet", nullptr, "0% p", true},
                      Hostile{"percent is no wildcard", "100% Pet", nullptr, "1%t", false},
                      Hostile{"underscore", "Pet_Shop Zé", nullptr, "t_s", true},
                      Hostile{"underscore is no wildcard", "Pet Shop Zé", nullptr, "t_s", false},
                      Hostile{"right-to-left mark", "\u200F\u05E9\u05DC\u05D5\u05DD Pet", nullptr,
                              "\u05E9\u05DC\u05D5\u05DD", true},
                      Hostile{"right-to-left mark alone", "\u200FPet", nullptr, "\u200F", true},
                      Hostile{"10,000 characters", kLong, nullptr, "XFIM DO NOME", true},
                      Hostile{"10,000-character search", "Rex", nullptr, std::string(10000, 'r'),
                              false},
                      Hostile{"NUL byte in a field", "Pet\0Shop"s, "caractere nulo", "pet", false},
                      Hostile{"NUL byte in a search", "Pet Shop", nullptr, "pet\0shop"s, false},
                      Hostile{"Windows-1252 bytes", "Ra\xE7\xE3o", "UTF-8", "ra", false},
                      Hostile{"invalid UTF-8 search", "Pet Shop", nullptr, "\xFF\xFE pet", false},
                      Hostile{"overlong UTF-8", "P\xC0\xAF", "UTF-8", "p", false}));

} // namespace
} // namespace storetest
