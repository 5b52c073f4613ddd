#include "model/edge_orientation.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 4> kTokens = {"N", "S", "U", "SU"};
}

std::string_view OrientationToken(EdgeOrientation o)
{
    return kTokens[static_cast<std::size_t>(o)];
}

std::optional<EdgeOrientation> ParseOrientationToken(std::string_view token)
{
    for (std::size_t i = 0; i < kTokens.size(); ++i)
        if (token == kTokens[i])
            return static_cast<EdgeOrientation>(i);
    return std::nullopt;
}
