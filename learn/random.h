#pragma once

// The self-test's own random numbers: splitmix64, so that a seed gives the same items with every
// compiler and standard library (the std:: distributions differ between them).

#include <cstdint>

namespace lumaro::learn {

class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [0, bound); bound must be positive. The slight bias of the modulo does not
    // matter for choosing questions, and it is the same everywhere.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }

    bool OneIn(int n) { return Below(n) == 0; }

private:
    std::uint64_t m_state;
};

} // namespace lumaro::learn
