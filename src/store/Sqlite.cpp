#include "store/Sqlite.h"

#include <sqlite3.h>

#include <thread>

namespace store {

namespace {

std::string CauseOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "o arquivo está bloqueado por outro processo há tempo demais";
    case SQLITE_READONLY:
        return "o arquivo não pode ser gravado (somente leitura)";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "acesso ao arquivo negado";
    case SQLITE_CANTOPEN:
        return "não foi possível abrir o arquivo (inexistente, sem permissão ou pasta inválida)";
    case SQLITE_NOTADB:
        return "o arquivo não é um armazenamento válido";
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

} // namespace

Connection::Connection(const std::string& path, bool create, const char* vfs) : m_path(path)
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

Connection::~Connection()
{
    for (auto& [sql, statements] : m_idle) {
        for (sqlite3_stmt* statement : statements) {
            sqlite3_finalize(statement);
        }
    }
    sqlite3_close_v2(m_db);
}

void Connection::Release(sqlite3_stmt* statement)
{
    m_fullScanSteps += sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
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

void Connection::SetBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    sqlite3_busy_handler(m_db, &Connection::OnBusy, this);
}

int Connection::OnBusy(void* self, int attempt)
{
    auto* connection = static_cast<Connection*>(self);
    auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        connection->m_busySince = now;
    }
    if (now - connection->m_busySince >= std::chrono::milliseconds(connection->m_busyTimeoutMs)) {
        return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

void Connection::Fail(int code) const
{
    std::string detail = sqlite3_errmsg(m_db);
    throw StoreError(kErrEngineBase + (code & 0xff),
                     "Armazenamento '" + m_path + "': " + CauseOf(code) + " (" + detail + ").");
}

void Connection::Execute(std::string_view sql)
{
    std::string text(sql);
    int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        Fail(sqlite3_extended_errcode(m_db));
    }
}

Statement Connection::Prepare(std::string_view sql)
{
    if (auto idle = m_idle.find(std::string(sql)); idle != m_idle.end() && !idle->second.empty()) {
        sqlite3_stmt* statement = idle->second.back();
        idle->second.pop_back();
        --m_idleCount;
        return Statement(*this, statement);
    }
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        Fail(sqlite3_extended_errcode(m_db));
    }
    return Statement(*this, statement);
}

int64_t Connection::Changes() const
{
    return sqlite3_changes64(m_db);
}

bool Connection::IsReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

Statement::Statement(Statement&& other) noexcept
    : m_connection(other.m_connection), m_statement(other.m_statement)
{
    other.m_statement = nullptr;
}

Statement::~Statement()
{
    if (m_statement != nullptr) {
        m_connection->Release(m_statement);
    }
}

void Statement::Check(int code) const
{
    if (code != SQLITE_OK) {
        m_connection->Fail(sqlite3_extended_errcode(m_connection->m_db));
    }
}

Statement& Statement::Bind(int index, int64_t value)
{
    Check(sqlite3_bind_int64(m_statement, index, value));
    return *this;
}

Statement& Statement::Bind(int index, double value)
{
    Check(sqlite3_bind_double(m_statement, index, value));
    return *this;
}

Statement& Statement::Bind(int index, std::string_view value)
{
    Check(sqlite3_bind_text64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8));
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<int64_t>& value)
{
    return value ? Bind(index, *value) : BindNull(index);
}

Statement& Statement::Bind(int index, const std::optional<std::string>& value)
{
    return value ? Bind(index, std::string_view(*value)) : BindNull(index);
}

Statement& Statement::BindNull(int index)
{
    Check(sqlite3_bind_null(m_statement, index));
    return *this;
}

bool Statement::Step()
{
    int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    int code = sqlite3_extended_errcode(m_connection->m_db);
    sqlite3_reset(m_statement);
    m_connection->Fail(code);
}

void Statement::Run()
{
    while (Step()) {
    }
}

void Statement::Reset()
{
    m_connection->m_fullScanSteps +=
        sqlite3_stmt_status(m_statement, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double Statement::Real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::string Statement::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    if (text == nullptr) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<size_t>(sqlite3_column_bytes(m_statement, column)));
}

int Statement::ParameterCount() const
{
    return sqlite3_bind_parameter_count(m_statement);
}

int Statement::ColumnCount() const
{
    return sqlite3_column_count(m_statement);
}

std::string Statement::ColumnName(int column) const
{
    return sqlite3_column_name(m_statement, column);
}

int Statement::ColumnType(int column) const
{
    return sqlite3_column_type(m_statement, column);
}

} // namespace store
