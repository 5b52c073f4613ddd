#include "model/random_source.h"

#include <chrono>

RandomSource& RandomSource::Instance()
{
    static RandomSource source;
    return source;
}

RandomSource::RandomSource()
{
    SeedFromClock();
}

void RandomSource::SeedFromClock()
{
    Seed(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void RandomSource::Seed(std::uint64_t seed)
{
    engine_.seed(seed);
}

double RandomSource::Next()
{
    // 53 random bits scaled into [0, 1), identical on every platform.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int RandomSource::NextInt(int range)
{
    if (range <= 1)
        return 0;
    return static_cast<int>(Next() * range);
}
