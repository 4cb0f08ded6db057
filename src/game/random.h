// The game's one source of chance: uniform numbers in [0, 1).
//
// The game never reads entropy by itself: start-up seeds it from the clock, tests
// seed it with fixed values, and the same seed always deals the same game.
#pragma once

#include <cstdint>

namespace game {

class Random {
public:
    void Seed(std::uint64_t seed) { state_ = seed; }

    // A uniform single-precision number u with 0 <= u < 1: 24 random bits, so u × n
    // never reaches n.
    float operator()() { return static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f); }

    // The whole part of u × n for a new draw u: one of n equal chances 0..n-1.
    // (Multiplied in double, so rounding can never lift it to n.)
    int Pick(int n) { return static_cast<int>(static_cast<double>((*this)()) * n); }

private:
    // splitmix64: small, fast, and good enough for dealing cans.
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t state_ = 0;
};

}  // namespace game
