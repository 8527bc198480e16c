#include "store/Sqlite.h"

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace store {

namespace {

std::string CauseOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "o arquivo está bloqueado por outro processo há tempo demais";
    case SQLITE_READONLY:
        return "o arquivo não pode ser gravado (somente leitura); dê permissão de gravação ao "
               "arquivo e à sua pasta";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "acesso ao arquivo negado";
    case SQLITE_CANTOPEN:
        return "não foi possível abrir o arquivo (inexistente, sem permissão ou pasta inválida); "
               "confira o caminho e as permissões";
    case SQLITE_NOTADB:
        return "o arquivo não é um armazenamento válido; escolha o arquivo de uma loja, ou crie "
               "uma com kelo-store create";
    case SQLITE_CORRUPT:
        return "o arquivo está corrompido";
    case SQLITE_IOERR:
        return "erro de leitura ou gravação do arquivo";
    case SQLITE_FULL:
        return "o disco está cheio";
    case SQLITE_NOMEM:
        return "memória insuficiente";
    case SQLITE_CONSTRAINT:
        return "o registro viola uma regra do armazenamento";
    default:
        return sqlite3_errstr(code);
    }
}

class SqliteStatement;

class SqliteConnection final : public engine::ConnectionEngine {
public:
    SqliteConnection(const std::string& path, bool create, const char* vfs) : m_path(path)
    {
        int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
        if (create) {
            flags |= SQLITE_OPEN_CREATE;
        }
        int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, vfs);
        if (rc != SQLITE_OK) {
            int code = m_db != nullptr ? sqlite3_extended_errcode(m_db) : rc;
            sqlite3_close(m_db);
            m_db = nullptr;
            throw StoreError(kErrEngineBase + (code & 0xff),
                             "Armazenamento '" + path + "': " + CauseOf(code) + ".");
        }
        sqlite3_extended_result_codes(m_db, 1);
    }
    ~SqliteConnection() override
    {
        for (auto& [sql, statements] : m_idle) {
            for (sqlite3_stmt* statement : statements) {
                sqlite3_finalize(statement);
            }
        }
        sqlite3_close_v2(m_db);
    }

    // A statement done with, reset and kept by its SQL text: the components prepare the same
    // few statements on every call, and preparing costs more than a lookup runs.
    void Release(sqlite3_stmt* statement)
    {
        CountFullScanSteps(statement);
        constexpr size_t kMostIdle = 128;
        sqlite3_reset(statement);
        const char* sql = sqlite3_sql(statement);
        if (m_idleCount >= kMostIdle || sql == nullptr ||
            sqlite3_clear_bindings(statement) != SQLITE_OK) {
            sqlite3_finalize(statement);
            return;
        }
        m_idle[sql].push_back(statement);
        ++m_idleCount;
    }
    void CountFullScanSteps(sqlite3_stmt* statement)
    {
        m_fullScanSteps += sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
    }
    int64_t FullScanSteps() const override { return m_fullScanSteps; }

    void SetBusyTimeout(int milliseconds) override
    {
        m_busyTimeoutMs = milliseconds;
        sqlite3_busy_handler(m_db, &SqliteConnection::OnBusy, this);
    }

    void Execute(std::string_view sql) override
    {
        std::string text(sql);
        int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            Fail(sqlite3_extended_errcode(m_db));
        }
    }

    std::unique_ptr<engine::StatementEngine> Prepare(std::string_view sql) override;

    void BeginWrite() override { Execute("BEGIN IMMEDIATE"); }
    int64_t Changes() const override { return sqlite3_changes64(m_db); }
    bool IsReadOnly() const override { return sqlite3_db_readonly(m_db, "main") == 1; }

    [[noreturn]] void Fail(int code) const
    {
        // The engine's own words are English: the attendant reads only our cause.
        throw StoreError(kErrEngineBase + (code & 0xff),
                         "Armazenamento '" + m_path + "': " + CauseOf(code) + ".");
    }

    sqlite3* Handle() const { return m_db; }

private:
    static int OnBusy(void* self, int attempt)
    {
        auto* connection = static_cast<SqliteConnection*>(self);
        auto now = std::chrono::steady_clock::now();
        if (attempt == 0) {
            connection->m_busySince = now;
        }
        if (now - connection->m_busySince >=
            std::chrono::milliseconds(connection->m_busyTimeoutMs)) {
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return 1;
    }

    sqlite3* m_db = nullptr;
    std::string m_path;
    std::unordered_map<std::string, std::vector<sqlite3_stmt*>> m_idle;
    size_t m_idleCount = 0;
    int64_t m_fullScanSteps = 0;
    int m_busyTimeoutMs = 0;
    std::chrono::steady_clock::time_point m_busySince;
};

class SqliteStatement final : public engine::StatementEngine {
public:
    SqliteStatement(SqliteConnection& connection, sqlite3_stmt* statement)
        : m_connection(connection), m_statement(statement)
    {
    }
    ~SqliteStatement() override { m_connection.Release(m_statement); }

    void BindInt(int index, int64_t value) override
    {
        Check(sqlite3_bind_int64(m_statement, index, value));
    }
    void BindReal(int index, double value) override
    {
        Check(sqlite3_bind_double(m_statement, index, value));
    }
    void BindText(int index, std::string_view value) override
    {
        Check(sqlite3_bind_text64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8));
    }
    void BindNull(int index) override { Check(sqlite3_bind_null(m_statement, index)); }

    bool Step() override
    {
        int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc == SQLITE_DONE) {
            return false;
        }
        int code = sqlite3_extended_errcode(m_connection.Handle());
        sqlite3_reset(m_statement);
        m_connection.Fail(code);
    }

    void Reset() override
    {
        m_connection.CountFullScanSteps(m_statement);
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }

    bool IsNull(int column) const override
    {
        return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
    }
    int64_t Int(int column) const override { return sqlite3_column_int64(m_statement, column); }
    double Real(int column) const override { return sqlite3_column_double(m_statement, column); }
    std::string Text(int column) const override
    {
        const unsigned char* text = sqlite3_column_text(m_statement, column);
        if (text == nullptr) {
            return {};
        }
        return std::string(reinterpret_cast<const char*>(text),
                           static_cast<size_t>(sqlite3_column_bytes(m_statement, column)));
    }
    int ColumnCount() const override { return sqlite3_column_count(m_statement); }
    int ParameterCount() const override { return sqlite3_bind_parameter_count(m_statement); }
    std::string ColumnName(int column) const override
    {
        return sqlite3_column_name(m_statement, column);
    }
    int ColumnType(int column) const override { return sqlite3_column_type(m_statement, column); }

private:
    void Check(int code) const
    {
        if (code != SQLITE_OK) {
            m_connection.Fail(sqlite3_extended_errcode(m_connection.Handle()));
        }
    }

    SqliteConnection& m_connection;
    sqlite3_stmt* m_statement;
};

std::unique_ptr<engine::StatementEngine> SqliteConnection::Prepare(std::string_view sql)
{
    if (auto idle = m_idle.find(std::string(sql)); idle != m_idle.end() && !idle->second.empty()) {
        sqlite3_stmt* statement = idle->second.back();
        idle->second.pop_back();
        --m_idleCount;
        return std::make_unique<SqliteStatement>(*this, statement);
    }
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        Fail(sqlite3_extended_errcode(m_db));
    }
    return std::make_unique<SqliteStatement>(*this, statement);
}

} // namespace

namespace engine {

std::unique_ptr<ConnectionEngine> OpenSqlite(const std::string& path, bool create, const char* vfs)
{
    return std::make_unique<SqliteConnection>(path, create, vfs);
}

} // namespace engine

Connection::Connection(const std::string& path, bool create, const char* vfs)
    : Connection(engine::OpenSqlite(path, create, vfs), Engine::Sqlite, path)
{
}

Connection::Connection(std::unique_ptr<engine::ConnectionEngine> engine, Engine dialect,
                       std::string path)
    : m_engine(std::move(engine)), m_dialect(dialect), m_path(std::move(path))
{
}

std::unique_ptr<Connection> Connection::ToServer(const std::string& address, int busyTimeoutMs)
{
    std::string shown = ShownAddress(address);
    return std::unique_ptr<Connection>(new Connection(
        engine::OpenPostgres(address, shown, busyTimeoutMs), Engine::Postgres, shown));
}

Connection::~Connection() = default;

namespace {

class PreparedBulk final : public engine::BulkEngine {
public:
    PreparedBulk(engine::ConnectionEngine& connection, std::string_view table,
                 const std::vector<std::string_view>& columns)
    {
        std::string sql = "INSERT INTO " + std::string(table) + " (";
        std::string marks;
        for (size_t k = 0; k < columns.size(); ++k) {
            sql += (k > 0 ? ", " : "") + std::string(columns[k]);
            marks += k > 0 ? ", ?" : "?";
        }
        m_insert = connection.Prepare(sql + ") VALUES (" + marks + ")");
    }
    void Int(int64_t value) override { m_insert->BindInt(++m_next, value); }
    void Text(std::string_view value) override { m_insert->BindText(++m_next, value); }
    void Null() override { m_insert->BindNull(++m_next); }
    void EndRow() override
    {
        while (m_insert->Step()) {
        }
        m_insert->Reset();
        m_next = 0;
    }
    void Finish() override {}

private:
    std::unique_ptr<engine::StatementEngine> m_insert;
    int m_next = 0;
};

} // namespace

std::unique_ptr<engine::BulkEngine>
engine::ConnectionEngine::Bulk(std::string_view table, const std::vector<std::string_view>& columns)
{
    return std::make_unique<PreparedBulk>(*this, table, columns);
}

Statement Connection::Prepare(std::string_view sql)
{
    return Statement(m_engine->Prepare(sql));
}

} // namespace store
