#pragma once

#include "model/complex.h"

#include <cstdint>
#include <optional>
#include <string_view>

// How the copy of the curve on an edge lies. With the edge as the chord
// from 0 to 1, the copy is phi(C): normal z, mirrored across the edge
// conj z, reversed (laid from the edge's end to its start, a half-turn about
// its middle, and walked from its far end) 1 - z, or both 1 - conj z. The
// four maps are Klein's four-group: each undoes itself and any two give the
// third, so an edge inside a copy lies as its own orientation composed with
// the copy's. One bit says mirrored, the other reversed, and composing is
// their exclusive or.
enum class EdgeOrientation : std::uint8_t {
    Normal = 0,
    Mirrored = 1,
    Reversed = 2,
    MirroredReversed = 3,
};

constexpr EdgeOrientation Compose(EdgeOrientation a, EdgeOrientation b)
{
    return static_cast<EdgeOrientation>(static_cast<std::uint8_t>(a) ^ static_cast<std::uint8_t>(b));
}

constexpr bool IsMirrored(EdgeOrientation o)
{
    return (static_cast<std::uint8_t>(o) & static_cast<std::uint8_t>(EdgeOrientation::Mirrored)) != 0;
}

constexpr bool IsReversed(EdgeOrientation o)
{
    return (static_cast<std::uint8_t>(o) & static_cast<std::uint8_t>(EdgeOrientation::Reversed)) != 0;
}

// phi(z) in the chord's coordinates.
constexpr Complex Apply(EdgeOrientation o, Complex z)
{
    if (IsMirrored(o))
        z.Im = -z.Im;
    if (IsReversed(o))
        z.SetTo(1 - z.Re, -z.Im);
    return z;
}

// The .fract file's tokens: N, S, U and SU.
std::string_view OrientationToken(EdgeOrientation o);
std::optional<EdgeOrientation> ParseOrientationToken(std::string_view token);
