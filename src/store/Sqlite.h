// A thin owner of SQLite handles: a connection and its prepared statements. Every failure is a
// StoreError numbered from SQLite's result code (store/Errors.h) with a cause in Portuguese that
// names the file.
// Values cross this boundary as int64, double, text or null only; nothing is ever spliced into SQL.
#pragma once

#include "store/Errors.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Statement;

class Connection {
public:
    // Opens `path` read-write; `create` allows a new file. `vfs` names the SQLite VFS to go
    // through (nullptr: the default). Throws StoreError naming the file.
    Connection(const std::string& path, bool create, const char* vfs = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Waits for another connection's lock up to `milliseconds`, retrying every millisecond:
    // SQLite's own handler backs off to 100 ms sleeps, so a waiting counter could lose every
    // race against a busy one.
    void SetBusyTimeout(int milliseconds);

    void Execute(std::string_view sql);
    Statement Prepare(std::string_view sql);
    int64_t Changes() const;
    // True when SQLite could open the file for reading only.
    bool IsReadOnly() const;
    const std::string& Path() const { return m_path; }

    // Throws the StoreError for SQLite result `code` of this connection, naming the file.
    [[noreturn]] void Fail(int code) const;

    // Steps SQLite took through tables read whole (no index) by this connection's statements
    // so far: how tests tell that a search went by an index.
    int64_t FullScanSteps() const { return m_fullScanSteps; }

private:
    friend class Statement;
    static int OnBusy(void* self, int attempt);
    void Release(sqlite3_stmt* statement);

    sqlite3* m_db = nullptr;
    // Statements done with, reset and kept by their SQL text: the components prepare the same
    // few statements on every call, and preparing costs more than a lookup runs.
    std::unordered_map<std::string, std::vector<sqlite3_stmt*>> m_idle;
    size_t m_idleCount = 0;
    int64_t m_fullScanSteps = 0;
    std::string m_path;
    int m_busyTimeoutMs = 0;
    std::chrono::steady_clock::time_point m_busySince;
};

class Statement {
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    ~Statement();

    // Parameters are 1-based, as in SQL.
    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, double value);
    Statement& Bind(int index, std::string_view value);
    Statement& Bind(int index, const std::string& value)
    {
        return Bind(index, std::string_view(value));
    }
    Statement& Bind(int index, const char* value) { return Bind(index, std::string_view(value)); }
    Statement& Bind(int index, const std::optional<int64_t>& value);
    Statement& Bind(int index, const std::optional<std::string>& value);
    Statement& BindNull(int index);

    // True while a row is available.
    bool Step();
    // Runs to completion; for writes.
    void Run();
    void Reset();

    bool IsNull(int column) const;
    int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    int ColumnCount() const;
    // The largest parameter index the statement uses.
    int ParameterCount() const;
    std::string ColumnName(int column) const;
    // 1 integer, 2 float, 3 text, 4 blob, 5 null (SQLite's own codes).
    int ColumnType(int column) const;

private:
    friend class Connection;
    Statement(Connection& connection, sqlite3_stmt* statement)
        : m_connection(&connection), m_statement(statement)
    {
    }
    void Check(int code) const;

    Connection* m_connection;
    sqlite3_stmt* m_statement;
};

} // namespace store
