#include "view/oriented_steps.h"

#include "model/fract_model.h"

namespace {

Complex Conj(Complex z)
{
    z.Im = -z.Im;
    return z;
}

Complex Times(Complex a, const Complex& b)
{
    a.Mul(b);
    return a;
}

// A zero divisor gives (0, 0), as Div does: only a generator with a zero
// item meets it, and its curve collapses after that item anyway.
Complex Over(Complex a, const Complex& b)
{
    a.Div(b);
    return a;
}

constexpr EdgeOrientation kAll[] = {EdgeOrientation::Normal, EdgeOrientation::Mirrored, EdgeOrientation::Reversed,
                                    EdgeOrientation::MirroredReversed};

} // namespace

void OrientedSteps::Prepare(const FractModel& generator, int depth)
{
    const int n = generator.Count;
    count_ = static_cast<std::size_t>(n);
    closings_.assign((static_cast<std::size_t>(depth) + 1) * 4, Complex(1, 0));
    steps_.resize(closings_.size() * count_);
    if (n == 0)
        return;
    const Complex* items = generator.Items.data();
    Complex p(1, 0);
    Complex end;
    for (int k = 0; k < n; ++k) {
        p.Mul(items[k]);
        end.Add(p);
    }
    // A closed generator has no chord to mirror across: its mirrored copies
    // mirror across their direction on entry.
    const Complex u = end.SqrAbs() > 0 ? Over(end, Conj(end)) : Complex(1, 0);
    const Complex one(1, 0);

    own_.resize(4 * count_);
    ownClosing_.resize(4);
    children_.resize(4 * count_);
    for (const EdgeOrientation o : kAll)
        for (int j = 0; j < n; ++j)
            children_[Index(o) * count_ + j] = Compose(o, generator.Orientations[IsReversed(o) ? n - 1 - j : j]);

    Complex* normal = &own_[Index(EdgeOrientation::Normal) * count_];
    Complex* mirrored = &own_[Index(EdgeOrientation::Mirrored) * count_];
    Complex* reversed = &own_[Index(EdgeOrientation::Reversed) * count_];
    Complex* both = &own_[Index(EdgeOrientation::MirroredReversed) * count_];
    normal[0] = items[0];
    mirrored[0] = Times(Conj(items[0]), u);
    reversed[0] = p;
    both[0] = Times(Conj(p), u);
    for (int j = 1; j < n; ++j) {
        normal[j] = items[j];
        mirrored[j] = Conj(items[j]);
        reversed[j] = Over(one, items[n - j]);
        both[j] = Over(one, Conj(items[n - j]));
    }
    ownClosing_[Index(EdgeOrientation::Normal)] = one;
    ownClosing_[Index(EdgeOrientation::Mirrored)] = Over(p, Times(Conj(p), u));
    ownClosing_[Index(EdgeOrientation::Reversed)] = Over(p, items[0]);
    ownClosing_[Index(EdgeOrientation::MirroredReversed)] = Over(p, Times(Conj(items[0]), u));

    for (int h = 1; h <= depth; ++h) {
        const Complex* owed = &closings_[static_cast<std::size_t>(h - 1) * 4];
        for (const EdgeOrientation o : kAll) {
            Complex* steps = &steps_[(static_cast<std::size_t>(h) * 4 + Index(o)) * count_];
            const Complex* own = &own_[Index(o) * count_];
            steps[0] = own[0];
            for (int j = 1; j < n; ++j)
                steps[j] = Times(own[j], owed[Index(Child(o, j - 1))]);
            closings_[static_cast<std::size_t>(h) * 4 + Index(o)] =
                Times(ownClosing_[Index(o)], owed[Index(Child(o, n - 1))]);
        }
    }
}
