// What the kelo-store tool does to a whole store: demo data, synthetic data for benchmarks, and
// the consistency check.
#pragma once

#include "store/Database.h"
#include "store/Progress.h"

#include <string>
#include <vector>

namespace store {

struct DemoUser {
    std::string name;
    std::string password;
    std::string role;
};

// Fills a new, empty store with the demo pet shop, its promotion and discount ceiling running
// around today's date, and returns the users it created, for the tool to print.
std::vector<DemoUser> LoadDemo(Database& database);

struct GenerateCounts {
    int clients = 0;
    int products = 0;
    int itemsPerClient = 0;
};

// Fills a new, empty store with synthetic data; the same counts give the same store.
void Generate(Database& database, const GenerateCounts& counts, const Progress& progress = {});

// What is wrong with the store: integrity, references, the lançamento sequence, reserved
// quantities and item totals. Empty when the store is sound.
// Name indexes included.
std::vector<std::string> Check(Database& database, const Progress& progress = {});

// Rebuilds what the store can rebuild from its own tables: the name indexes.
void Repair(Database& database);

} // namespace store
