// A writer killed with SIGKILL at random points of a stream of additions, a hundred times over
// one store: after every kill, each item it showed as stored is there under the number shown,
// the stored items of the stream are exactly its first ones (the one in flight at the kill may
// or may not be there, nothing else), none twice, and the store checks clean, in process and
// with `kelo-store check`.
#include "Programs.h"

#include "store/Admin.h"
#include "store/Database.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <thread>

extern char** environ;

namespace reliability {
namespace {

constexpr int kKills = 100;
// Each run's items carry ids from its own block: run r adds (r + 1) * kBlock, ...
constexpr long long kBlock = 1000000;

// The store's items as number -> the id the driver gave them (its cost).
std::map<int64_t, long long> StoredItems(const std::string& path)
{
    store::Database database(path);
    store::Statement statement = database.Conn().Prepare(
        "SELECT NumeroDeLancamento, Custo FROM ServicosEfetuados"
        " UNION ALL SELECT NumeroDeLancamento, Custo FROM ProdutosReservados");
    std::map<int64_t, long long> items;
    while (statement.Step())
        items[statement.Int(0)] = statement.Int(1) / 10000;
    return items;
}

// The driver, running, with the pipe it prints on.
struct Writer {
    pid_t pid = 0;
    FILE* lines = nullptr;

    Writer(const std::string& path, long long first)
    {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::string program = KELO_STORE_DRIVER;
        std::string store = path;
        std::string start = std::to_string(first);
        char* argv[] = {program.data(), store.data(), start.data(), nullptr};
        const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed != 0)
            throw std::runtime_error("cannot run " + program);
        lines = fdopen(fds[0], "r");
    }
    ~Writer() { std::fclose(lines); }

    // The next "ID NUMBER" line the driver printed, if any before the pipe closed.
    bool Next(std::map<long long, int64_t>& acknowledged)
    {
        long long id = 0;
        long long number = 0;
        if (std::fscanf(lines, "%lld %lld", &id, &number) != 2)
            return false;
        acknowledged[id] = number;
        return true;
    }
};

TEST(KilledWriter, AHundredKillsLoseNoShownItemAndStoreNothingTwice)
{
    TempDir dir;
    const std::string path = (dir.Path() / "loja.kelo").string();
    ASSERT_EQ(RunProgram(KELO_STORE_BINARY, {"demo", path}).exit, 0);
    const std::map<int64_t, long long> demo = StoredItems(path);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    RecordProperty("seed", std::to_string(seed));
    std::map<long long, int64_t> acknowledged; // id -> number shown
    size_t stored = 0;
    for (int run = 0; run < kKills; ++run) {
        const long long first = (run + 1) * kBlock;
        std::map<long long, int64_t> shown;
        {
            Writer writer(path, first);
            const int wait = static_cast<int>(random() % 8);
            for (int k = 0; k < wait && writer.Next(shown); ++k) {
            }
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
            kill(writer.pid, SIGKILL);
            ASSERT_EQ(WaitFor(writer.pid), -SIGKILL) << "run " << run << ": the driver ended";
            while (writer.Next(shown)) {
            }
        }
        acknowledged.insert(shown.begin(), shown.end());

        const auto items = StoredItems(path);
        std::set<long long> ids;
        long long ofThisRun = 0;
        for (const auto& [number, id] : items) {
            if (demo.contains(number))
                continue;
            EXPECT_TRUE(ids.insert(id).second) << "item " << id << " stored twice";
            ofThisRun += id / kBlock == run + 1 ? 1 : 0;
        }
        // The stream's first items, the one in flight at most: no gap, none lost.
        for (long long k = 0; k < ofThisRun; ++k)
            EXPECT_TRUE(ids.contains(first + k)) << "run " << run << " lost item " << k;
        EXPECT_GE(ofThisRun, static_cast<long long>(shown.size())) << "run " << run;
        EXPECT_LE(ofThisRun, static_cast<long long>(shown.size()) + 1) << "run " << run;
        for (const auto& [id, number] : acknowledged) {
            auto found = items.find(number);
            ASSERT_NE(found, items.end()) << "item " << id << " shown as " << number << " is lost";
            EXPECT_EQ(found->second, id) << "number " << number;
        }
        store::Database database(path);
        EXPECT_EQ(store::Check(database), std::vector<std::string>{}) << "run " << run;
        stored = items.size() - demo.size();
    }
    const Ran check = RunProgram(KELO_STORE_BINARY, {"check", path});
    EXPECT_EQ(check.exit, 0) << check.output;
    std::cout << "[ figures  ] " << kKills << " kills survived; " << acknowledged.size()
              << " items shown as stored, " << stored << " stored, none lost (seed " << seed
              << ")\n";
}

} // namespace
} // namespace reliability
