// The business components' lookups as the benchmarks call them, on whichever store the registry
// holds (a SQLite file or a server): each answers its row count and throws on a failure, so a
// benchmark never times an error.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

int64_t ProductLookup(std::string name, std::string barcode, double code);
int64_t ProductDialog(const std::string& typed);
int64_t ClientLookup(std::string nickname, double code);
int64_t ServiceLookup(const std::string& typed);

} // namespace bench
