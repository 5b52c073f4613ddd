#include "view/generator_animation.h"

#include "model/fract_model.h"
#include "model/random_source.h"

#include <cmath>

namespace {

// The springs' stiffness: a length's velocity changes by its distance from
// the target divided by this many times the step count.
constexpr double kSpringDivisor = 16.0;

double Length(const Complex& z)
{
    return std::sqrt(z.SqrAbs());
}

} // namespace

void PrepareAngleSteps(const FractModel& generator, int steps, RandomSource& random, FractModel& angleSteps)
{
    const int count = generator.Count;
    if (count < 1)
        return;
    const double pace = steps;
    angleSteps.Items[count - 1].SetTo(1, 0);
    for (int i = 0; i < count - 1; ++i) {
        const double a = (random.Next() - 0.5) / pace;
        angleSteps.Items[i].SetTo(std::cos(a), std::sin(a));
        angleSteps.Items[count - 1].Div(angleSteps.Items[i]);
    }
    angleSteps.Count = count;
}

void PrepareLengthTargets(const FractModel& generator, double minLength, double maxLength, RandomSource& random,
                          FractModel& lengthTargets)
{
    const int count = generator.Count;
    double p = 1.0;
    for (int i = 0; i < count - 1; ++i) {
        p = p * Length(generator.Items[i]);
        const double lo = (minLength + p) / 2;
        const double hi = (maxLength + p) / 2;
        lengthTargets.Items[i].SetTo(lo + random.Next() * (hi - lo), 0);
    }
    lengthTargets.Count = count;
}

void TurnEdges(FractModel& generator, const FractModel& angleSteps)
{
    for (int i = 0; i < generator.Count; ++i)
        generator.Items[i].Mul(angleSteps.Items[i]);
}

// Stretching edge i by f and shrinking edge i + 1 by the same f changes
// the absolute length of edge i alone.
void SwingLengths(FractModel& generator, FractModel& lengthTargets, int steps)
{
    const double pace = steps;
    double p = 1.0;
    for (int i = 0; i < generator.Count - 1; ++i) {
        p = p * Length(generator.Items[i]);
        Complex& state = lengthTargets.Items[i];
        state.Im = state.Im + ((state.Re - p) / pace / kSpringDivisor) / state.Re;
        const double f = state.Im / p + 1;
        generator.Items[i].MulReal(f);
        generator.Items[i + 1].DivReal(f);
    }
}
