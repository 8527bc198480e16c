// The printout hands the store two filter texts written for another engine. The store never runs
// them: it recognises exactly the two shapes the printout builds and takes only the client code
// (decimal digits) from them; anything else is refused before any SQL is involved.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace store {

// The client code when `services` and `products` are the printout's two filters for one client.
std::optional<int32_t> RecognisePrintFilters(std::string_view services, std::string_view products);

} // namespace store
