#include "TestServer.h"

#include "store/Admin.h"
#include "store/Database.h"
#include "store/Passwords.h"
#include "store/Sqlite.h"

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace storetest {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream bytes;
    bytes << input.rdbuf();
    return bytes.str();
}

std::filesystem::path NewTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-store-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

namespace {

// The folder of initdb and pg_ctl, or empty.
std::string ServerBinaries()
{
    std::error_code error;
    if (const char* bin = std::getenv("KELO_PG_BIN")) {
        return std::filesystem::exists(std::filesystem::path(bin) / "pg_ctl", error) ? bin : "";
    }
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        if (std::filesystem::exists(entry.path() / "bin" / "pg_ctl", error) &&
            std::filesystem::exists(entry.path() / "bin" / "initdb", error)) {
            found.push_back(entry.path() / "bin");
        }
    }
    if (found.empty()) {
        return {};
    }
    std::sort(found.begin(), found.end());
    return found.back().string();
}

int FreePort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

// Runs `command` in the shell, as the postgres user when this program is root.
int RunAsServer(const std::string& command)
{
    std::string line = command;
    if (geteuid() == 0) {
        line = "runuser -u postgres -- sh -c '" + command + "'";
    }
    return std::system((line + " >/dev/null 2>&1").c_str());
}

// Over the loopback port, as a URL: a test passes it to kelo-store on a command line.
std::string Address(const std::string& port, const std::string& database)
{
    return "postgresql://kelo@127.0.0.1:" + port + "/" + database;
}

std::string FirstLine(const std::filesystem::path& path)
{
    std::string line = ReadBytes(path);
    return line.substr(0, line.find('\n'));
}

std::string PortOf(const std::string& dir)
{
    return FirstLine(std::filesystem::path(dir) / "port");
}

// A started cluster in a new temporary folder; empty with `reason` when none can start.
std::string NewClusterDir(std::string& reason)
{
    std::string dir = NewTempDir().string();
    if (auto failure = TestServer::StartIn(dir)) {
        reason = *failure;
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        return {};
    }
    return dir;
}

} // namespace

void TestServer::StartShared(const std::string& pointer)
{
    std::error_code ignored;
    std::filesystem::remove_all(pointer, ignored);
    std::filesystem::create_directories(pointer);
    std::string reason;
    std::string dir = NewClusterDir(reason);
    if (dir.empty()) {
        std::ofstream(pointer + "/missing") << reason;
    } else {
        std::ofstream(pointer + "/cluster") << dir << '\n';
    }
}

void TestServer::StopShared(const std::string& pointer)
{
    std::error_code ignored;
    if (std::filesystem::exists(pointer + "/cluster")) {
        std::string dir = FirstLine(pointer + "/cluster");
        StopIn(dir);
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::remove_all(pointer, ignored);
}

bool OnServer()
{
    const char* wanted = std::getenv("KELO_TEST_POSTGRES");
    return wanted != nullptr && *wanted != '\0';
}

std::optional<std::string> TestServer::StartIn(const std::string& dir)
{
    const std::string bin = ServerBinaries();
    if (bin.empty()) {
        return "the PostgreSQL server (initdb, pg_ctl) is not installed: scripts/packages.sh "
               "lists postgresql-15";
    }
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (user == nullptr || chown(dir.c_str(), user->pw_uid, user->pw_gid) != 0) {
            return "running as root without a postgres system user to run the server as";
        }
    }
    const int port = FreePort();
    const std::string data = dir + "/data";
    if (RunAsServer(bin + "/initdb -D " + data +
                    " -U kelo --auth=trust --encoding=UTF8 --locale=C --no-sync") != 0) {
        return "initdb failed in " + dir;
    }
    std::ofstream(dir + "/port") << port << '\n';
    std::ofstream(dir + "/bin") << bin << '\n';
    if (!Launch(dir)) {
        return "pg_ctl could not start the server (see " + dir + "/log)";
    }
    try {
        store::UseCheapHashesForTests();
        auto connection =
            store::Connection::ToServer(Address(std::to_string(port), "postgres"), 5000);
        connection->Execute("CREATE DATABASE demo");
        connection.reset();
        auto database = store::Database::Create(Address(std::to_string(port), "demo"));
        store::LoadDemo(*database);
    } catch (const std::exception& error) {
        StopIn(dir);
        return std::string("the demo database could not be made: ") + error.what();
    }
    return std::nullopt;
}

bool TestServer::Launch(const std::string& dir)
{
    // Only the socket in the folder and the loopback port; fsync off: a test cluster is thrown
    // away, and durability is the server's business, not the store's.
    return RunAsServer(
               FirstLine(std::filesystem::path(dir) / "bin") + "/pg_ctl -D " + dir + "/data -l " +
               dir + "/log -w -t 60 -o \"-p " + PortOf(dir) + " -k " + dir +
               " -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=60\" start") == 0;
}

std::unique_ptr<TestServer> TestServer::Private(std::string& whyNot)
{
    std::string dir = NewClusterDir(whyNot);
    if (dir.empty()) {
        return nullptr;
    }
    return std::unique_ptr<TestServer>(new TestServer(dir, true));
}

void TestServer::StopIn(const std::string& dir, const char* mode)
{
    std::string bin = FirstLine(std::filesystem::path(dir) / "bin");
    if (!bin.empty()) {
        RunAsServer(bin + "/pg_ctl -D " + dir + "/data -m " + mode + " -w stop");
    }
}

TestServer* TestServer::Get(std::string& whyNot)
{
    static std::string reason;
    static std::unique_ptr<TestServer> server = []() -> std::unique_ptr<TestServer> {
        std::filesystem::path pointer(std::getenv("KELO_TEST_POSTGRES"));
        if (std::filesystem::exists(pointer / "missing")) {
            reason = ReadBytes(pointer / "missing");
            return nullptr;
        }
        if (std::filesystem::exists(pointer / "cluster")) {
            return std::unique_ptr<TestServer>(
                new TestServer(FirstLine(pointer / "cluster"), false));
        }
        return Private(reason);
    }();
    whyNot = reason;
    return server.get();
}

TestServer::~TestServer()
{
    if (m_owned) {
        StopIn(m_dir);
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
}

std::string TestServer::AddressOf(const std::string& database) const
{
    return Address(PortOf(m_dir), database);
}

void TestServer::Admin(const std::string& sql)
{
    store::Connection::ToServer(AddressOf("postgres"), 5000)->Execute(sql);
}

std::string TestServer::NewDatabase(const char* from)
{
    // Unique across the test programs that share the cluster.
    std::string name = "loja_" + std::to_string(getpid()) + "_" + std::to_string(++m_next);
    Admin("CREATE DATABASE " + name + " TEMPLATE " + from);
    return AddressOf(name);
}

void TestServer::Drop(const std::string& address)
{
    Admin("DROP DATABASE IF EXISTS " + address.substr(address.rfind('/') + 1) + " WITH (FORCE)");
}

} // namespace storetest
