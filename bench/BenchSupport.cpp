#include "BenchSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace bench {

std::string StorePath(const std::string& name)
{
    const char* folder = std::getenv("KELO_BENCH_STORES");
    if (folder == nullptr) {
        return {};
    }
    std::filesystem::path path = std::filesystem::path(folder) / (name + ".kelo");
    return std::filesystem::exists(path) ? path.string() : std::string();
}

bool NeedStore(benchmark::State& state, const std::string& path)
{
    if (path.empty()) {
        state.SkipWithError("store missing: run bench/run (or set KELO_BENCH_STORES)");
        return false;
    }
    return true;
}

Raw::Raw(const std::string& path)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(m_db));
    }
    Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON");
    sqlite3_busy_timeout(m_db, 5000);
}

Raw::~Raw()
{
    for (sqlite3_stmt* statement : m_statements) {
        sqlite3_finalize(statement);
    }
    sqlite3_close(m_db);
}

sqlite3_stmt* Raw::Prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
        SQLITE_OK) {
        throw std::runtime_error(std::string("prepare: ") + sqlite3_errmsg(m_db) + ": " + sql);
    }
    m_statements.push_back(statement);
    return statement;
}

void Raw::Execute(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error != nullptr ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error("exec: " + text + ": " + sql);
    }
}

int64_t Raw::ReadAll(sqlite3_stmt* statement)
{
    int64_t rows = 0;
    int code = SQLITE_OK;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        const int columns = sqlite3_column_count(statement);
        for (int column = 0; column < columns; ++column) {
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(statement, column));
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(statement, column));
                break;
            case SQLITE_NULL:
                break;
            default: {
                std::string text(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                    static_cast<size_t>(sqlite3_column_bytes(statement, column)));
                benchmark::DoNotOptimize(text);
            }
            }
        }
        ++rows;
    }
    sqlite3_reset(statement);
    if (code != SQLITE_DONE) {
        throw std::runtime_error(std::string("step: ") + sqlite3_errmsg(m_db));
    }
    return rows;
}

std::string Raw::Scans(const char* sql)
{
    sqlite3_stmt* plan = nullptr;
    std::string explain = std::string("EXPLAIN QUERY PLAN ") + sql;
    if (sqlite3_prepare_v2(m_db, explain.c_str(), -1, &plan, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string("explain: ") + sqlite3_errmsg(m_db));
    }
    std::string scans;
    while (sqlite3_step(plan) == SQLITE_ROW) {
        std::string detail = reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
        // A virtual table's "SCAN" is the index answering MATCH, not a read of every row.
        if (detail.starts_with("SCAN") && detail.find("VIRTUAL TABLE") == std::string::npos &&
            detail != "SCAN CONSTANT ROW") {
            scans += (scans.empty() ? "" : "; ") + detail;
        }
    }
    sqlite3_finalize(plan);
    return scans;
}

void Percentiles::Report(benchmark::State& state)
{
    if (m_samples.empty()) {
        return;
    }
    std::sort(m_samples.begin(), m_samples.end());
    const auto at = [&](double share) {
        size_t index = std::min(m_samples.size() - 1,
                                static_cast<size_t>(share * static_cast<double>(m_samples.size())));
        return std::chrono::duration<double, std::micro>(m_samples[index]).count();
    };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    m_samples.clear();
}

} // namespace bench
