#pragma once

#include <cstdint>
#include <random>

// The program's one uniform random source, shared by New and the animation.
class RandomSource {
public:
    static RandomSource& Instance();

    void SeedFromClock();
    void Seed(std::uint64_t seed);

    // Uniform in [0, 1).
    double Next();
    // Uniform integer in [0, range); 0 when range is 1 or less.
    int NextInt(int range);

private:
    RandomSource();
    std::mt19937_64 engine_;
};
