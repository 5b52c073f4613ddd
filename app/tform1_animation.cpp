#include "tform1.h"

#include "random_source.h"

#include <algorithm>
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

void Tform1::chkAnimAngClick()
{
    if (chkAnimAng->isChecked()) {
        PrepareAngleAnimation();
        SetMode(modeAnimating);
    } else if (!chkAnimLen->isChecked()) {
        SetMode(modeIdle);
    }
}

void Tform1::chkAnimLenClick()
{
    if (chkAnimLen->isChecked()) {
        PrepareLengthAnimation();
        SetMode(modeAnimating);
    } else if (!chkAnimAng->isChecked()) {
        SetMode(modeIdle);
    }
}

void Tform1::chkPauseClick()
{
    SetMode(chkPause->isChecked() ? modePaused : modeAnimating);
}

// Every edge but the last turns by its own small rate; the last item's step
// cancels all the others, so the last edge never moves.
void Tform1::PrepareAngleAnimation()
{
    const int count = Generator.Count;
    if (count < 1)
        return;
    const double steps = std::max(ZoomSteps, 1);
    AngleSteps.Items[count - 1].SetTo(1, 0);
    for (int i = 0; i < count - 1; ++i) {
        const double a = (RandomSource::Instance().Next() - 0.5) / steps;
        AngleSteps.Items[i].SetTo(std::cos(a), std::sin(a));
        AngleSteps.Items[count - 1].Div(AngleSteps.Items[i]);
    }
    AngleSteps.Count = count;
}

// Each edge but the last gets a target halfway between its length and a
// random one, and starts at rest.
void Tform1::PrepareLengthAnimation()
{
    const int count = Generator.Count;
    double p = 1.0;
    for (int i = 0; i < count - 1; ++i) {
        p = p * Length(Generator.Items[i]);
        const double lo = (MinLength + p) / 2;
        const double hi = (MaxLength + p) / 2;
        LengthTargets.Items[i].SetTo(lo + RandomSource::Instance().Next() * (hi - lo), 0);
    }
    LengthTargets.Count = count;
}

// New and Open can change the edge count while a box stays checked; the
// per-edge data is then prepared afresh for the new generator.
void Tform1::KeepAnimationInStep()
{
    if (chkAnimAng->isChecked() && AngleSteps.Count != Generator.Count)
        PrepareAngleAnimation();
    if (chkAnimLen->isChecked() && LengthTargets.Count != Generator.Count)
        PrepareLengthAnimation();
}

void Tform1::Timer1Timer()
{
    if (Mode == modeZooming) {
        ZoomStep();
    } else if (Mode == modeAnimating) {
        KeepAnimationInStep();
        const int count = Generator.Count;
        if (chkAnimAng->isChecked() && AngleSteps.Count == count)
            for (int i = 0; i < count; ++i)
                Generator.Items[i].Mul(AngleSteps.Items[i]);
        if (chkAnimLen->isChecked() && LengthTargets.Count == count) {
            const double steps = std::max(ZoomSteps, 1);
            double p = 1.0;
            for (int i = 0; i < count - 1; ++i) {
                p = p * Length(Generator.Items[i]);
                Complex& state = LengthTargets.Items[i];
                state.Im = state.Im + ((state.Re - p) / steps / kSpringDivisor) / state.Re;
                const double f = state.Im / p + 1;
                Generator.Items[i].MulReal(f);
                Generator.Items[i + 1].DivReal(f);
            }
        }
        Viewer.Recalculate();
        ptbFract->repaint();
        LayoutEditor();
    }
    // A video frame of the view as it now stands is captured here once clips
    // can be recorded.
}
