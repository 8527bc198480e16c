#include "store/Database.h"

#include "store/Faults.h"
#include "store/Schema.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

namespace store {

namespace {

int64_t PragmaValue(Connection& connection, const char* sql)
{
    Statement statement = connection.Prepare(sql);
    return statement.Step() ? statement.Int(0) : 0;
}

const char* VfsOf(const DatabaseOptions& options)
{
    return options.faultyFiles ? FaultyVfsName() : nullptr;
}

void ApplyPragmas(Connection& connection)
{
    connection.Execute("PRAGMA journal_mode=WAL");
    connection.Execute("PRAGMA synchronous=FULL");
    connection.Execute("PRAGMA foreign_keys=ON");
}

[[noreturn]] void Refuse(const std::string& path, int32_t number, const std::string& cause)
{
    throw StoreError(number, "Armazenamento '" + path + "': " + cause + ".");
}

// The empty file SQLite then opens: made here so that it is never readable by other users, and
// refused when something is already at the path.
void CreatePrivateFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        int error = errno;
        if (error == EEXIST) {
            Refuse(path, kErrFileExists, "o arquivo já existe e não será substituído");
        }
        if (error == ENOENT || error == ENOTDIR) {
            Refuse(path, kErrCannotOpen,
                   "a pasta do arquivo não existe; crie a pasta ou escolha outro caminho");
        }
        if (error == EACCES || error == EPERM || error == EROFS) {
            Refuse(path, kErrCannotOpen,
                   "não há permissão para criar o arquivo nessa pasta; escolha outra pasta");
        }
        Refuse(path, kErrCannotOpen,
               "não foi possível criar o arquivo (erro " + std::to_string(error) +
                   " do sistema); confira o caminho e o espaço em disco");
    }
    ::close(fd);
}

// The server's counterpart of application_id and user_version.
constexpr const char* kServerVersionTable =
    "CREATE TABLE Armazenamento (Aplicacao BIGINT NOT NULL, Versao BIGINT NOT NULL)";

int64_t VersionOf(Connection& connection)
{
    if (connection.Dialect() == Engine::Sqlite) {
        return PragmaValue(connection, "PRAGMA user_version");
    }
    return PragmaValue(connection, "SELECT Versao FROM Armazenamento");
}

void SetVersion(Connection& connection)
{
    if (connection.Dialect() == Engine::Sqlite) {
        connection.Execute("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        return;
    }
    connection.Prepare("UPDATE Armazenamento SET Versao = ?")
        .Bind(1, int64_t{kSchemaVersion})
        .Run();
}

void Upgrade(Database& database, Connection& connection, int64_t version)
{
    connection.BeginWrite();
    try {
        if (connection.Dialect() == Engine::Postgres) {
            connection.Execute("LOCK TABLE Armazenamento IN EXCLUSIVE MODE");
        }
        // Another program may have upgraded it while this one waited for the lock.
        version = VersionOf(connection);
        if (version < kSchemaVersion) {
            UpgradeSchema(connection, static_cast<int32_t>(version));
            database.WritePoint();
            SetVersion(connection);
        }
        connection.Execute("COMMIT");
    } catch (const StoreError& error) {
        try {
            connection.Execute("ROLLBACK");
        } catch (const StoreError&) {
            // Already rolled back by the failure.
        }
        throw StoreError(error.Number(),
                         "Armazenamento '" + database.Path() + "': a atualização da versão " +
                             std::to_string(version) + " para a versão " +
                             std::to_string(kSchemaVersion) +
                             " falhou e o arquivo ficou como estava: " + error.what());
    }
}

} // namespace

Database::Database(std::string path, DatabaseOptions options)
    : m_address(std::move(path)), m_server(IsServerAddress(m_address)),
      m_path(ShownAddress(m_address)), m_options(options)
{
}

std::shared_ptr<Database> Database::Create(const std::string& path, DatabaseOptions options)
{
    if (IsServerAddress(path)) {
        auto database = std::make_shared<Database>(path, options);
        auto connection = Connection::ToServer(path, options.busyTimeoutMs);
        connection->BeginWrite();
        try {
            // Anything already there may be another program's: it is left alone.
            if (PragmaValue(
                    *connection,
                    "SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace"
                    " n ON n.oid = c.relnamespace WHERE n.nspname = current_schema()") > 0) {
                Refuse(database->Path(), kErrFileExists,
                       "o banco de dados já existe com tabelas e não será alterado");
            }
            connection->Execute(kServerVersionTable);
            connection->Prepare("INSERT INTO Armazenamento (Aplicacao, Versao) VALUES (?, ?)")
                .Bind(1, int64_t{kApplicationId})
                .Bind(2, int64_t{kSchemaVersion})
                .Run();
            CreateSchema(*connection);
            connection->Execute("COMMIT");
        } catch (...) {
            try {
                connection->Execute("ROLLBACK");
            } catch (const StoreError&) {
                // The connection is gone, and the transaction with it.
            }
            throw;
        }
        database->m_connection = std::move(connection);
        return database;
    }
    CreatePrivateFile(path);
    auto database = std::make_shared<Database>(path, options);
    auto connection = std::make_unique<Connection>(path, true, VfsOf(options));
    connection->SetBusyTimeout(options.busyTimeoutMs);
    connection->Execute("PRAGMA application_id=" + std::to_string(kApplicationId));
    ApplyPragmas(*connection);
    connection->BeginWrite();
    try {
        CreateSchema(*connection);
        connection->Execute("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        connection->Execute("COMMIT");
    } catch (...) {
        connection->Execute("ROLLBACK");
        throw;
    }
    database->m_connection = std::move(connection);
    return database;
}

Connection& Database::Conn()
{
    if (m_connection && m_connection->IsLost() && m_depth == 0) {
        m_connection.reset();
    }
    if (m_connection) {
        return *m_connection;
    }
    if (m_server) {
        return ConnectToServer();
    }
    std::error_code error;
    if (!std::filesystem::exists(m_path, error)) {
        Refuse(m_path, kErrMissingFile,
               "o arquivo não existe; confira o caminho, ou crie a loja com kelo-store create");
    }
    auto connection = std::make_unique<Connection>(m_path, false, VfsOf(m_options));
    connection->SetBusyTimeout(m_options.busyTimeoutMs);
    if (connection->IsReadOnly()) {
        Refuse(m_path, kErrReadOnly,
               "o arquivo não pode ser gravado (somente leitura); dê permissão "
               "de gravação ao arquivo e à sua pasta");
    }
    // Read before any pragma that could write, so a file we must refuse stays untouched.
    int64_t version = VersionOf(*connection);
    int64_t application = PragmaValue(*connection, "PRAGMA application_id");
    if (application != kApplicationId || version <= 0) {
        Refuse(m_path, kErrNotAStore,
               "o arquivo não contém um armazenamento desta aplicação; escolha "
               "o arquivo de uma loja, ou crie uma com kelo-store create");
    }
    if (version > kSchemaVersion) {
        Refuse(m_path, kErrNewerVersion,
               "o arquivo é da versão " + std::to_string(version) +
                   " do armazenamento, mais nova que a versão " + std::to_string(kSchemaVersion) +
                   " deste programa; atualize o programa");
    }
    ApplyPragmas(*connection);
    if (version < kSchemaVersion) {
        Upgrade(*this, *connection, version);
    }
    m_connection = std::move(connection);
    return *m_connection;
}

Connection& Database::ConnectToServer()
{
    auto connection = Connection::ToServer(m_address, m_options.busyTimeoutMs);
    if (connection->IsReadOnly()) {
        Refuse(m_path, kErrReadOnly, "o servidor não aceita gravações (somente leitura)");
    }
    int64_t application = 0;
    int64_t version = 0;
    if (PragmaValue(*connection, "SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname ="
                                 " current_schema() AND tablename = 'armazenamento'") == 1) {
        Statement statement = connection->Prepare("SELECT Aplicacao, Versao FROM Armazenamento");
        if (statement.Step()) {
            application = statement.Int(0);
            version = statement.Int(1);
        }
    }
    if (application != kApplicationId || version <= 0) {
        Refuse(m_path, kErrNotAStore,
               "o banco de dados não contém um armazenamento desta aplicação");
    }
    if (version > kSchemaVersion) {
        Refuse(m_path, kErrNewerVersion,
               "o banco de dados é da versão " + std::to_string(version) +
                   " do armazenamento, mais nova que a versão " + std::to_string(kSchemaVersion) +
                   " deste programa; atualize o programa");
    }
    if (version < kSchemaVersion) {
        Upgrade(*this, *connection, version);
    }
    m_connection = std::move(connection);
    return *m_connection;
}

int32_t Database::NextLancamento()
{
    Connection& connection = Conn();
    WritePoint();
    Statement statement = connection.Prepare(
        "UPDATE Sequencias SET Ultimo = Ultimo + 1 WHERE Nome = 'Lancamento' RETURNING Ultimo");
    if (!statement.Step()) {
        Refuse(m_path, kErrNotAStore, "a sequência de lançamentos não existe");
    }
    int64_t next = statement.Int(0);
    statement.Run();
    if (next > std::numeric_limits<int32_t>::max()) {
        Refuse(m_path, kErrNotAStore, "a sequência de lançamentos se esgotou");
    }
    return static_cast<int32_t>(next);
}

void Database::WritePoint()
{
    if (m_failAt > 0 && ++m_writePoints == m_failAt) {
        m_failAt = 0;
        Refuse(m_path, kErrInjectedFault, "falha de gravação simulada");
    }
}

Transaction::Transaction(Database& database) : m_database(database), m_outer(database.m_depth == 0)
{
    if (m_outer) {
        database.Conn().BeginWrite();
        database.m_doomed = false;
    }
    ++database.m_depth;
}

Transaction::~Transaction()
{
    --m_database.m_depth;
    if (m_done) {
        return;
    }
    if (!m_outer) {
        m_database.m_doomed = true;
        return;
    }
    try {
        m_database.Conn().Execute("ROLLBACK");
    } catch (const StoreError&) {
        // SQLite has already rolled back after the failure that brought us here.
    }
}

void Transaction::commit()
{
    if (!m_outer) {
        m_done = true;
        return;
    }
    if (m_database.m_doomed) {
        // Leave m_done false: the destructor rolls back.
        throw StoreError(kErrIncompleteWrite, "Armazenamento '" + m_database.Path() +
                                                  "': uma parte da gravação falhou.");
    }
    m_database.WritePoint();
    m_database.Conn().Execute("COMMIT");
    m_done = true;
}

} // namespace store
