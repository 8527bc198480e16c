// The server's engine: one libpq connection per Database, every value a bound parameter (text
// format; whole numbers typed bigint, texts left for the server to infer from where they stand).
// A statement is parsed once per connection and kept by its text and parameter types; a search
// is planned anew each time instead, as its best plan depends on the text searched. Statements
// arrive in SQLite's dialect and failures leave numbered as SQLite's: store/PostgresDialect.h.
#include "store/PostgresDialect.h"
#include "store/Sqlite.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace store {

namespace {

constexpr Oid kBigint = 20;
constexpr Oid kDouble = 701;
constexpr Oid kText = 25;

struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ClearResult>;

struct FreeOptions {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};
using Options = std::unique_ptr<PQconninfoOption, FreeOptions>;

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

Options Parse(const std::string& address)
{
    char* error = nullptr;
    Options options(PQconninfoParse(address.c_str(), &error));
    PQfreemem(error);
    return options;
}

void Quietly(void*, const char*) {}

class PgConnection final : public engine::ConnectionEngine {
public:
    PgConnection(const std::string& conninfo, std::string shown, int busyTimeoutMs)
        : m_shown(std::move(shown))
    {
        // The address's own settings come after the default timeout and so override it.
        const char* keywords[] = {"connect_timeout", "dbname", "application_name", nullptr};
        const char* values[] = {"10", conninfo.c_str(), "kelo", nullptr};
        m_conn = PQconnectdbParams(keywords, values, 1);
        if (m_conn == nullptr || PQstatus(m_conn) != CONNECTION_OK) {
            std::string cause = postgres::ConnectFailure(m_conn ? PQerrorMessage(m_conn) : nullptr);
            PQfinish(m_conn);
            m_conn = nullptr;
            throw StoreError(kErrCannotOpen, "Armazenamento '" + m_shown +
                                                 "': não foi possível conectar ao servidor (" +
                                                 cause + ").");
        }
        PQsetNoticeProcessor(m_conn, &Quietly, nullptr);
        Execute("SET client_encoding = 'UTF8'; SET standard_conforming_strings = on;"
                " SET synchronous_commit = on; SET client_min_messages = warning");
        SetBusyTimeout(busyTimeoutMs);
    }
    ~PgConnection() override { PQfinish(m_conn); }

    void SetBusyTimeout(int milliseconds) override
    {
        Execute("SET lock_timeout = " + std::to_string(std::max(milliseconds, 1)));
    }

    void Execute(std::string_view sql) override
    {
        std::string text(sql);
        if (m_beginPending) {
            m_beginPending = false;
            text = std::string(kBegin) + "; " + text;
        }
        Result result(PQexec(m_conn, text.c_str()));
        Check(result.get());
    }

    // Runs one statement with its parameters, parsed once per connection when `reusable`. A
    // write transaction's BEGIN and a statement's first parse go in the same round trip as its
    // execution (a pipeline): on a server, round trips are most of an item's Incluir.
    Result Run(const std::string& sql, bool reusable, int count, const Oid* types,
               const char* const* values)
    {
        const std::string* name = nullptr;
        std::string key;
        if (reusable) {
            key = sql;
            key.append(reinterpret_cast<const char*>(types),
                       sizeof(Oid) * static_cast<size_t>(count));
            if (auto found = m_prepared.find(key); found != m_prepared.end()) {
                name = &found->second;
            } else if (m_prepared.size() >= kMostPrepared) {
                // Kept by the first texts only: a text that varies must not fill the server.
                key.clear();
            }
        }
        const bool parse = name == nullptr && !key.empty();
        if (!m_beginPending && !parse) {
            Result result(
                name != nullptr
                    ? PQexecPrepared(m_conn, name->c_str(), count, values, nullptr, nullptr, 0)
                    : PQexecParams(m_conn, sql.c_str(), count, types, values, nullptr, nullptr, 0));
            Check(result.get());
            return result;
        }
        const bool begin = std::exchange(m_beginPending, false);
        const std::string fresh = parse ? "k" + std::to_string(++m_lastName) : "";
        if (parse) {
            name = &fresh;
        }
        if (PQenterPipelineMode(m_conn) != 1) {
            if (begin) {
                Execute(kBegin);
            }
            if (parse) {
                Result parsed(PQprepare(m_conn, fresh.c_str(), sql.c_str(), count, types));
                Check(parsed.get());
                m_prepared.emplace(std::move(key), fresh);
            }
            return Run(sql, reusable, count, types, values);
        }
        const bool sent =
            (!begin ||
             PQsendQueryParams(m_conn, kBegin, 0, nullptr, nullptr, nullptr, nullptr, 0) == 1) &&
            (!parse || PQsendPrepare(m_conn, fresh.c_str(), sql.c_str(), count, types) == 1) &&
            (name != nullptr
                 ? PQsendQueryPrepared(m_conn, name->c_str(), count, values, nullptr, nullptr, 0)
                 : PQsendQueryParams(m_conn, sql.c_str(), count, types, values, nullptr, nullptr,
                                     0)) == 1 &&
            PQpipelineSync(m_conn) == 1;
        Result begun;
        Result parsed;
        Result result;
        std::vector<Result*> answers;
        if (begin) {
            answers.push_back(&begun);
        }
        if (parse) {
            answers.push_back(&parsed);
        }
        answers.push_back(&result);
        // Every result up to the sync is read, whatever failed, before the pipeline ends.
        for (Result* answer : answers) {
            if (!sent) {
                break;
            }
            answer->reset(PQgetResult(m_conn));
            while (PGresult* extra = PQgetResult(m_conn)) {
                PQclear(extra);
            }
        }
        if (sent) {
            Result sync(PQgetResult(m_conn));
        }
        PQexitPipelineMode(m_conn);
        if (parse && PQresultStatus(parsed.get()) == PGRES_COMMAND_OK) {
            m_prepared.emplace(std::move(key), fresh);
        }
        for (Result* answer : answers) {
            Check(answer->get());
        }
        return result;
    }

    // For what cannot share the round trip (a COPY).
    void SendPendingBegin()
    {
        if (m_beginPending) {
            Execute("");
        }
    }

    std::unique_ptr<engine::StatementEngine> Prepare(std::string_view sql) override;
    std::unique_ptr<engine::BulkEngine> Bulk(std::string_view table,
                                             const std::vector<std::string_view>& columns) override;

    // Sent with the transaction's first statement.
    void BeginWrite() override { m_beginPending = true; }
    int64_t Changes() const override { return m_changes; }
    bool IsReadOnly() const override
    {
        Result result(PQexec(m_conn, "SHOW transaction_read_only"));
        return PQresultStatus(result.get()) == PGRES_TUPLES_OK && PQntuples(result.get()) == 1 &&
               std::strcmp(PQgetvalue(result.get(), 0, 0), "on") == 0;
    }
    bool IsLost() const override { return PQstatus(m_conn) != CONNECTION_OK; }

    PGconn* Handle() const { return m_conn; }
    const std::string& Shown() const { return m_shown; }

    // Throws the StoreError for a failed `result`; notes the rows a write changed.
    void Check(PGresult* result)
    {
        ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            m_changes = std::atoll(PQcmdTuples(result));
            return;
        }
        const char* state =
            result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const char* primary =
            result != nullptr ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        int code = IsLost() ? 14 : postgres::CodeOf(state);
        // One line of the server's own words, without libpq's severity prefix.
        std::string detail = primary != nullptr ? primary : PQerrorMessage(m_conn);
        detail = detail.substr(0, detail.find('\n'));
        for (const char* prefix : {"FATAL:  ", "ERROR:  "}) {
            if (StartsWith(detail, prefix)) {
                detail.erase(0, std::strlen(prefix));
            }
        }
        while (!detail.empty() && std::isspace(static_cast<unsigned char>(detail.back()))) {
            detail.pop_back();
        }
        throw StoreError(kErrEngineBase + code,
                         "Armazenamento '" + m_shown + "': " + postgres::CauseOf(code) +
                             (detail.empty() ? "" : " (" + detail + ")") + ".");
    }

private:
    static constexpr const char* kBegin = "BEGIN ISOLATION LEVEL READ COMMITTED";

    // Enough for every statement the components have; past it a statement is parsed each time.
    static constexpr size_t kMostPrepared = 256;

    PGconn* m_conn = nullptr;
    std::string m_shown;
    // Text and parameter types to the name of the statement parsed on this connection; a new
    // connection starts with none, as the server forgot them with the old one.
    std::unordered_map<std::string, std::string> m_prepared;
    int64_t m_lastName = 0;
    int64_t m_changes = 0;
    bool m_beginPending = false;
};

class PgStatement final : public engine::StatementEngine {
public:
    PgStatement(PgConnection& connection, std::string_view sql) : m_connection(connection)
    {
        std::set<int> used;
        bool searches = false;
        m_sql = postgres::Translate(sql, used, searches);
        m_reusable = !searches;
        m_parameters = used.empty() ? 0 : *used.rbegin();
        m_values.resize(static_cast<size_t>(m_parameters));
        m_types.assign(static_cast<size_t>(m_parameters), kText);
        for (int number : used) {
            m_types[static_cast<size_t>(number - 1)] = 0;
        }
        m_referenced = m_types;
    }

    void BindInt(int index, int64_t value) override { Set(index, std::to_string(value), kBigint); }
    void BindReal(int index, double value) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", value);
        Set(index, text, kDouble);
    }
    void BindText(int index, std::string_view value) override
    {
        // libpq would cut the text at the NUL and store the rest as if it were all of it.
        if (value.find('\0') != std::string_view::npos) {
            throw StoreError(kErrEngine, "Armazenamento '" + m_connection.Shown() +
                                             "': um texto com caractere nulo não pode ser"
                                             " gravado no servidor.");
        }
        Set(index, std::string(value), m_referenced[Slot(index)]);
    }
    void BindNull(int index) override
    {
        size_t slot = Slot(index);
        m_values[slot].reset();
        m_types[slot] = m_referenced[slot];
        m_result.reset();
    }

    bool Step() override
    {
        if (!m_result) {
            Run();
        }
        if (++m_row < PQntuples(m_result.get())) {
            return true;
        }
        // As SQLite does, the next Step runs the statement again.
        m_result.reset();
        return false;
    }

    void Reset() override
    {
        m_result.reset();
        std::fill(m_values.begin(), m_values.end(), std::nullopt);
        m_types = m_referenced;
    }

    bool IsNull(int column) const override
    {
        return m_result == nullptr || PQgetisnull(m_result.get(), m_row, column) == 1;
    }
    int64_t Int(int column) const override
    {
        const char* text = Value(column);
        if (text[0] == 't' || text[0] == 'f') {
            return text[0] == 't' ? 1 : 0;
        }
        return std::strtoll(text, nullptr, 10);
    }
    double Real(int column) const override { return std::strtod(Value(column), nullptr); }
    std::string Text(int column) const override
    {
        return std::string(Value(column),
                           static_cast<size_t>(PQgetlength(m_result.get(), m_row, column)));
    }
    int ColumnCount() const override
    {
        const_cast<PgStatement*>(this)->Ready();
        return PQnfields(m_result.get());
    }
    int ParameterCount() const override { return m_parameters; }
    std::string ColumnName(int column) const override
    {
        const_cast<PgStatement*>(this)->Ready();
        return PQfname(m_result.get(), column);
    }
    int ColumnType(int column) const override
    {
        if (IsNull(column)) {
            return 5;
        }
        switch (PQftype(m_result.get(), column)) {
        case 16:
        case 20:
        case 21:
        case 23:
        case 26:
            return 1;
        case 700:
        case 701:
            return 2;
        case 1700:
            return std::strchr(Value(column), '.') == nullptr ? 1 : 2;
        case 17:
            return 4;
        default:
            return 3;
        }
    }

private:
    size_t Slot(int index) const
    {
        if (index < 1 || index > m_parameters) {
            throw StoreError(kErrEngineBase + 25,
                             "parâmetro " + std::to_string(index) + " fora da instrução");
        }
        return static_cast<size_t>(index - 1);
    }

    void Set(int index, std::string value, Oid type)
    {
        size_t slot = Slot(index);
        m_values[slot] = std::move(value);
        m_types[slot] = type;
        m_result.reset();
    }

    // Runs the statement once, so that its columns are known before the first Step.
    void Ready()
    {
        if (!m_result) {
            Run();
        }
    }

    void Run()
    {
        std::vector<const char*> values;
        values.reserve(m_values.size());
        for (const auto& value : m_values) {
            values.push_back(value ? value->c_str() : nullptr);
        }
        m_result = m_connection.Run(m_sql, m_reusable, m_parameters, m_types.data(), values.data());
        m_row = -1;
    }

    const char* Value(int column) const { return PQgetvalue(m_result.get(), m_row, column); }

    PgConnection& m_connection;
    std::string m_sql;
    bool m_reusable = true;
    int m_parameters = 0;
    std::vector<std::optional<std::string>> m_values;
    std::vector<Oid> m_types;
    std::vector<Oid> m_referenced; // 0 for a parameter the statement uses, text for a gap
    Result m_result;
    int m_row = -1;
};

std::unique_ptr<engine::StatementEngine> PgConnection::Prepare(std::string_view sql)
{
    return std::make_unique<PgStatement>(*this, sql);
}

// COPY ... FROM STDIN in text format: a row is its values separated by tabs and ended by a
// newline, \N for null, and a backslash before each of the few bytes that would end a value.
class PgCopy final : public engine::BulkEngine {
public:
    PgCopy(PgConnection& connection, std::string_view table,
           const std::vector<std::string_view>& columns)
        : m_connection(connection)
    {
        m_connection.SendPendingBegin();
        std::string sql = "COPY " + std::string(table) + " (";
        for (size_t k = 0; k < columns.size(); ++k) {
            sql += (k > 0 ? ", " : "") + std::string(columns[k]);
        }
        Result result(PQexec(m_connection.Handle(), (sql + ") FROM STDIN").c_str()));
        if (PQresultStatus(result.get()) != PGRES_COPY_IN) {
            m_connection.Check(result.get());
        }
        m_open = true;
    }
    ~PgCopy() override
    {
        if (m_open) {
            // Abandoned: the server fails the COPY, and with it the caller's transaction.
            PQputCopyEnd(m_connection.Handle(), "abandonado");
            Drain();
        }
    }

    void Int(int64_t value) override { Separate() += std::to_string(value); }
    void Text(std::string_view value) override
    {
        if (value.find('\0') != std::string_view::npos) {
            throw StoreError(kErrEngine, "Armazenamento '" + m_connection.Shown() +
                                             "': um texto com caractere nulo não pode ser"
                                             " gravado no servidor.");
        }
        std::string& out = Separate();
        for (char c : value) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
            }
        }
    }
    void Null() override { Separate() += "\\N"; }
    void EndRow() override
    {
        m_buffer += '\n';
        m_first = true;
        if (m_buffer.size() >= kChunk) {
            Send();
        }
    }
    void Finish() override
    {
        Send();
        m_open = false;
        if (PQputCopyEnd(m_connection.Handle(), nullptr) != 1) {
            Drain();
            m_connection.Check(nullptr);
        }
        Drain();
    }

private:
    static constexpr size_t kChunk = 256 * 1024;

    std::string& Separate()
    {
        if (!m_first) {
            m_buffer += '\t';
        }
        m_first = false;
        return m_buffer;
    }

    void Send()
    {
        if (!m_buffer.empty() && PQputCopyData(m_connection.Handle(), m_buffer.data(),
                                               static_cast<int>(m_buffer.size())) != 1) {
            m_open = false;
            m_connection.Check(nullptr);
        }
        m_buffer.clear();
    }

    // Reads the COPY's results; throws the first failure once they are all read.
    void Drain()
    {
        Result failed;
        while (PGresult* next = PQgetResult(m_connection.Handle())) {
            Result result(next);
            if (PQresultStatus(next) != PGRES_COMMAND_OK && !failed) {
                failed = std::move(result);
            }
        }
        if (failed && !m_open) {
            m_connection.Check(failed.get());
        }
    }

    PgConnection& m_connection;
    std::string m_buffer;
    bool m_first = true;
    bool m_open = false;
};

std::unique_ptr<engine::BulkEngine> PgConnection::Bulk(std::string_view table,
                                                       const std::vector<std::string_view>& columns)
{
    return std::make_unique<PgCopy>(*this, table, columns);
}

} // namespace

namespace engine {

std::unique_ptr<ConnectionEngine> OpenPostgres(const std::string& conninfo,
                                               const std::string& shown, int busyTimeoutMs)
{
    return std::make_unique<PgConnection>(conninfo, shown, busyTimeoutMs);
}

} // namespace engine

bool IsServerAddress(std::string_view address)
{
    if (StartsWith(address, "postgresql://") || StartsWith(address, "postgres://")) {
        return true;
    }
    return address.find('=') != std::string_view::npos && Parse(std::string(address)) != nullptr;
}

std::string ShownAddress(const std::string& address)
{
    if (!IsServerAddress(address)) {
        return address;
    }
    std::string host;
    std::string port;
    std::string database;
    std::string user;
    if (Options options = Parse(address)) {
        for (PQconninfoOption* option = options.get(); option->keyword != nullptr; ++option) {
            std::string value = option->val != nullptr ? option->val : "";
            std::string_view keyword = option->keyword;
            if (keyword == "host" || (keyword == "hostaddr" && host.empty())) {
                host = value;
            } else if (keyword == "port") {
                port = value;
            } else if (keyword == "dbname") {
                database = value;
            } else if (keyword == "user") {
                user = value;
            }
        }
    }
    // libpq's own defaults: the local socket, and a database named as the user.
    if (database.empty()) {
        database = user;
    }
    return "postgresql://" + (host.empty() ? std::string("localhost") : host) +
           (port.empty() ? "" : ":" + port) + "/" + database;
}

} // namespace store
