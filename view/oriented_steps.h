#pragma once

#include "model/complex.h"
#include "model/edge_orientation.h"

#include <vector>

class FractModel;

// The factors by which the expansion turns its running direction through
// copies of any orientation. A copy whose direction on entry is D places its
// children as a normal copy places its edges E(k), but mirrored across its
// chord (conj E(k) times u = N / conj N, with N the generator's end) and,
// when reversed, in reverse order; the children's orientations compose with
// the copy's. After its last child a copy turns the direction to what a
// normal copy leaves, D P^(1 + n + ... ), with P the product of all items:
// with P = (1, 0) that is D again, and so the depths refine one another
// as they do with normal copies; with any other P the copies that follow
// turn and scale exactly as they would after a normal copy. That closing
// factor is folded into the factor of the next child on the level above,
// so that the deepest level costs what a normal walk does.
class OrientedSteps {
public:
    // For the expansion of generator to depth levels.
    void Prepare(const FractModel& generator, int depth);

    // The factor before child j of a copy of orientation o that lies height
    // levels above the points: the child's own and the closings of the copies
    // completed since the copy's last factor.
    const Complex* Steps(int height, EdgeOrientation o) const
    {
        return &steps_[(static_cast<std::size_t>(height) * 4 + Index(o)) * count_];
    }
    EdgeOrientation Child(EdgeOrientation o, int j) const { return children_[Index(o) * count_ + j]; }
    // What the whole curve, a normal copy of that height, still owes when
    // it ends.
    const Complex& Closing(int height) const { return closings_[static_cast<std::size_t>(height) * 4]; }

private:
    static std::size_t Index(EdgeOrientation o) { return static_cast<std::size_t>(o); }

    std::size_t count_ = 0;
    // By height, then orientation, then child.
    std::vector<Complex> steps_;
    std::vector<Complex> closings_;
    std::vector<EdgeOrientation> children_;
    // A copy's own factors, before any closing is folded in.
    std::vector<Complex> own_;
    std::vector<Complex> ownClosing_;
};
