// How long store work (generate, import, check) tells its caller how far it got: `done` of
// `total` units of the step named `step`. Called often; the caller decides what to show, and a
// caller that shows nothing passes none.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace store {

using Progress = std::function<void(std::string_view step, int64_t done, int64_t total)>;

} // namespace store
