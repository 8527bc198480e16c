// A throwaway PostgreSQL cluster for the store tests: initdb and pg_ctl into a temporary folder,
// listening only on a socket there and on a free local port, stopped when the program ends.
// KELO_TEST_POSTGRES set makes the store tests use it. Under ctest one cluster serves every test
// (kelo-test-postgres starts it before them and stops it after, and KELO_TEST_POSTGRES names the
// folder where it wrote the cluster's folder, or why there is none); otherwise the test program
// starts its own.
// As root, the cluster runs as the postgres system user, as the server refuses to run as root.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace storetest {

std::string ReadBytes(const std::filesystem::path& path);
std::filesystem::path NewTempDir();

// True when the store tests of this program run against the server.
bool OnServer();

class TestServer {
public:
    // The running cluster, or nullptr with `whyNot` saying why there is none.
    static TestServer* Get(std::string& whyNot);

    // Starts a cluster in `dir` (made by the caller) with the demo template; returns the reason
    // when it cannot.
    static std::optional<std::string> StartIn(const std::string& dir);
    static void StopIn(const std::string& dir, const char* mode = "immediate");
    // For kelo-test-postgres: a cluster in a new temporary folder, written down in `pointer`.
    static void StartShared(const std::string& pointer);
    static void StopShared(const std::string& pointer);

    // A cluster of the caller's own, for a test that stops and starts it; nullptr with `whyNot`.
    static std::unique_ptr<TestServer> Private(std::string& whyNot);
    // Stops the server (as an administrator would, or as a failing machine would not) and starts
    // it again on the same port.
    void Stop() { StopIn(m_dir, "fast"); }
    bool Start() { return Launch(m_dir); }

    // A new database holding the demo store, or an empty one; its address.
    std::string NewDemoDatabase() { return NewDatabase("demo"); }
    std::string NewEmptyDatabase() { return NewDatabase("template0"); }
    void Drop(const std::string& address);

    // The address of `database` on this cluster.
    std::string AddressOf(const std::string& database) const;

    ~TestServer();

private:
    static bool Launch(const std::string& dir);
    explicit TestServer(std::string dir, bool owned) : m_dir(std::move(dir)), m_owned(owned) {}
    std::string NewDatabase(const char* from);
    void Admin(const std::string& sql);

    std::string m_dir;
    bool m_owned;
    int m_next = 0;
};

} // namespace storetest
