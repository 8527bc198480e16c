// What every fuzz target shares: the fuzzer's bytes cut into the arguments of the function under
// test, and the one way a target says that a property broke (a message, then abort, which
// libFuzzer records as a crash with the input that caused it).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Reads the input front to back; past the end every read gives zero or an empty text, so a
// target never needs to check the length itself.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_rest(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte()
    {
        if (m_rest.empty())
            return 0;
        const auto byte = static_cast<uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }

    // Eight raw bytes as a double: NaN, infinities and subnormals come up as often as numbers.
    double Double()
    {
        uint64_t bits = 0;
        for (int k = 0; k < 8; ++k)
            bits = (bits << 8) | Byte();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The text up to the next `separator` (dropped), or all the rest.
    std::string_view Part(char separator = '\x1F')
    {
        const size_t end = m_rest.find(separator);
        const std::string_view part = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return part;
    }

    std::string_view Rest()
    {
        const std::string_view rest = m_rest;
        m_rest = {};
        return rest;
    }

private:
    std::string_view m_rest;
};

[[noreturn]] inline void Broken(const char* property, std::string_view detail = {})
{
    std::fprintf(stderr, "property broken: %s [%.*s]\n", property, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void Require(bool holds, const char* property, std::string_view detail = {})
{
    if (!holds)
        Broken(property, detail);
}

} // namespace fuzz
