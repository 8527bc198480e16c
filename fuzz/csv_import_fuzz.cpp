// The CSV import on any file into any table of a demo store: the file is stored
// whole, leaving a store that checks clean, or refused whole with "linha N: ..."; never an
// engine error. Each input runs inside a transaction that is rolled back, so every input meets
// the same demo store. Also: a record written by CsvLine reads back as the same fields.
#include "FuzzInput.h"

#include "store/Admin.h"
#include "store/Csv.h"
#include "store/Database.h"
#include "store/Passwords.h"
#include "store/Tables.h"

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// A store is always a file: ":memory:" would be made as one in the current folder, and refused
// as existing by the next run there. So a folder of its own, removed at the end.
class DemoFile {
public:
    DemoFile()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelo-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_folder = pattern;
        store::UseCheapHashesForTests();
        m_database = store::Database::Create((m_folder / "loja.kelo").string());
        store::LoadDemo(*m_database);
    }
    ~DemoFile()
    {
        m_database.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    DemoFile(const DemoFile&) = delete;
    DemoFile& operator=(const DemoFile&) = delete;
    store::Database& Database() { return *m_database; }

private:
    std::filesystem::path m_folder;
    std::shared_ptr<store::Database> m_database;
};

store::Database& DemoStore()
{
    static DemoFile demo;
    return demo.Database();
}

void RecordsReadBack(std::string_view csv)
{
    std::vector<store::CsvRecord> records;
    try {
        records = store::ParseCsv(csv);
    } catch (const store::Refusal& refusal) {
        fuzz::Require(std::string_view(refusal.what()).starts_with("linha "),
                      "a CSV refusal names its line", refusal.what());
        return;
    }
    // After a header line, as an export writes it: only the file's first bytes may be a BOM.
    for (const store::CsvRecord& record : records) {
        const std::string line = store::CsvLine(record.fields);
        const auto again = store::ParseCsv("h\n" + line);
        fuzz::Require(again.size() == 2 && again[1].fields == record.fields,
                      "CsvLine reads back as its fields", line);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    const auto& tables = store::TableNames();
    const std::string& table = tables[input.Byte() % tables.size()];
    const std::string csv(input.Rest());

    RecordsReadBack(csv);
    store::Database& database = DemoStore();
    try {
        store::Transaction rolledBack(database);
        store::ImportCsv(database, table, csv);
        const auto problems = store::Check(database);
        fuzz::Require(problems.empty(), "an accepted import leaves a sound store",
                      problems.empty() ? "" : problems.front());
    } catch (const store::Refusal& refusal) {
        fuzz::Require(std::string_view(refusal.what()).starts_with("linha "),
                      "an import refusal names its line", refusal.what());
    } catch (const store::StoreError& error) {
        fuzz::Broken("the engine never fails on an import", error.what());
    }
    return 0;
}
