// The CSV import on any file into any table of a demo store held in memory: the file is stored
// whole, leaving a store that checks clean, or refused whole with "linha N: ..."; never an
// engine error. Each input runs inside a transaction that is rolled back, so every input meets
// the same demo store. Also: a record written by CsvLine reads back as the same fields.
#include "FuzzInput.h"

#include "store/Admin.h"
#include "store/Csv.h"
#include "store/Database.h"
#include "store/Passwords.h"
#include "store/Tables.h"

#include <memory>

namespace {

store::Database& DemoStore()
{
    static const std::shared_ptr<store::Database> database = [] {
        store::UseCheapHashesForTests();
        auto created = store::Database::Create(":memory:");
        store::LoadDemo(*created);
        return created;
    }();
    return *database;
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
