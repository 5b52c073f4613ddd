#include "model/edge_orientation.h"

#include <gtest/gtest.h>

namespace {

constexpr EdgeOrientation kAll[] = {EdgeOrientation::Normal, EdgeOrientation::Mirrored, EdgeOrientation::Reversed,
                                    EdgeOrientation::MirroredReversed};

// z, conj z, 1 - z and 1 - conj z: each undoes itself, composing two is
// applying one after the other, and the composition of two different ones
// other than the identity is the third.
TEST(EdgeOrientation, TheFourMapsComposeAsKleinsGroup)
{
    const Complex z(0.3, -0.7);
    for (const EdgeOrientation a : kAll) {
        EXPECT_EQ(Compose(a, a), EdgeOrientation::Normal);
        for (const EdgeOrientation b : kAll) {
            const Complex both = Apply(Compose(a, b), z);
            const Complex each = Apply(a, Apply(b, z));
            EXPECT_DOUBLE_EQ(both.Re, each.Re);
            EXPECT_DOUBLE_EQ(both.Im, each.Im);
        }
    }
    EXPECT_EQ(Compose(EdgeOrientation::Mirrored, EdgeOrientation::Reversed), EdgeOrientation::MirroredReversed);
    const Complex mirrored = Apply(EdgeOrientation::Mirrored, z);
    const Complex reversed = Apply(EdgeOrientation::Reversed, z);
    EXPECT_EQ(mirrored.Im, 0.7);
    EXPECT_DOUBLE_EQ(reversed.Re, 0.7);
    EXPECT_EQ(reversed.Im, 0.7);
}

} // namespace
