#include "session/fractal_session.h"

#include "model/random_source.h"
#include "view/generator_animation.h"
#include "view/zoom_path.h"

void FractalSession::AnimateAngles(bool on)
{
    angles_ = on;
    emit animationChanged(lengths_, angles_);
    if (on) {
        PrepareAngleAnimation();
        SetMode(modeAnimating);
    } else if (!lengths_) {
        SetMode(modeIdle);
    }
}

void FractalSession::AnimateLengths(bool on)
{
    lengths_ = on;
    emit animationChanged(lengths_, angles_);
    if (on) {
        PrepareLengthAnimation();
        SetMode(modeAnimating);
    } else if (!angles_) {
        SetMode(modeIdle);
    }
}

void FractalSession::SetPaused(bool on)
{
    paused_ = on;
    SetMode(on ? modePaused : modeAnimating);
}

void FractalSession::PrepareAngleAnimation()
{
    PrepareAngleSteps(Generator, ZoomStepCount(ZoomSteps), RandomSource::Instance(), AngleSteps);
}

void FractalSession::PrepareLengthAnimation()
{
    PrepareLengthTargets(Generator, MinLength, MaxLength, RandomSource::Instance(), LengthTargets);
}

// New and Open can change the edge count while a pass runs; its per-edge
// data is then prepared afresh for the new generator.
void FractalSession::KeepAnimationInStep()
{
    if (angles_ && AngleSteps.Count != Generator.Count)
        PrepareAngleAnimation();
    if (lengths_ && LengthTargets.Count != Generator.Count)
        PrepareLengthAnimation();
}

// The ticks from the first that moves to the stop or pause are one step.
void FractalSession::AnimationStep()
{
    const FractState before = State();
    KeepAnimationInStep();
    if (angles_ && AngleSteps.Count == Generator.Count)
        TurnEdges(Generator, AngleSteps);
    if (lengths_ && LengthTargets.Count == Generator.Count)
        SwingLengths(Generator, LengthTargets, ZoomStepCount(ZoomSteps));
    Recalculate();
    LayoutEditor();
    history_.RecordInRun(EditSteps::kAnimate, before, State());
}
