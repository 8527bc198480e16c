// What the benchmark programs share: the stores bench/run generates (named by the environment),
// the raw SQLite baseline over the same file, and per-iteration times for the percentiles.
//
// Every path is measured twice in one run, the project's way and the raw SQLite statements that
// fetch the same rows, named Path/<store>/project and Path/<store>/raw; bench/run pairs them.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// $KELO_BENCH_STORES/<name>.kelo; empty when the variable is not set or the file is missing.
std::string StorePath(const std::string& name);

// One raw connection with the settings the store opens with (WAL, synchronous FULL, foreign
// keys) and nothing else.
class Raw {
public:
    explicit Raw(const std::string& path);
    ~Raw();
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    // Prepared once, kept for the connection's life.
    sqlite3_stmt* Prepare(const char* sql);
    void Execute(const char* sql);
    // Steps `statement` to its end reading every column of every row (as the store's lists copy
    // them), then resets it; answers the rows read.
    int64_t ReadAll(sqlite3_stmt* statement);
    // "SCAN ..." lines of the plan of `sql` (empty: every table is reached by an index).
    std::string Scans(const char* sql);

private:
    sqlite3* m_db = nullptr;
    std::vector<sqlite3_stmt*> m_statements;
};

// Per-iteration times of a benchmark, for its p50/p99 counters (microseconds).
class Percentiles {
public:
    using Clock = std::chrono::steady_clock;
    void Add(Clock::duration duration) { m_samples.push_back(duration); }
    void Report(benchmark::State& state);

private:
    std::vector<Clock::duration> m_samples;
};

// Skips the benchmark when the store is not there; answers whether it is.
bool NeedStore(benchmark::State& state, const std::string& path);

} // namespace bench
