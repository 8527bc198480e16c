// A thin owner of an engine's handles: a connection and its statements, over a SQLite file or a
// PostgreSQL server (store/Postgres.cpp). Every failure is a StoreError numbered from SQLite's
// result codes (store/Errors.h), the server's failures mapped onto them, with a cause in
// Portuguese that names the file or the server and database (never a user or a password).
// Values cross this boundary as int64, double, text or null only; nothing is ever spliced into SQL.
// Statements are written in SQLite's dialect with ?N parameters and instr(); the server's
// connection rewrites those two, and the few other differences are the callers' (Dialect()).
#pragma once

#include "store/Errors.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class Statement;

enum class Engine : uint8_t { Sqlite, Postgres };

namespace engine {

class StatementEngine {
public:
    virtual ~StatementEngine() = default;
    virtual void BindInt(int index, int64_t value) = 0;
    virtual void BindReal(int index, double value) = 0;
    virtual void BindText(int index, std::string_view value) = 0;
    virtual void BindNull(int index) = 0;
    virtual bool Step() = 0;
    virtual void Reset() = 0;
    virtual bool IsNull(int column) const = 0;
    virtual int64_t Int(int column) const = 0;
    virtual double Real(int column) const = 0;
    virtual std::string Text(int column) const = 0;
    virtual int ColumnCount() const = 0;
    virtual int ParameterCount() const = 0;
    virtual std::string ColumnName(int column) const = 0;
    virtual int ColumnType(int column) const = 0;
};

// Rows for one table, sent as they come: one value per column, then EndRow().
class BulkEngine {
public:
    virtual ~BulkEngine() = default;
    virtual void Int(int64_t value) = 0;
    virtual void Text(std::string_view value) = 0;
    virtual void Null() = 0;
    virtual void EndRow() = 0;
    virtual void Finish() = 0;
};

class ConnectionEngine {
public:
    virtual ~ConnectionEngine() = default;
    virtual void SetBusyTimeout(int milliseconds) = 0;
    virtual void Execute(std::string_view sql) = 0;
    virtual std::unique_ptr<StatementEngine> Prepare(std::string_view sql) = 0;
    virtual void BeginWrite() = 0;
    virtual int64_t Changes() const = 0;
    virtual bool IsReadOnly() const = 0;
    // True once the link to a server is gone: the connection must be opened anew.
    virtual bool IsLost() const { return false; }
    // Steps taken through tables read whole (no index) so far; 0 where the engine cannot tell.
    virtual int64_t FullScanSteps() const { return 0; }
    // An INSERT prepared once and run per row, unless the engine has a faster way in.
    virtual std::unique_ptr<BulkEngine> Bulk(std::string_view table,
                                             const std::vector<std::string_view>& columns);
};

std::unique_ptr<ConnectionEngine> OpenSqlite(const std::string& path, bool create, const char* vfs);
// `conninfo` is what libpq takes; `shown` names the server and database in every message.
std::unique_ptr<ConnectionEngine> OpenPostgres(const std::string& conninfo,
                                               const std::string& shown, int busyTimeoutMs);

} // namespace engine

// True for a PostgreSQL address: a postgresql:// or postgres:// URL, or a libpq key=value string.
// Anything else names a SQLite file.
bool IsServerAddress(std::string_view address);
// The address as messages show it: a file as given; a server as postgresql://HOST[:PORT]/DB,
// without user or password.
std::string ShownAddress(const std::string& address);

class Connection {
public:
    // Opens the SQLite file `path` read-write; `create` allows a new file. `vfs` names the
    // SQLite VFS to go through (nullptr: the default). Throws StoreError naming the file.
    Connection(const std::string& path, bool create, const char* vfs = nullptr);
    // Connects to the PostgreSQL server of `address` (IsServerAddress). Throws StoreError.
    static std::unique_ptr<Connection> ToServer(const std::string& address, int busyTimeoutMs);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Waits for another connection's lock up to `milliseconds` (SQLite: retrying every
    // millisecond, as its own handler backs off to 100 ms sleeps and a waiting counter could
    // lose every race against a busy one; PostgreSQL: the lock timeout).
    void SetBusyTimeout(int milliseconds) { m_engine->SetBusyTimeout(milliseconds); }

    void Execute(std::string_view sql) { m_engine->Execute(sql); }
    Statement Prepare(std::string_view sql);
    // Starts a write transaction that takes the write lock at once where the engine has one.
    void BeginWrite() { m_engine->BeginWrite(); }
    int64_t Changes() const { return m_engine->Changes(); }
    // True when the file could be opened for reading only, or the server takes no writes.
    bool IsReadOnly() const { return m_engine->IsReadOnly(); }
    bool IsLost() const { return m_engine->IsLost(); }
    // Steps SQLite took through tables read whole (no index) by this connection's statements
    // so far: how tests tell that a search went by an index.
    int64_t FullScanSteps() const { return m_engine->FullScanSteps(); }
    // Many new rows of one table inside the caller's write transaction (BulkInsert).
    std::unique_ptr<engine::BulkEngine> Bulk(std::string_view table,
                                             const std::vector<std::string_view>& columns)
    {
        return m_engine->Bulk(table, columns);
    }
    Engine Dialect() const { return m_dialect; }
    const std::string& Path() const { return m_path; }

private:
    Connection(std::unique_ptr<engine::ConnectionEngine> engine, Engine dialect, std::string path);

    std::unique_ptr<engine::ConnectionEngine> m_engine;
    Engine m_dialect;
    std::string m_path;
};

class Statement {
public:
    explicit Statement(std::unique_ptr<engine::StatementEngine> engine)
        : m_engine(std::move(engine))
    {
    }
    Statement(Statement&& other) noexcept = default;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    ~Statement() = default;

    // Parameters are 1-based, as in SQL.
    Statement& Bind(int index, int64_t value)
    {
        m_engine->BindInt(index, value);
        return *this;
    }
    Statement& Bind(int index, double value)
    {
        m_engine->BindReal(index, value);
        return *this;
    }
    Statement& Bind(int index, std::string_view value)
    {
        m_engine->BindText(index, value);
        return *this;
    }
    Statement& Bind(int index, const std::string& value)
    {
        return Bind(index, std::string_view(value));
    }
    Statement& Bind(int index, const char* value) { return Bind(index, std::string_view(value)); }
    Statement& Bind(int index, const std::optional<int64_t>& value)
    {
        return value ? Bind(index, *value) : BindNull(index);
    }
    Statement& Bind(int index, const std::optional<std::string>& value)
    {
        return value ? Bind(index, std::string_view(*value)) : BindNull(index);
    }
    Statement& BindNull(int index)
    {
        m_engine->BindNull(index);
        return *this;
    }

    // True while a row is available.
    bool Step() { return m_engine->Step(); }
    // Runs to completion; for writes.
    void Run()
    {
        while (Step()) {
        }
    }
    // Clears the bindings too.
    void Reset() { m_engine->Reset(); }

    bool IsNull(int column) const { return m_engine->IsNull(column); }
    int64_t Int(int column) const { return m_engine->Int(column); }
    double Real(int column) const { return m_engine->Real(column); }
    std::string Text(int column) const { return m_engine->Text(column); }
    int ColumnCount() const { return m_engine->ColumnCount(); }
    // The largest parameter index the statement uses.
    int ParameterCount() const { return m_engine->ParameterCount(); }
    std::string ColumnName(int column) const { return m_engine->ColumnName(column); }
    // 1 integer, 2 float, 3 text, 4 blob, 5 null (SQLite's own codes).
    int ColumnType(int column) const { return m_engine->ColumnType(column); }

private:
    std::unique_ptr<engine::StatementEngine> m_engine;
};

// Rows for one table without a round trip each: a server gets them as one COPY stream, a file
// through one prepared INSERT. Nothing else may run on the connection until Finish(); the values
// go as data, escaped for the stream, never into SQL. Destroyed without Finish(), the rows are
// left for the caller's transaction to roll back.
class BulkInsert {
public:
    BulkInsert(Connection& connection, std::string_view table,
               const std::vector<std::string_view>& columns)
        : m_engine(connection.Bulk(table, columns))
    {
    }
    BulkInsert& Add(int64_t value)
    {
        m_engine->Int(value);
        return *this;
    }
    BulkInsert& Add(std::string_view value)
    {
        m_engine->Text(value);
        return *this;
    }
    BulkInsert& Add(const std::string& value) { return Add(std::string_view(value)); }
    BulkInsert& Add(const char* value) { return Add(std::string_view(value)); }
    BulkInsert& AddNull()
    {
        m_engine->Null();
        return *this;
    }
    void EndRow() { m_engine->EndRow(); }
    void Finish() { m_engine->Finish(); }

private:
    std::unique_ptr<engine::BulkEngine> m_engine;
};

} // namespace store
