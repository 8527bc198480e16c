// One shop's store file. The connection opens on first use, not on construction, so that a host
// can register the components over a file that is missing or broken and every member still
// answers with an error naming the file and the cause; the next call tries again.
//
// On open: busy timeout, then the schema version (`PRAGMA user_version`) is checked before
// anything may write, so a file of a newer program is refused untouched; then WAL,
// synchronous=FULL and foreign keys; a file of an older version is then upgraded in one
// transaction (store/Schema.h), or left as it was when the upgrade fails.
//
// A server database (a postgresql:// or postgres:// address, or a libpq key=value string) holds
// the same tables; its application id and schema version are the one row of Armazenamento, read
// and checked on connection as the file's pragmas are. A connection the server dropped is opened
// anew by the next call outside a transaction.
//
// A new store file is created readable and writable by its owner only (0600); SQLite gives its
// -wal and -shm files the same mode. Every write runs inside a Transaction (BEGIN IMMEDIATE, so
// concurrent writers queue on the busy timeout instead of failing mid-way). One Database serves
// one thread, the user-interface thread of its process; other processes share the file safely.
#pragma once

#include "store/Schema.h"
#include "store/Sqlite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace store {

// 'KELO' in the file header: tells our stores from other SQLite files.
inline constexpr int32_t kApplicationId = 0x4B454C4F;

struct DatabaseOptions {
    int busyTimeoutMs = 5000;
    // Test seam: the file goes through the fault-injecting VFS of store/Faults.h.
    bool faultyFiles = false;
};

class Database {
public:
    // `path` is a SQLite file or a server address (store/Sqlite.h, IsServerAddress).
    explicit Database(std::string path, DatabaseOptions options = {});

    // A new store with the schema and nothing else; refuses a path that already exists, or a
    // server database that holds any table.
    static std::shared_ptr<Database> Create(const std::string& path, DatabaseOptions options = {});

    // The file, or the server and database without user or password: what messages show.
    const std::string& Path() const { return m_path; }
    Engine Dialect() const { return m_server ? Engine::Postgres : Engine::Sqlite; }

    // The open connection; opens and checks the file first when needed. Throws StoreError.
    Connection& Conn();
    // Drops the connection (the file is checkpointed and closed).
    void Close() { m_connection.reset(); }

    // The next lançamento number of the sequence shared by services and products; only inside
    // a Transaction, so a rolled-back item gives its number back and two processes never share one.
    int32_t NextLancamento();

    // Told of every member a business component answered, with its result: how a host traces
    // the component's calls. None by default.
    using CallObserver =
        std::function<void(std::string_view className, std::string_view member, int32_t result)>;
    void ObserveCalls(CallObserver observer) { m_callObserver = std::move(observer); }
    void CallAnswered(std::string_view className, std::string_view member, int32_t result) const
    {
        if (m_callObserver)
            m_callObserver(className, member, result);
    }

    // Test seam: every write of the business components passes a numbered write point; setting
    // `n` makes the n-th point from now fail as a StoreError (0 switches it off).
    void FailAtWritePoint(int n)
    {
        m_failAt = n;
        m_writePoints = 0;
    }
    void WritePoint();

private:
    friend class Transaction;
    Connection& ConnectToServer();

    std::string m_address;
    bool m_server;
    std::string m_path;
    DatabaseOptions m_options;
    std::unique_ptr<Connection> m_connection;
    int m_depth = 0;
    bool m_doomed = false;
    int m_failAt = 0;
    CallObserver m_callObserver;
    int m_writePoints = 0;
};

// Opens a write transaction, or joins the one already open. Rolls back on destruction unless
// commit() was reached; an inner guard left without commit() dooms the outer one.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_database;
    bool m_outer;
    bool m_done = false;
};

} // namespace store
